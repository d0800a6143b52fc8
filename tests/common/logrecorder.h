#pragma once

#include <QStringList>
#include <QtGlobal>

namespace TestSupport {

// Records the warnings of one logging category while it lives, instead of
// printing them, for tests that count lines or check what a line leaves out;
// other messages go on to the handler before it. One at a time.
class LogRecorder
{
public:
    explicit LogRecorder(const char *category);
    ~LogRecorder();
    LogRecorder(const LogRecorder &) = delete;
    LogRecorder &operator=(const LogRecorder &) = delete;

    QStringList warnings;

private:
    const char *m_category;
};

} // namespace TestSupport
