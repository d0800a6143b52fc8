#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/i18n/ilanguagemanager.h"
#include "core/icore.h"
#include "core/irecentfilesmanager.h"
#include "core/mainwindow.h"
#include "core/welcome/imainmdiarea.h"
#include "core/welcome/zthtmlexposingwelcome.h"
#include "tests/common/logrecorder.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testhost.h"
#include "tests/common/urlrecorder.h"
#include "zeltoversion.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebChannel>
#include <QtTest>

#include <memory>

class tst_IMainMdiArea : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void workAreaOfTheMainWindow();
    void welcomeObjectOnTheChannel();
    void answers_data();
    void answers();
    void openUrl_data();
    void openUrl();
    void openFileResolvesAgainstApplicationFolder();
    void openFileHandsOtherFilesToTheSystem();
    void openFileOutsideTheApplicationFolder_data();
    void openFileOutsideTheApplicationFolder();
    void openFileMissing();
    void tunnelRunsDisabledCommand();
    void tunnelIgnoresUnknownCommand();
    void removeFileRefreshes_data();
    void removeFileRefreshes();
    void showInExplorer_data();
    void showInExplorer();
    void welcomeWidgetVisibility();
    void activatedSubWindowUpdatesCaption();
    void replacedWorkAreaIsForgotten();

private:
    IMainMdiArea *area() const { return m_pWindow->getMdiArea(); }

    TestSupport::TestHost m_host;
    std::unique_ptr<MainWindow> m_pWindow;
    TestSupport::UrlRecorder m_recorder;
    QTemporaryDir m_dir;
};

void tst_IMainMdiArea::initTestCase()
{
    m_recorder.install();
}

void tst_IMainMdiArea::cleanupTestCase()
{
    m_recorder.uninstall();
}

void tst_IMainMdiArea::init()
{
    m_host.settings()->clear();
    m_pWindow.reset(new MainWindow);
    m_recorder.urls.clear();
}

void tst_IMainMdiArea::cleanup()
{
    m_pWindow.reset();
}

void tst_IMainMdiArea::workAreaOfTheMainWindow()
{
    IMainMdiArea *pArea = area();
    QVERIFY(pArea);
    QCOMPARE(m_pWindow->centralWidget(), pArea);
    QCOMPARE(pArea->viewMode(), QMdiArea::TabbedView);
    QVERIFY(pArea->documentMode());
    QCOMPARE(pArea->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(pArea->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QCOMPARE(pArea->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QVERIFY(pArea->acceptDrops());

    QTabBar *pTabBar = pArea->findChild<QTabBar *>();
    QVERIFY(pTabBar);
    QVERIFY(!pTabBar->expanding());
    // A project's tab has a close button.
    pArea->addSubWindow(new QWidget)->show();
    QCOMPARE(pTabBar->count(), 1);
    QVERIFY(pTabBar->tabsClosable());
    QVERIFY(pTabBar->tabButton(0, QTabBar::RightSide) || pTabBar->tabButton(0, QTabBar::LeftSide));
    QVERIFY(pTabBar->font().bold());
    QVERIFY(!pTabBar->drawBase());
}

void tst_IMainMdiArea::welcomeObjectOnTheChannel()
{
    QObject *pObject = m_pWindow->getChannel()->registeredObjects().value(QStringLiteral("ztwelcome"));
    auto *pWelcome = qobject_cast<ZTHTMLExposingWelcome *>(pObject);
    QVERIFY(pWelcome);
    QCOMPARE(pWelcome->parent(), area());

    // The page sees the signals and slots in this order and with these
    // parameter names.
    const QStringList expected = {
        QStringLiteral("resetRecentFiles()"),
        QStringLiteral("recentFilesChanged()"),
        QStringLiteral("showInExplorer(QString)"),
        QStringLiteral("removeFile(QString)"),
        QStringLiteral("getRecentFileList()"),
        QStringLiteral("callbackTunnelAsync(QString)"),
        QStringLiteral("callbackAsyncfromJS(QString,QString)"),
        QStringLiteral("openURL(QString)"),
        QStringLiteral("openFile(QString)"),
    };
    const QMetaObject *pMeta = pWelcome->metaObject();
    QStringList actual;
    for (int i = pMeta->methodOffset(); i < pMeta->methodCount(); ++i)
        actual << QString::fromLatin1(pMeta->method(i).methodSignature());
    QCOMPARE(actual, expected);
    QCOMPARE(pMeta->method(pMeta->indexOfMethod("callbackAsyncfromJS(QString,QString)")).parameterNames(),
             (QList<QByteArray>{"cmd", "str"}));

    // The page's reload signal is relayed from the work area.
    QSignalSpy reset(pWelcome, &ZTHTMLExposingWelcome::resetRecentFiles);
    emit area()->resetRecentFiles();
    QCOMPARE(reset.size(), 1);

    // The main window's destruction takes the object off the channel first.
    QPointer<ZTHTMLExposingWelcome> pGuard(pWelcome);
    m_pWindow.reset();
    QVERIFY(!pGuard);
}

void tst_IMainMdiArea::answers_data()
{
    QTest::addColumn<QString>("cmd");
    QTest::addColumn<QString>("str");
    QTest::addColumn<QString>("expected");

    const QString strLocale = ILanguageManager::getInstance().getCurrentLangId();
    QTest::newRow("build number") << QStringLiteral("WelcomeScreen.getBuildNumber") << QString() << ZELTO_VERSION;
    QTest::newRow("build number, any argument")
        << QStringLiteral("WelcomeScreen.getBuildNumber") << QStringLiteral("whatever") << ZELTO_VERSION;
    QTest::newRow("locale") << QStringLiteral("WelcomeScreen.getLocale") << QString() << strLocale;
    QTest::newRow("unknown key") << QStringLiteral("WelcomeScreen.getSecrets") << QString() << QString();
    QTest::newRow("key in other case") << QStringLiteral("welcomescreen.getlocale") << QString() << QString();
    QTest::newRow("empty key") << QString() << QString() << QString();
}

void tst_IMainMdiArea::answers()
{
    QFETCH(QString, cmd);
    QFETCH(QString, str);
    QFETCH(QString, expected);
    QCOMPARE(area()->callbackAsyncfromJS(cmd, str), expected);
}

void tst_IMainMdiArea::openUrl_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("opened");

    QTest::newRow("https") << QStringLiteral("https://www.pelum.example/zelto") << true;
    QTest::newRow("http") << QStringLiteral("http://www.pelum.example/") << true;
    QTest::newRow("scheme in capitals") << QStringLiteral("HTTPS://www.pelum.example/") << false;
    QTest::newRow("file") << QStringLiteral("file:///etc/passwd") << false;
    QTest::newRow("script") << QStringLiteral("javascript:alert(1)") << false;
    QTest::newRow("empty") << QString() << false;
}

void tst_IMainMdiArea::openUrl()
{
    QFETCH(QString, url);
    QFETCH(bool, opened);

    TestSupport::ModalAnswerer answerer;
    if (!opened)
        answerer.answer(QMessageBox::Ok);
    area()->openURL(url);

    if (opened) {
        QCOMPARE(m_recorder.urls, QList<QUrl>{QUrl(url)});
        QCOMPARE(answerer.records().size(), 0);
    } else {
        QVERIFY(m_recorder.urls.isEmpty());
        QCOMPARE(answerer.records().size(), 1);
        QCOMPARE(answerer.records().first().title, QStringLiteral("Zelto Rideved"));
        QCOMPARE(answerer.records().first().text, QStringLiteral("URL: ") + url);
    }
}

void tst_IMainMdiArea::openFileResolvesAgainstApplicationFolder()
{
    // A file next to the application, and one of the same name in the
    // current directory that must not be picked.
    const QString strName = QStringLiteral("tst_imainmdiarea_sample.pdf");
    const QString strNextToApp = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(strName);
    QFile appFile(strNextToApp);
    QVERIFY(appFile.open(QIODevice::WriteOnly));
    appFile.close();
    QFile cwdFile(m_dir.filePath(strName));
    QVERIFY(cwdFile.open(QIODevice::WriteOnly));
    cwdFile.close();
    const QString strOldCwd = QDir::currentPath();
    QDir::setCurrent(m_dir.path());

    area()->openFile(strName);

    QDir::setCurrent(strOldCwd);
    QFile::remove(strNextToApp);
    QCOMPARE(m_recorder.urls, QList<QUrl>{QUrl::fromLocalFile(strNextToApp)});
}

void tst_IMainMdiArea::openFileHandsOtherFilesToTheSystem()
{
    // The welcome page opens its recent projects wherever they are.
    const QString strPdf = m_dir.filePath(QStringLiteral("Handbuch Übersicht.pdf"));
    QFile file(strPdf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    IRecentFilesManager::getInstance()->addFile(strPdf);

    TestSupport::ModalAnswerer answerer;
    area()->openFile(strPdf);
    QCOMPARE(m_recorder.urls, QList<QUrl>{QUrl::fromLocalFile(strPdf)});
    QCOMPARE(answerer.records().size(), 0);
}

void tst_IMainMdiArea::openFileOutsideTheApplicationFolder_data()
{
    QTest::addColumn<QString>("file");   // %1 is a file outside, %2 its name
    QTest::addColumn<QString>("link");   // a link next to the application, to the file outside

    QTest::newRow("absolute path") << QStringLiteral("%1") << QString();
    QTest::newRow("up with ..") << QStringLiteral("../../../../../../../../../..%1") << QString();
    QTest::newRow("link leading outside") << QStringLiteral("tst_imainmdiarea_link.pdf")
                                          << QStringLiteral("tst_imainmdiarea_link.pdf");
}

void tst_IMainMdiArea::openFileOutsideTheApplicationFolder()
{
    QFETCH(QString, file);
    QFETCH(QString, link);

    const QString strOutside = m_dir.filePath(QStringLiteral("outside.pdf"));
    QFile outside(strOutside);
    QVERIFY(outside.open(QIODevice::WriteOnly));
    outside.close();
    const QString strLink = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(link);
    if (!link.isEmpty())
        QVERIFY(QFile::link(strOutside, strLink));

    TestSupport::ModalAnswerer answerer;
    TestSupport::LogRecorder log("zelto.core.welcome");
    const QString strFile = file.arg(strOutside);
    area()->openFile(strFile);
    if (!link.isEmpty())
        QFile::remove(strLink);

    QVERIFY(m_recorder.urls.isEmpty());
    QCOMPARE(answerer.records().size(), 0);
    QCOMPARE(log.warnings,
             QStringList{QStringLiteral("Refused to open %1: it is outside the application's folder.").arg(strFile)});
}

void tst_IMainMdiArea::openFileMissing()
{
    const QString strName = QStringLiteral("no_such_tutorial.zelto");
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::Ok);
    area()->openFile(strName);
    QVERIFY(m_recorder.urls.isEmpty());
    QCOMPARE(answerer.records().size(), 1);
    QCOMPARE(answerer.records().first().text,
             QStringLiteral("Could not find the requested file.\n")
                 + QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(strName));
}

void tst_IMainMdiArea::tunnelRunsDisabledCommand()
{
    // The page's button runs the command even while the menu entry is
    // disabled. A context of our own makes our action the command's target,
    // whether or not the main window registered its own Save.
    QWidget context;
    QAction save(QStringLiteral("Save"), nullptr);
    save.setEnabled(false);
    save.setCheckable(true);
    ActionManager::registerAction(&save, QStringLiteral("File.Save"), &context);
    ActionManager::setContext(&context);
    QSignalSpy triggered(&save, &QAction::triggered);

    area()->callbackTunnelAsync(QStringLiteral("File.Save"));

    QCOMPARE(triggered.size(), 1);
    QVERIFY(!save.isChecked());   // emitted, not toggled
    ActionManager::setContext(m_pWindow.get());
    ActionManager::unregisterAction(&save, QStringLiteral("File.Save"));
}

void tst_IMainMdiArea::tunnelIgnoresUnknownCommand()
{
    TestSupport::ModalAnswerer answerer;
    area()->callbackTunnelAsync(QStringLiteral("File.Format_Hard_Disk"));
    area()->callbackTunnelAsync(QString());
    QCOMPARE(answerer.records().size(), 0);
}

void tst_IMainMdiArea::removeFileRefreshes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("remaining");

    QTest::newRow("listed") << QStringLiteral("/p/b.zelto") << QStringList{QStringLiteral("/p/a.zelto")};
    QTest::newRow("not listed") << QStringLiteral("/p/c.zelto")
                                << QStringList{QStringLiteral("/p/a.zelto"), QStringLiteral("/p/b.zelto")};
}

void tst_IMainMdiArea::removeFileRefreshes()
{
    QFETCH(QString, path);
    QFETCH(QStringList, remaining);

    IRecentFilesManager::getInstance()->addFile(QStringLiteral("/p/b.zelto"));
    IRecentFilesManager::getInstance()->addFile(QStringLiteral("/p/a.zelto"));
    auto *pWelcome = area()->findChild<ZTHTMLExposingWelcome *>();
    QSignalSpy reset(pWelcome, &ZTHTMLExposingWelcome::resetRecentFiles);

    pWelcome->removeFile(path);

    QCOMPARE(reset.size(), 1);
    QCOMPARE(pWelcome->getRecentFileList(), remaining);
}

void tst_IMainMdiArea::showInExplorer_data()
{
    QTest::addColumn<int>("kind");   // 0 empty, 1 existing file, 2 missing + Yes, 3 missing + No, 4 not recent
    QTest::newRow("empty path does nothing") << 0;
    QTest::newRow("existing project opens its folder") << 1;
    QTest::newRow("missing project, remove it") << 2;
    QTest::newRow("missing project, keep it") << 3;
    QTest::newRow("file that is no recent project") << 4;
}

void tst_IMainMdiArea::showInExplorer()
{
    QFETCH(int, kind);

    const QString strExisting = m_dir.filePath(QStringLiteral("Übung.zelto"));
    QFile file(strExisting);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString strMissing = m_dir.filePath(QStringLiteral("gone/weg.zelto"));
    IRecentFilesManager::getInstance()->addFile(strMissing);
    if (kind != 4)
        IRecentFilesManager::getInstance()->addFile(strExisting);
    QSignalSpy reset(area(), &IMainMdiArea::resetRecentFiles);

    TestSupport::ModalAnswerer answerer;
    TestSupport::LogRecorder log("zelto.core.welcome");
    switch (kind) {
    case 0:
        area()->showInExplorer(QString());
        QVERIFY(m_recorder.urls.isEmpty());
        QCOMPARE(answerer.records().size(), 0);
        break;
    case 1:
        area()->showInExplorer(strExisting);
        QCOMPARE(m_recorder.urls, QList<QUrl>{QUrl::fromLocalFile(m_dir.path())});
        QCOMPARE(answerer.records().size(), 0);
        break;
    case 2:
    case 3:
        answerer.answer(kind == 2 ? QMessageBox::Yes : QMessageBox::No);
        area()->showInExplorer(strMissing);
        QCOMPARE(answerer.records().size(), 1);
        QCOMPARE(answerer.records().first().text,
                 QStringLiteral("The project [%1] no longer exists.\nDo you want to remove this entry from history?")
                     .arg(strMissing));
        QVERIFY(m_recorder.urls.isEmpty());
        QCOMPARE(IRecentFilesManager::getInstance()->getRecentFiles().contains(strMissing), kind == 3);
        QCOMPARE(reset.size(), kind == 2 ? 1 : 0);
        break;
    case 4:
        // The page may show the folders of the projects it lists, not any other.
        area()->showInExplorer(strExisting);
        QVERIFY(m_recorder.urls.isEmpty());
        QCOMPARE(answerer.records().size(), 0);
        QCOMPARE(log.warnings, QStringList{QStringLiteral("Refused to show the folder of %1: it is outside the "
                                                          "application's folder.").arg(strExisting)});
        break;
    }
}

void tst_IMainMdiArea::welcomeWidgetVisibility()
{
    QSignalSpy reset(area(), &IMainMdiArea::resetRecentFiles);
    // Without a welcome widget nothing happens.
    m_pWindow->setVisibleWelcomeWidget(true);
    QCOMPARE(reset.size(), 0);

    QPointer<QWidget> pPage = new QWidget;
    m_pWindow->setWelcomeWidget(pPage);
    QCOMPARE(area()->getWelcomeWidget(), pPage.data());
    QVERIFY(pPage->isHidden());
    m_pWindow->resize(800, 600);
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow.get()));

    m_pWindow->setVisibleWelcomeWidget(true);
    QVERIFY(pPage->isVisible());
    QCOMPARE(reset.size(), 1);
    QCOMPARE(pPage->geometry(), area()->contentsRect());

    // Each showing reloads the list; hiding does not.
    m_pWindow->setVisibleWelcomeWidget(true);
    QCOMPARE(reset.size(), 2);
    m_pWindow->setVisibleWelcomeWidget(false);
    QVERIFY(pPage->isHidden());
    QCOMPARE(reset.size(), 2);

    // The page follows the work area's size.
    m_pWindow->setVisibleWelcomeWidget(true);
    m_pWindow->resize(900, 700);
    QTRY_COMPARE(pPage->geometry(), area()->contentsRect());

    // A page its plug-in deleted is forgotten.
    delete pPage;
    QVERIFY(!area()->getWelcomeWidget());
    m_pWindow->setVisibleWelcomeWidget(true);
    QCOMPARE(reset.size(), 3);
}

void tst_IMainMdiArea::activatedSubWindowUpdatesCaption()
{
    QSignalSpy path(m_pWindow.get(), &MainWindow::updateWindowFilePath);
    QSignalSpy modified(m_pWindow.get(), &MainWindow::updateModified);

    auto *pWidget = new QWidget;
    pWidget->setWindowFilePath(QStringLiteral("/projects/Übung.zelto"));
    pWidget->setWindowTitle(QStringLiteral("Übung.zelto[*]"));
    QMdiSubWindow *pSub = area()->addSubWindow(pWidget);
    pSub->setWindowFilePath(QStringLiteral("/projects/Übung.zelto"));
    pSub->setWindowModified(true);
    // The offscreen platform activates no windows, so the area's signal is
    // raised by hand; the main window's connection to it is what is tested.
    emit area()->subWindowActivated(pSub);
    QCOMPARE(path.size(), 1);
    QCOMPARE(path.last().at(0).toString(), QStringLiteral("/projects/Übung.zelto"));
    QCOMPARE(modified.last().at(0).toBool(), true);

    emit area()->subWindowActivated(nullptr);   // the last one closed: caption stays
    QCOMPARE(path.size(), 1);
}

void tst_IMainMdiArea::replacedWorkAreaIsForgotten()
{
    // QMainWindow deletes the old central widget; the window must neither
    // use nor delete it again.
    m_pWindow->setCentralWidget(new QWidget);
    QTRY_VERIFY(!m_pWindow->getMdiArea());   // deleted later
    m_pWindow->setWelcomeWidget(new QWidget(m_pWindow.get()));
    m_pWindow->setVisibleWelcomeWidget(true);
    m_pWindow.reset();
}

QTEST_MAIN(tst_IMainMdiArea)
#include "tst_imainmdiarea.moc"
