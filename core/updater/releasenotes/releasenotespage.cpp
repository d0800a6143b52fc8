#include "core/updater/releasenotes/releasenotespage.h"

#include "core/updater/updatenetworkpolicy.h"

#include <QDesktopServices>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

namespace {

// Lets through the loads of the page itself and nothing it pulls in.
class SubresourceBlocker : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        info.block(info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame);
    }
};

} // namespace

ReleaseNotesPage::ReleaseNotesPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    QWebEngineSettings *pSettings = settings();
    pSettings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    pSettings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    pSettings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    pSettings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    pSettings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    pSettings->setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
    pSettings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    setUrlRequestInterceptor(new SubresourceBlocker(this));
}

bool ReleaseNotesPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (m_bLinkCatcher) {
        // Made for a link with a target: its first navigation is that link.
        if (UpdateNetworkPolicy::isWebUrl(url))
            QDesktopServices::openUrl(url);
        deleteLater();
        return false;
    }
    if (type == NavigationTypeLinkClicked) {
        if (UpdateNetworkPolicy::isWebUrl(url))
            QDesktopServices::openUrl(url);
        return false;
    }
    // The dialog's own load: the notes' address, or their HTML as data.
    if (type == NavigationTypeTyped && isMainFrame)
        return true;
    // A page from the web may be redirected on the web; notes given as text
    // lead nowhere (a refresh in them would load a page of their choosing).
    // Frames stay on the web, and load nothing anyway; about:blank and
    // srcdoc frames hold nothing of their own.
    if (isMainFrame)
        return UpdateNetworkPolicy::isWebUrl(url) && UpdateNetworkPolicy::isWebUrl(requestedUrl());
    return UpdateNetworkPolicy::isWebUrl(url) || url.scheme() == QLatin1String("about");
}

QWebEnginePage *ReleaseNotesPage::createWindow(WebWindowType)
{
    // A link with a target asks for a window first; the page made for it
    // only catches the link and goes.
    auto *pCatcher = new ReleaseNotesPage(profile(), this);
    pCatcher->m_bLinkCatcher = true;
    return pCatcher;
}
