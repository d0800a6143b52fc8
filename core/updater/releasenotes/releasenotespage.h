#pragma once

#include <QWebEnginePage>

QT_BEGIN_NAMESPACE
class QWebEngineProfile;
QT_END_NAMESPACE

// The page of the release notes view. Release notes come from an appcast,
// possibly over plain http, so they are shown like mail from a stranger:
// no JavaScript (so no WebSocket to the application's bridge), no local
// files, no storage shared with the application's own pages (a private,
// off-the-record profile), and nothing fetched but the notes' page itself:
// no images, style sheets, frames or anything else a page pulls in, which
// could tell a third party who reads them. Its own load, and http(s)
// redirects of a page loaded from the web, are the only navigations it
// makes; a click on a link opens an http(s) address in the system browser
// and anything else not at all.
class ReleaseNotesPage : public QWebEnginePage
{
    Q_OBJECT

public:
    // The profile must outlive the page.
    ReleaseNotesPage(QWebEngineProfile *profile, QObject *parent);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;

private:
    bool m_bLinkCatcher = false;   // made by createWindow for one link
};
