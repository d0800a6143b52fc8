#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

namespace TestSupport {

// Stands in for the system's browser, file manager and shell: once installed,
// the URLs QDesktopServices would open (http, https, file) are recorded
// instead of opened.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    ~UrlRecorder() override;

    void install();
    void uninstall();

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }

private:
    bool m_bInstalled = false;
};

} // namespace TestSupport
