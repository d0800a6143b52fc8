#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/documents/editormanager.h"
#include "core/documents/ieditor.h"
#include "core/icore.h"
#include "core/irecentfilesmanager.h"
#include "core/mainwindow.h"
#include "core/welcome/imainmdiarea.h"
#include "core/welcome/zthtmlexposingwelcome.h"
#include "extensionsystem/pluginmanager.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/testdocumentfactory.h"
#include "tests/common/testhost.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char kRecentKey[] = "Zelto/RecentProjects";

QStringList numberedPaths(int nCount)
{
    QStringList lstPaths;
    for (int i = 1; i <= nCount; ++i)
        lstPaths << QStringLiteral("/projects/p%1.zelto").arg(i);
    return lstPaths;
}

QMenu *recentMenu()
{
    return ActionManager::getActionContainer(QStringLiteral("File.Recent_Projects"))->getMenu();
}

// The projects the user sees in File > Recent Projects, as shown (without
// the mnemonics' "&"); the commands under the separator are not counted.
QStringList visibleEntries()
{
    QStringList lstTexts;
    for (QAction *pAction : recentMenu()->actions()) {
        if (pAction->isSeparator())
            break;
        if (pAction->isVisible())
            lstTexts << QString(pAction->text()).replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
    }
    return lstTexts;
}

} // namespace

class tst_RecentMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void menuMirrorsList_data();
    void menuMirrorsList();
    void refreshHidesDroppedEntries();
    void entryOpensProject();
    void missingProject_data();
    void missingProject();
    void clearAndRemoveMissing();

private:
    TestSupport::TestHost m_host;
    TestDocumentFactory m_factory;
};

void tst_RecentMenu::initTestCase()
{
    ExtensionSystem::PluginManager::addObject(&m_factory);
}

void tst_RecentMenu::cleanupTestCase()
{
    ExtensionSystem::PluginManager::removeObject(&m_factory);
}

void tst_RecentMenu::init()
{
    ICore::settings()->clear();
}

void tst_RecentMenu::menuMirrorsList_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("shown");

    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("three") << 3 << 3;
    QTest::newRow("exactly ten") << 10 << 10;
    QTest::newRow("longer list from elsewhere") << 13 << 10;
}

void tst_RecentMenu::menuMirrorsList()
{
    QFETCH(int, stored);
    QFETCH(int, shown);
    ICore::settings()->setValue(QLatin1String(kRecentKey), numberedPaths(stored));

    MainWindow window;
    QCOMPARE(recentMenu()->actions().size(), 13);   // ten places, a separator, Clear List, Remove Missing
    QCOMPARE(recentMenu()->isEnabled(), shown != 0);
    QCOMPARE(recentMenu()->menuAction()->isEnabled(), shown != 0);
    QStringList lstExpected;
    const QStringList lstPaths = numberedPaths(shown);
    for (int i = 0; i < shown; ++i)
        lstExpected << QStringLiteral("%1. %2").arg(i + 1).arg(lstPaths.at(i));
    QCOMPARE(visibleEntries(), lstExpected);
    for (int i = 0; i < shown; ++i)
        QCOMPARE(recentMenu()->actions().at(i)->data().toString(), lstPaths.at(i));
}

void tst_RecentMenu::refreshHidesDroppedEntries()
{
    ICore::settings()->setValue(QLatin1String(kRecentKey), numberedPaths(4));
    MainWindow window;
    QCOMPARE(visibleEntries().size(), 4);

    // Whoever changes the list (here a project's close prompt would), the
    // menu shows it at once and the welcome page is told.
    auto *pPage = window.getMdiArea()->findChild<ZTHTMLExposingWelcome *>();
    QSignalSpy pageTold(pPage, &ZTHTMLExposingWelcome::recentFilesChanged);
    IRecentFilesManager::getInstance()->addFile(QStringLiteral("/projects/new.zelto"));
    QCOMPARE(visibleEntries().first(), QStringLiteral("1. /projects/new.zelto"));
    QCOMPARE(visibleEntries().size(), 5);
    IRecentFilesManager::getInstance()->removeFile(QStringLiteral("/projects/p4.zelto"));
    QCOMPARE(visibleEntries().size(), 4);
    QCOMPARE(pageTold.size(), 2);
    QCOMPARE(pPage->property("recentFiles").toStringList(), IRecentFilesManager::getInstance()->getRecentFiles());

    ICore::settings()->setValue(QLatin1String(kRecentKey), numberedPaths(2));
    window.updateRecentFileActions();
    QCOMPARE(visibleEntries(), (QStringList{"1. /projects/p1.zelto", "2. /projects/p2.zelto"}));

    ICore::settings()->remove(QLatin1String(kRecentKey));
    window.updateRecentFileActions();
    QVERIFY(visibleEntries().isEmpty());
    QVERIFY(!recentMenu()->isEnabled());
}

void tst_RecentMenu::entryOpensProject()
{
    QTemporaryDir dir;
    const QString strFile = dir.filePath(QStringLiteral("kept.zelto"));
    QVERIFY(writeProjectFile(strFile));
    ICore::settings()->setValue(QLatin1String(kRecentKey), QStringList{QStringLiteral("/projects/x.zelto"), strFile});

    MainWindow window;
    recentMenu()->actions().at(1)->trigger();
    QCOMPARE(EditorManager::getEditors().size(), 1);
    QCOMPARE(EditorManager::activeEditor()->getDocument()->getFileName(), strFile);
    QCOMPARE(IRecentFilesManager::getInstance()->getRecentFiles().first(), strFile);
    // The window shows the list, so opening a project refreshes its menu at once.
    QCOMPARE(visibleEntries().first(), QStringLiteral("1. %1").arg(strFile));
    window.close();
}

void tst_RecentMenu::missingProject_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("remaining");

    QTest::newRow("keep the entry") << int(QMessageBox::No)
                                    << QStringList{"/projects/p1.zelto", "/projects/p2.zelto"};
    QTest::newRow("remove the entry") << int(QMessageBox::Yes) << QStringList{"/projects/p1.zelto"};
}

void tst_RecentMenu::missingProject()
{
    QFETCH(int, answer);
    QFETCH(QStringList, remaining);
    ICore::settings()->setValue(QLatin1String(kRecentKey), numberedPaths(2));

    MainWindow window;
    TestSupport::ModalAnswerer answerer;
    answerer.answer(QMessageBox::StandardButton(answer));
    recentMenu()->actions().at(1)->trigger();

    QCOMPARE(answerer.records().size(), 1);
    QCOMPARE(answerer.records().first().text,
             QStringLiteral("The project [/projects/p2.zelto] no longer exists.\n"
                            "Do you want to remove this entry from history?"));
    QCOMPARE(IRecentFilesManager::getInstance()->getRecentFiles(), remaining);
    QCOMPARE(visibleEntries().size(), remaining.size());
    QVERIFY(EditorManager::getEditors().isEmpty());
}

void tst_RecentMenu::clearAndRemoveMissing()
{
    QTemporaryDir dir;
    const QString strKept = dir.filePath(QStringLiteral("a&b.zelto"));
    QVERIFY(writeProjectFile(strKept));
    ICore::settings()->setValue(QLatin1String(kRecentKey),
                                QStringList{QStringLiteral("/projects/gone.zelto"), strKept,
                                            QStringLiteral("/projects/also gone.zelto")});
    MainWindow window;
    auto *pPage = window.getMdiArea()->findChild<ZTHTMLExposingWelcome *>();
    QSignalSpy pageTold(pPage, &ZTHTMLExposingWelcome::recentFilesChanged);
    const QList<QAction *> lstActions = recentMenu()->actions();
    QCOMPARE(lstActions.at(0)->text(), QStringLiteral("&1. /projects/gone.zelto"));
    QCOMPARE(lstActions.at(1)->text(), QStringLiteral("&2. %1").arg(QString(strKept).replace("&", "&&")));
    QVERIFY(lstActions.at(10)->isSeparator());
    QCOMPARE(lstActions.at(11)->text(), QStringLiteral("&Clear List"));
    QCOMPARE(lstActions.at(12)->text(), QStringLiteral("&Remove Missing Projects"));

    lstActions.at(12)->trigger();
    QCOMPARE(IRecentFilesManager::getInstance()->getRecentFiles(), QStringList{strKept});
    QCOMPARE(visibleEntries(), QStringList{QStringLiteral("1. %1").arg(strKept)});
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Missing projects removed from the list: 2"));
    lstActions.at(12)->trigger();
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Every project in the list still exists."));

    lstActions.at(11)->trigger();
    QVERIFY(IRecentFilesManager::getInstance()->getRecentFiles().isEmpty());
    QVERIFY(visibleEntries().isEmpty());
    QVERIFY(!recentMenu()->isEnabled());
    // The welcome page heard of both changes, and of nothing else.
    QCOMPARE(pageTold.size(), 2);
}

QTEST_MAIN(tst_RecentMenu)
#include "tst_recentmenu.moc"
