#include "tests/common/logrecorder.h"

#include <cstring>

namespace TestSupport {

static LogRecorder *s_pActive = nullptr;
static QtMessageHandler s_previous = nullptr;

LogRecorder::LogRecorder(const char *category)
    : m_category(category)
{
    s_pActive = this;
    s_previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (type == QtWarningMsg && context.category && std::strcmp(context.category, s_pActive->m_category) == 0)
            s_pActive->warnings.append(message);
        else if (s_previous)
            s_previous(type, context, message);
    });
}

LogRecorder::~LogRecorder()
{
    qInstallMessageHandler(s_previous);
    s_pActive = nullptr;
}

} // namespace TestSupport
