#include "urlrecorder.h"

#include <QDesktopServices>

namespace TestSupport {

namespace {
const char *const kSchemes[] = {"http", "https", "file"};
}

UrlRecorder::~UrlRecorder()
{
    uninstall();
}

void UrlRecorder::install()
{
    for (const char *scheme : kSchemes)
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    m_bInstalled = true;
}

void UrlRecorder::uninstall()
{
    if (!m_bInstalled)
        return;
    for (const char *scheme : kSchemes)
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    m_bInstalled = false;
}

} // namespace TestSupport
