#include "core/updater/releasenotesview.h"

#include "core/updater/ireleasenotesmodule.h"
#include "core/updater/updatenetworkpolicy.h"
#include "core/updater/updaterlogging_p.h"
#include "extensionsystem/pluginmanager.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPluginLoader>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// Shows rich text and loads nothing for it: no style sheets and no images,
// from the web or from this machine's files.
class InertTextBrowser : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int nType, const QUrl &) override
    {
        // Nothing here may be null: Qt reads a resource it was given no
        // value for from a local file itself.
        if (nType == QTextDocument::ImageResource) {
            QImage blank(1, 1, QImage::Format_ARGB32);
            blank.fill(Qt::transparent);
            return blank;
        }
        return QString(QLatin1String(""));
    }
};

// The module sits in the core's own folder below the plug-in folder, which
// the plug-in host does not search for plug-ins. The host found the core in
// one of its plug-in folders; the module is looked for in each of them.
IReleaseNotesModule *loadModule()
{
    const QStringList lstFolders =
        ExtensionSystem::PluginManager::instance() ? ExtensionSystem::PluginManager::pluginPaths() : QStringList();
    QString strReason = QStringLiteral("it is in none of the plug-in folders (%1)")
                            .arg(QDir::toNativeSeparators(lstFolders.join(QLatin1String(", "))));
    for (const QString &strFolder : lstFolders) {
        const QString strFile = QDir(strFolder).filePath(QStringLiteral(ZELTO_RELEASE_NOTES_MODULE_FILE));
        if (!QFileInfo::exists(strFile))
            continue;
        // The loader is not asked to unload: views made by the module may
        // outlive any one of them.
        QPluginLoader loader(strFile);
        if (auto *pModule = qobject_cast<IReleaseNotesModule *>(loader.instance()))
            return pModule;
        strReason = loader.isLoaded() ? QStringLiteral("%1 is not a release notes module of this version")
                                            .arg(QDir::toNativeSeparators(strFile))
                                      : loader.errorString();
        break;
    }
    qCWarning(lcUpdater).noquote()
        << QStringLiteral("Cannot load the release notes module: %1. The notes are shown without the web engine.")
               .arg(strReason);
    return nullptr;
}

} // namespace

ReleaseNotesView::ReleaseNotesView(QWidget *parent)
    : QWidget(parent)
    , m_pModule(loadModule())
{
    auto *pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    if (m_pModule) {
        m_pWebView = m_pModule->createView(this);
        m_pWebView->setObjectName(QStringLiteral("m_pWebViewRL"));
        pLayout->addWidget(m_pWebView);
        return;
    }
    m_pBrowser = new InertTextBrowser(this);
    m_pBrowser->setObjectName(QStringLiteral("m_pBrowserRL"));
    m_pBrowser->setOpenLinks(false);
    connect(m_pBrowser, &QTextBrowser::anchorClicked, this, [](const QUrl &url) {
        if (UpdateNetworkPolicy::isWebUrl(url))
            QDesktopServices::openUrl(url);
    });
    pLayout->addWidget(m_pBrowser);
}

void ReleaseNotesView::setHtml(const QString &strHtml)
{
    if (m_pModule)
        m_pModule->setHtml(m_pWebView, strHtml);
    else
        m_pBrowser->setHtml(strHtml);
}

void ReleaseNotesView::load(const QUrl &url)
{
    if (m_pModule) {
        m_pModule->load(m_pWebView, url, [this](bool bOk) { emit pageLoaded(bOk); });
        return;
    }
    const QString strUrl = url.toString(QUrl::FullyEncoded).toHtmlEscaped();
    m_pBrowser->setHtml(tr("<p>The release notes cannot be shown here. <a href=\"%1\">Open them in the browser</a>.</p>")
                            .arg(strUrl));
}
