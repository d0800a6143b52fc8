#include "core/i18n/ilanguagemanager.h"
#include "core/i18n/ithemesmanager.h"
#include "core/irecentfilesmanager.h"
#include "core/mainwindow.h"
#include "core/welcome/imainmdiarea.h"
#include "plugins/welcome/welcomeplugin.h"
#include "tests/common/httpserver.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testdocumentfactory.h"
#include "tests/common/testhost.h"
#include "tests/common/urlrecorder.h"
#include "zeltoversion.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWebSocketServer>
#include <QtTest>

#include <memory>

class tst_WelcomePage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pageUrl_data();
    void pageUrl();
    void loadsConnectsAndListsRecentProjects();
    void clickOnProjectOpensIt();
    void clickOnProjectReachesTheLoader();
    void clickOnMissingProjectSaysSo();
    void removeButtonRefreshesList();
    void screenReadersAndKeyboard();
    void followsTheThemeAtOnce();
    void fitsSmallWindows();
    void linksGoToTheBrowser();
    void webSiteAndSandboxedFrameAreRefused();

private:
    QVariant js(const QString &script);
    bool waitForJs(const QString &script, const QVariant &expected, int timeoutMs = 30000);
    void clickElement(const QString &selector);
    QStringList renderedPaths();

    TestSupport::TestHost m_host;
    QTemporaryDir m_dir;
    TestSupport::UrlRecorder m_recorder;
    std::unique_ptr<MainWindow> m_pWindow;
    std::unique_ptr<WelcomePlugin> m_pPlugin;
    QWebEngineView *m_pView = nullptr;
    QStringList m_lstRecent;
};

QVariant tst_WelcomePage::js(const QString &script)
{
    QVariant result;
    bool bDone = false;
    m_pView->page()->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        bDone = true;
    });
    if (!QTest::qWaitFor([&] { return bDone; }, 10000))
        qWarning("The page did not answer: %s", qPrintable(script));
    return result;
}

bool tst_WelcomePage::waitForJs(const QString &script, const QVariant &expected, int timeoutMs)
{
    return QTest::qWaitFor([&] { return js(script) == expected; }, timeoutMs);
}

// A real mouse click in the middle of the element (of its first line, for a
// link that wraps), as the user makes it.
void tst_WelcomePage::clickElement(const QString &selector)
{
    const QVariantList rect = js(QStringLiteral("(function(){var r=document.querySelector(\"%1\")"
                                                ".getClientRects()[0];return [r.left,r.top,r.width,r.height];})()")
                                     .arg(selector))
                                  .toList();
    QVERIFY2(rect.size() == 4, qPrintable(selector));
    const QPoint center(int(rect.at(0).toDouble() + rect.at(2).toDouble() / 2),
                        int(rect.at(1).toDouble() + rect.at(3).toDouble() / 2));
    QWidget *pTarget = m_pView->focusProxy() ? m_pView->focusProxy() : m_pView;
    QTest::mouseMove(pTarget, center);
    // Hover styles (the row's buttons) apply once the page saw the move.
    QVERIFY2(waitForJs(QStringLiteral("(function(){var e=document.elementFromPoint(%1,%2);"
                                      "var t=document.querySelector(\"%3\");return !!e&&(e===t||t.contains(e));})()")
                           .arg(center.x())
                           .arg(center.y())
                           .arg(selector),
                       true, 10000),
             qPrintable(selector));
    QTest::mouseClick(pTarget, Qt::LeftButton, Qt::NoModifier, center);
}

QStringList tst_WelcomePage::renderedPaths()
{
    return js(QStringLiteral("Array.from(document.querySelectorAll('.project'))"
                             ".map(function(e){return e.getAttribute('data-path');})"))
        .toStringList();
}

void tst_WelcomePage::initTestCase()
{
    m_recorder.install();

    // Most recent first: a project, a document the system opens, a project
    // that was deleted meanwhile.
    const QString strPdf = m_dir.filePath(QStringLiteral("Handbuch Übersicht.pdf"));
    const QString strProject = m_dir.filePath(QStringLiteral("Übung.zelto"));
    for (const QString &strPath : {strPdf, strProject}) {
        QFile file(strPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QString strMissing = m_dir.filePath(QStringLiteral("gelöscht/weg.zelto"));
    for (const QString &strPath : {strMissing, strProject, strPdf})
        IRecentFilesManager::getInstance()->addFile(strPath);
    m_lstRecent = IRecentFilesManager::getInstance()->getRecentFiles();

    // The page speaks the running language.
    m_host.settings()->setValue(QStringLiteral("Zelto/Language"), QStringLiteral("de_DE"));
    ILanguageManager::getInstance().initialize();

    m_pWindow.reset(new MainWindow);
    m_pWindow->resize(1200, 800);
    m_pPlugin.reset(new WelcomePlugin);
    QVERIFY(m_pPlugin->initialize(QStringList(), nullptr));
    m_pPlugin->extensionsInitialized();
    m_pView = qobject_cast<QWebEngineView *>(m_pWindow->getMdiArea()->getWelcomeWidget());
    QVERIFY(m_pView);
    // Two instances at once would lock each other's profile on disk.
    QVERIFY(m_pView->page()->profile()->isOffTheRecord());
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow.get()));
    QVERIFY(m_pView->isVisible());
}

void tst_WelcomePage::cleanupTestCase()
{
    m_pPlugin.reset();
    m_pWindow.reset();
    m_recorder.uninstall();
}

void tst_WelcomePage::pageUrl_data()
{
    QTest::addColumn<QString>("themeId");
    QTest::addColumn<QString>("theme");
    QTest::newRow("dark") << QStringLiteral("Dark") << QStringLiteral("Dark");
    QTest::newRow("light") << QStringLiteral("Light") << QStringLiteral("Light");
    QTest::newRow("light, other case") << QStringLiteral("light") << QStringLiteral("Light");
    QTest::newRow("no theme applied") << QString() << QStringLiteral("Dark");
}

void tst_WelcomePage::pageUrl()
{
    QFETCH(QString, themeId);
    QFETCH(QString, theme);
    const QUrl url = WelcomePlugin::pageUrl(4321, QStringLiteral("a-Z_9"), themeId);
    QCOMPARE(url.scheme(), QStringLiteral("qrc"));
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue(QStringLiteral("port")), QStringLiteral("4321"));
    QCOMPARE(query.queryItemValue(QStringLiteral("token")), QStringLiteral("a-Z_9"));
    QCOMPARE(query.queryItemValue(QStringLiteral("theme")), theme);
}

void tst_WelcomePage::loadsConnectsAndListsRecentProjects()
{
    QVERIFY2(waitForJs(QStringLiteral("document.body && document.body.getAttribute('data-state')"), QStringLiteral("ready")),
             qPrintable(js(QStringLiteral("document.getElementById('status').textContent")).toString()));
    QCOMPARE(js(QStringLiteral("window.zeltoWelcome.connected")).toBool(), true);
    QCOMPARE(renderedPaths(), m_lstRecent);
    QVERIFY(waitForJs(QStringLiteral("document.getElementById('build').textContent"), QStringLiteral("Build " ZELTO_VERSION)));
    QCOMPARE(js(QStringLiteral("document.getElementById('newProject').textContent.trim()")).toString(),
             QStringLiteral("+Neues Projekt"));
    QCOMPARE(js(QStringLiteral("document.documentElement.lang")).toString(), QStringLiteral("de"));
    QCOMPARE(js(QStringLiteral("document.body.className")).toString(), QStringLiteral("theme-dark"));
    QCOMPARE(js(QStringLiteral("document.querySelector('.project .name').textContent")).toString(),
             QStringLiteral("Handbuch Übersicht.pdf"));
}

void tst_WelcomePage::clickOnProjectOpensIt()
{
    m_recorder.urls.clear();
    clickElement(QStringLiteral(".project[data-path$='.pdf'] .name"));
    QTRY_COMPARE(m_recorder.urls.size(), 1);
    QCOMPARE(m_recorder.urls.first(), QUrl::fromLocalFile(m_lstRecent.at(0)));
}

void tst_WelcomePage::clickOnProjectReachesTheLoader()
{
    // The factory that serves the suffix is asked for the document; it makes
    // no editor, so the page stays for the tests after this one.
    TestDocumentFactory factory;
    factory.m_bEditorSucceeds = false;
    ExtensionSystem::PluginManager::addObject(&factory);
    m_recorder.urls.clear();
    clickElement(QStringLiteral(".project[data-path*='bung.zelto'] .name"));
    QTRY_COMPARE_WITH_TIMEOUT(factory.m_lstDocuments.size(), 1, 15000);
    ExtensionSystem::PluginManager::removeObject(&factory);
    QVERIFY(m_recorder.urls.isEmpty());
    QVERIFY(m_pView->isVisible());
}

void tst_WelcomePage::clickOnMissingProjectSaysSo()
{
    // The same offer as the menu's: kept here, the remove button drops it below.
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::No);
    clickElement(QStringLiteral(".project[data-path*='weg.zelto'] .name"));
    QVERIFY(answerer.waitForAnswers(1, 15000));
    QCOMPARE(answerer.records().first().text,
             QStringLiteral("The project [%1] no longer exists.\nDo you want to remove this entry from history?")
                 .arg(m_lstRecent.at(2)));
    QCOMPARE(renderedPaths(), m_lstRecent);
}

void tst_WelcomePage::removeButtonRefreshesList()
{
    const QString strMissing = m_lstRecent.at(2);
    // The buttons show while the pointer is over the row; the click does
    // not reach the row (no "Could not find" box).
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);   // so a wrong click cannot block the test
    clickElement(QStringLiteral(".project[data-path*='weg.zelto'] .remove"));
    QTRY_COMPARE_WITH_TIMEOUT(renderedPaths(), m_lstRecent.mid(0, 2), 15000);
    QVERIFY(!IRecentFilesManager::getInstance()->getRecentFiles().contains(strMissing));
    QCOMPARE(answerer.records().size(), 0);
}

void tst_WelcomePage::screenReadersAndKeyboard()
{
    // What assistive tools read: the list, its help, each entry as a button
    // that says what it opens, the status as a live region.
    QCOMPARE(js(QStringLiteral("document.getElementById('recentList').getAttribute('aria-labelledby')")).toString(),
             QStringLiteral("recentHeading"));
    QVERIFY(!js(QStringLiteral("document.getElementById('recentHelp').textContent")).toString().isEmpty());
    QCOMPARE(js(QStringLiteral("document.getElementById('status').getAttribute('role')")).toString(),
             QStringLiteral("status"));
    QCOMPARE(js(QStringLiteral("document.querySelectorAll('.glyph[aria-hidden=true]').length")).toInt(), 2);
    const QString strPdf = m_lstRecent.at(0);
    QCOMPARE(js(QStringLiteral("Array.from(document.querySelectorAll('.entry'))"
                               ".map(function(e){return e.getAttribute('role')+' '+e.tabIndex+' '"
                               "+e.getAttribute('aria-label');})"))
                 .toStringList()
                 .first(),
             QStringLiteral("button 0 Handbuch Übersicht.pdf in %1 öffnen").arg(QFileInfo(strPdf).path()));

    // Tab reaches the page from the window's other controls, then goes from
    // entry to entry; the arrow keys too.
    js(QStringLiteral("document.activeElement && document.activeElement.blur()"));
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));
    QWidget *pTarget = m_pView->focusProxy() ? m_pView->focusProxy() : m_pView;
    m_pWindow->getUserAccountLink()->setFocus();
    for (int i = 0; i < 30 && QApplication::focusWidget() != pTarget; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), pTarget);
    const QString strActive = QStringLiteral("document.activeElement && document.activeElement.getAttribute('data-path')");
    const QString strWhere = QStringLiteral("document.activeElement ? document.activeElement.id"
                                            " + document.activeElement.className + document.activeElement.tabIndex : ''");
    for (int i = 0; i < 10 && js(strActive).toString().isEmpty(); ++i) {
        const QVariant before = js(strWhere);
        QTest::keyClick(pTarget, Qt::Key_Tab);
        if (!QTest::qWaitFor([&] { return js(strWhere) != before; }, 3000))
            break;
    }
    QTRY_COMPARE(js(strActive).toString(), strPdf);
    QTest::keyClick(pTarget, Qt::Key_Tab);
    QTRY_COMPARE(js(strActive).toString(), m_lstRecent.at(1));
    QTest::keyClick(pTarget, Qt::Key_Up);
    QTRY_COMPARE(js(strActive).toString(), strPdf);

    // Enter opens the entry, Delete removes it and the next one takes the focus.
    m_recorder.urls.clear();
    QTest::keyClick(pTarget, Qt::Key_Return);
    QTRY_COMPARE(m_recorder.urls.size(), 1);
    QCOMPARE(m_recorder.urls.first(), QUrl::fromLocalFile(strPdf));
    QTest::keyClick(pTarget, Qt::Key_Delete);
    QTRY_COMPARE_WITH_TIMEOUT(renderedPaths(), QStringList{m_lstRecent.at(1)}, 15000);
    QVERIFY(!IRecentFilesManager::getInstance()->getRecentFiles().contains(strPdf));
    QTRY_COMPARE(js(strActive).toString(), m_lstRecent.at(1));
}

void tst_WelcomePage::followsTheThemeAtOnce()
{
    emit IThemesManager::getInstance().themeChanged(QStringLiteral("Light"));
    QVERIFY(waitForJs(QStringLiteral("document.body.className"), QStringLiteral("theme-light")));
    QCOMPARE(js(QStringLiteral("getComputedStyle(document.body).backgroundColor")).toString(),
             QStringLiteral("rgb(245, 246, 248)"));
    emit IThemesManager::getInstance().themeChanged(QStringLiteral("Dark"));
    QVERIFY(waitForJs(QStringLiteral("document.body.className"), QStringLiteral("theme-dark")));
}

void tst_WelcomePage::fitsSmallWindows()
{
    // From the smallest window up, nothing needs scrolling sideways.
    const QString strFits = QStringLiteral("document.documentElement.scrollWidth <= document.documentElement.clientWidth");
    for (const QSize &size : {QSize(640, 480), QSize(800, 600), QSize(1200, 800)}) {
        m_pWindow->resize(size);
        QTRY_COMPARE(m_pView->width(), m_pWindow->getMdiArea()->viewport()->width());
        QVERIFY2(waitForJs(QStringLiteral("window.innerWidth"), m_pView->width()), qPrintable(QString::number(size.width())));
        QVERIFY2(js(strFits).toBool(), qPrintable(QString::number(size.width())));
    }
}

void tst_WelcomePage::linksGoToTheBrowser()
{
    m_recorder.urls.clear();
    // The page may still be filling itself in when this test runs on its own.
    QVERIFY(waitForJs(QStringLiteral("!!document.querySelector('#learnMore')"), true));
    const QUrl before = m_pView->url();
    clickElement(QStringLiteral("#learnMore"));
    QTRY_COMPARE(m_recorder.urls.size(), 1);
    QCOMPARE(m_recorder.urls.first().scheme(), QStringLiteral("https"));
    QCOMPARE(m_pView->url(), before);   // the welcome view stays on its page
}

// A web site open in the same engine tries the bridge itself and from a
// sandboxed frame (origin "null"), both with the right port and token. Both
// are refused; the welcome page stays connected.
void tst_WelcomePage::webSiteAndSandboxedFrameAreRefused()
{
    const QString strBridge = QStringLiteral("ws://127.0.0.1:%1/?token=%2")
                                  .arg(m_pWindow->getServer()->serverPort())
                                  .arg(m_pWindow->getServerToken());
    const QString strTry = QStringLiteral(
        "function tryBridge(report) {"
        "  var ws = new WebSocket('%1');"
        "  ws.onopen = function () { report('served'); };"
        "  ws.onclose = function (e) { report('closed ' + e.code); };"
        "}").arg(strBridge);
    const QByteArray page = QStringLiteral(
        "<!DOCTYPE html><html><body><script>%1"
        "window.results = {};"
        "tryBridge(function (r) { window.results.site = r; });"
        "window.addEventListener('message', function (e) { window.results.frame = e.data; });"
        "var frame = document.createElement('iframe');"
        "frame.setAttribute('sandbox', 'allow-scripts');"
        "frame.srcdoc = '<script>' + tryBridge.toString()"
        "    + 'tryBridge(function (r) { parent.postMessage(r, \\'*\\'); });<' + '/script>';"
        "document.body.appendChild(frame);"
        "</script></body></html>").arg(strTry).toUtf8();
    TestSupport::HttpServer server;
    QVERIFY(server.listen());
    server.setBody(QStringLiteral("/site.html"), page, "text/html");

    QTest::ignoreMessage(QtWarningMsg, "Refused a WebSocket connection from origin null.");
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Refused a WebSocket connection from origin "
                                                                 "http://127.0.0.1:%1.").arg(server.port())));
    QWebEngineView site;
    site.resize(400, 300);
    site.show();
    site.load(server.url(QStringLiteral("/site.html")));
    QVariantMap results;
    QVERIFY(QTest::qWaitFor([&] {
        bool bDone = false;
        site.page()->runJavaScript(QStringLiteral("window.results"), [&](const QVariant &value) {
            results = value.toMap();
            bDone = true;
        });
        return QTest::qWaitFor([&] { return bDone; }, 5000) && results.size() == 2;
    }, 30000));
    // 1006: the handshake was refused, no connection was made.
    QCOMPARE(results.value(QStringLiteral("site")).toString(), QStringLiteral("closed 1006"));
    QCOMPARE(results.value(QStringLiteral("frame")).toString(), QStringLiteral("closed 1006"));

    QCOMPARE(js(QStringLiteral("window.zeltoWelcome.connected")).toBool(), true);
    QVERIFY(!renderedPaths().isEmpty());
}

QTEST_MAIN(tst_WelcomePage)
#include "tst_welcomepage.moc"
