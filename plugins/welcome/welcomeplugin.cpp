#include "plugins/welcome/welcomeplugin.h"

#include "core/documents/editormanager.h"
#include "core/i18n/ithemesmanager.h"
#include "core/icore.h"
#include "core/mainwindow.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QUrlQuery>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWebSocketServer>

Q_LOGGING_CATEGORY(lcWelcomePlugin, "zelto.welcome")

namespace {

// The page uses the same colours as the application's theme.
QString pageTheme(const QString &strThemeId)
{
    return strThemeId.compare(QLatin1String("Light"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Light")
                                                                                 : QStringLiteral("Dark");
}

// A page without a background of its own would flash white while it loads.
QColor themeBackground(const QString &strTheme)
{
    return strTheme == QLatin1String("Light") ? QColor(0xf5, 0xf6, 0xf8) : QColor(0x26, 0x28, 0x2c);
}

} // namespace

WelcomePlugin::WelcomePlugin() = default;

WelcomePlugin::~WelcomePlugin()
{
    delete m_pView;
}

bool WelcomePlugin::initialize(const QStringList &, QString *)
{
    return true;
}

//! [page-url]
QUrl WelcomePlugin::pageUrl(quint16 nPort, const QString &strToken, const QString &strThemeId)
{
    QUrl url(QStringLiteral("qrc:///welcome/index.html"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("port"), QString::number(nPort));
    query.addQueryItem(QStringLiteral("token"), strToken);
    query.addQueryItem(QStringLiteral("theme"), pageTheme(strThemeId));
    url.setQuery(query);
    return url;
}
//! [page-url]

void WelcomePlugin::extensionsInitialized()
{
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (!pMainWindow || !pMainWindow->getServer())
        return;

    // The web engine draws through OpenGL; on the headless platforms (and
    // without a shared context) it would abort the whole application, so
    // the work area just stays empty there.
    const QString strPlatform = QGuiApplication::platformName();
    if (strPlatform == QLatin1String("offscreen") || strPlatform == QLatin1String("minimal")
        || !QOpenGLContext::globalShareContext()) {
        qCWarning(lcWelcomePlugin, "The welcome page needs OpenGL, which the platform \"%s\" does not offer; "
                                   "it is not shown.", qUtf8Printable(strPlatform));
        return;
    }

    const QString strTheme = pageTheme(IThemesManager::getInstance().getCurrentThemeId());
    m_pView = new QWebEngineView;
    m_pView->setObjectName(QStringLiteral("WelcomeView"));
    // The page keeps nothing between runs, and two instances running at once
    // must not share one profile's files on disk: it would lock their
    // databases. An off-the-record profile keeps everything in memory. It
    // outlives the view, which the destructor deletes first.
    m_pView->setPage(new QWebEnginePage(new QWebEngineProfile(this), m_pView));
    // The page is the application's own screen, not a browser.
    m_pView->setContextMenuPolicy(Qt::NoContextMenu);
    m_pView->page()->setBackgroundColor(themeBackground(strTheme));
    m_pView->load(pageUrl(pMainWindow->getServer()->serverPort(), pMainWindow->getServerToken(), strTheme));

    // A theme chosen while the application runs reaches the page at once;
    // a page still loading reads it from its address.
    connect(&IThemesManager::getInstance(), &IThemesManager::themeChanged, m_pView, [this](const QString &strId) {
        const QString strPageTheme = pageTheme(strId);
        m_pView->page()->setBackgroundColor(themeBackground(strPageTheme));
        m_pView->page()->runJavaScript(QStringLiteral("window.zeltoWelcome && window.zeltoWelcome.setTheme(\"%1\");")
                                           .arg(strPageTheme));
    });

    pMainWindow->setWelcomeWidget(m_pView);
    if (EditorManager::getEditors().isEmpty())
        pMainWindow->setVisibleWelcomeWidget(true);
}
