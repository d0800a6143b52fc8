#pragma once

// What every fuzz target shares: a Qt application object as the program has
// one, quiet logging (the readers warn about bad input, which is all the
// input here), and a check that makes libFuzzer stop with the input.

#include <QByteArray>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

// A failed check is a finding: libFuzzer saves the input as a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace FuzzSupport {

inline void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &strMessage)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "qFatal: %s\n", qPrintable(strMessage));
        std::abort();
    }
}

// Called from LLVMFuzzerInitialize. The application lives until the process
// ends, as in the program.
inline void initialize()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    static int s_argc = 1;
    static char s_name[] = "fuzz";
    static char *s_argv[] = {s_name, nullptr};
    new QGuiApplication(s_argc, s_argv);
}

inline QByteArray bytes(const uint8_t *pData, size_t nSize)
{
    // A copy: Qt's readers may expect the terminating NUL a raw buffer lacks.
    return QByteArray(reinterpret_cast<const char *>(pData), int(nSize));
}

} // namespace FuzzSupport

#define FUZZ_INITIALIZE()                                                                          \
    extern "C" int LLVMFuzzerInitialize(int *, char ***)                                           \
    {                                                                                              \
        FuzzSupport::initialize();                                                                 \
        return 0;                                                                                  \
    }
