#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/proxyaction.h"
#include "core/mainwindow.h"
#include "tests/common/testhost.h"

#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class tst_ActionManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void registeringTwiceGivesOneCommand();
    void newCommandIsHeldByTheMainWindow();
    void unregisterLastActionRemovesCommand();
    void unregisterUnknownIdIsSilent();
    void setContextFallsBackToMainWindow();
    void saveWritesPortableTextAndKeepsCleared();
    void readFromSettings_data();
    void readFromSettings();
    void savedShortcutsSurviveRestart();
    void menuContainerIsCreatedOnce();
    void deletedContainerIsForgotten();

private:
    // The Test.New, Test.Undo and Test.Save commands with their defaults.
    void registerStandardCommands();
    void restart();
    QString shortcutOf(const QString &id) const;

    TestSupport::TestHost m_host;
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_pSettings;
    MainWindow *m_pWindow = nullptr;
};

void tst_ActionManager::init()
{
    QFile::remove(m_dir.filePath(QStringLiteral("shortcuts.ini")));
    m_pSettings.reset(new QSettings(m_dir.filePath(QStringLiteral("shortcuts.ini")),
                                    QSettings::IniFormat));
    m_pWindow = new MainWindow;
    ActionManager::setSettings(m_pSettings.get());
}

void tst_ActionManager::cleanup()
{
    delete m_pWindow;
    m_pWindow = nullptr;
}

void tst_ActionManager::restart()
{
    m_pSettings->sync();
    delete m_pWindow;
    m_pSettings.reset(new QSettings(m_dir.filePath(QStringLiteral("shortcuts.ini")),
                                    QSettings::IniFormat));
    m_pWindow = new MainWindow;
    ActionManager::setSettings(m_pSettings.get());
}

void tst_ActionManager::registerStandardCommands()
{
    const QList<QPair<QString, QString>> commands = {
        {QStringLiteral("Test.New"), QStringLiteral("Ctrl+N")},
        {QStringLiteral("Test.Undo"), QStringLiteral("Ctrl+Z")},
        {QStringLiteral("Test.Save"), QStringLiteral("Ctrl+S")},
    };
    for (const auto &command : commands) {
        auto *action = new QAction(command.first, m_pWindow);
        ActionManager::registerAction(action, command.first, m_pWindow)
            ->setDefaultKeySequence(QKeySequence(command.second));
    }
}

QString tst_ActionManager::shortcutOf(const QString &id) const
{
    return ActionManager::getAction(id)->getKeySequence().toString(QKeySequence::PortableText);
}

void tst_ActionManager::registeringTwiceGivesOneCommand()
{
    QSignalSpy listChanged(ActionManager::getInstance(), &ActionManager::commandListChanged);
    QSignalSpy added(ActionManager::getInstance(), &ActionManager::commandAdded);
    // The main window's own commands are there already.
    const int nBefore = ActionManager::getActions().size();
    QWidget pane;
    ContextAction *first = ActionManager::registerAction(new QAction(m_pWindow),
                                                         QStringLiteral("Test.New"), m_pWindow);
    ContextAction *second = ActionManager::registerAction(new QAction(m_pWindow),
                                                          QStringLiteral("Test.New"), &pane);
    QCOMPARE(first, second);
    QCOMPARE(ActionManager::getActions().size(), nBefore + 1);
    QCOMPARE(listChanged.count(), 2);
    QCOMPARE(added.count(), 2);
    QCOMPARE(added.at(0).at(0).toString(), QStringLiteral("Test.New"));
    QCOMPARE(added.at(1).at(0).toString(), QStringLiteral("Test.New"));
}

void tst_ActionManager::newCommandIsHeldByTheMainWindow()
{
    ActionManager::registerAction(new QAction(m_pWindow), QStringLiteral("View.Zoom"), m_pWindow);
    ContextAction *command = ActionManager::registerAction(new QAction(m_pWindow),
                                                           QStringLiteral("Edit.Copy"), m_pWindow);
    QAction *proxy = command->getAction();
    QVERIFY(qobject_cast<ProxyAction *>(proxy));
    QCOMPARE(proxy->objectName(), QStringLiteral("Edit.Copy"));
    QCOMPARE(proxy->shortcutContext(), Qt::ApplicationShortcut);
    QVERIFY(m_pWindow->actions().contains(proxy));
    // Identifier order.
    QCOMPARE(ActionManager::getActions().first(), command);
}

void tst_ActionManager::unregisterLastActionRemovesCommand()
{
    const int nWindowActions = m_pWindow->actions().size();
    auto *global = new QAction(m_pWindow);
    QWidget pane;
    auto *inPane = new QAction(&pane);
    const QString id = QStringLiteral("Test.Close");
    ContextAction *command = ActionManager::registerAction(global, id, m_pWindow);
    ActionManager::registerAction(inPane, id, &pane);
    QPointer<QAction> proxy = command->getAction();
    QSignalSpy listChanged(ActionManager::getInstance(), &ActionManager::commandListChanged);

    ActionManager::unregisterAction(global, id, QStringLiteral("ignored"));
    QCOMPARE(ActionManager::getAction(id), command);
    QCOMPARE(listChanged.count(), 1);

    ActionManager::unregisterAction(inPane, id);
    QVERIFY(!ActionManager::getAction(id));
    QVERIFY(!proxy);
    QCOMPARE(m_pWindow->actions().size(), nWindowActions);
    QCOMPARE(listChanged.count(), 2);
}

void tst_ActionManager::unregisterUnknownIdIsSilent()
{
    QSignalSpy listChanged(ActionManager::getInstance(), &ActionManager::commandListChanged);
    QAction action;
    ActionManager::unregisterAction(&action, QStringLiteral("Never.Registered"));
    QCOMPARE(listChanged.count(), 0);
    QVERIFY(!ActionManager::getAction(QStringLiteral("Never.Registered")));
    QVERIFY(!ActionManager::getActionContainer(QStringLiteral("Never.Registered")));
}

void tst_ActionManager::setContextFallsBackToMainWindow()
{
    QWidget pane;
    QWidget other;
    auto *global = new QAction(m_pWindow);
    auto *inPane = new QAction(&pane);
    ContextAction *command = ActionManager::registerAction(global, QStringLiteral("Test.Cut"), m_pWindow);
    ActionManager::registerAction(inPane, QStringLiteral("Test.Cut"), &pane);
    auto *proxy = static_cast<ProxyAction *>(command->getAction());
    ActionManager::setContext(&pane);
    QCOMPARE(proxy->action(), inPane);
    ActionManager::setContext(&other);
    QCOMPARE(proxy->action(), global);

    // A command created later starts with the current context.
    QAction *late = new QAction(&pane);
    ActionManager::setContext(&pane);
    ContextAction *lateCommand = ActionManager::registerAction(new QAction(m_pWindow),
                                                               QStringLiteral("Edit.Late"), m_pWindow);
    ActionManager::registerAction(late, QStringLiteral("Edit.Late"), &pane);
    ActionManager::setContext(&pane);
    QCOMPARE(static_cast<ProxyAction *>(lateCommand->getAction())->action(), late);
}

void tst_ActionManager::saveWritesPortableTextAndKeepsCleared()
{
    m_pSettings->setValue(QStringLiteral("Shortcuts/Test.Undo"), QStringLiteral("Ctrl+Z"));
    registerStandardCommands();
    ActionManager::getAction(QStringLiteral("Test.Undo"))->setKeySequence(QKeySequence());
    ActionManager::getAction(QStringLiteral("Test.Save"))
        ->setKeySequence(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    ActionContainer *file = ActionManager::createMenuContainer(QStringLiteral("&File"),
                                                               QStringLiteral("MenuBar.File"));
    file->insertSeparator();

    ActionManager::saveSettings();
    m_pSettings->sync();

    QSettings onDisk(m_pSettings->fileName(), QSettings::IniFormat);
    onDisk.beginGroup(QStringLiteral("Shortcuts"));
    // Besides the main window's own commands: this test's three, no separator.
    QStringList lstOwnKeys = onDisk.allKeys().filter(QRegularExpression(QStringLiteral("^(Test|Separator)\\.")));
    QCOMPARE(lstOwnKeys.size(), 3);
    QCOMPARE(onDisk.value(QStringLiteral("Test.New")).toString(), QStringLiteral("Ctrl+N"));
    QCOMPARE(onDisk.value(QStringLiteral("Test.Save")).toString(), QStringLiteral("Ctrl+Shift+S"));
    // Cleared by the user: an empty value, so the default does not come back.
    QVERIFY(onDisk.contains(QStringLiteral("Test.Undo")));
    QCOMPARE(onDisk.value(QStringLiteral("Test.Undo")).toString(), QString());
}

void tst_ActionManager::readFromSettings_data()
{
    QTest::addColumn<QVariantMap>("saved");
    QTest::addColumn<QStringList>("expected"); // Test.New, Test.Undo, Test.Save

    QTest::newRow("no group: defaults")
        << QVariantMap() << QStringList{"Ctrl+N", "Ctrl+Z", "Ctrl+S"};
    QTest::newRow("one key: others keep their defaults")
        << QVariantMap{{"Test.New", "Ctrl+Shift+N"}} << QStringList{"Ctrl+Shift+N", "Ctrl+Z", "Ctrl+S"};
    QTest::newRow("empty value: cleared") << QVariantMap{{"Test.Undo", ""}} << QStringList{"Ctrl+N", "", "Ctrl+S"};
    QTest::newRow("every key")
        << QVariantMap{{"Test.New", "Alt+N"}, {"Test.Undo", "Ctrl+Alt+Z"}, {"Test.Save", "F2"}}
        << QStringList{"Alt+N", "Ctrl+Alt+Z", "F2"};
    QTest::newRow("key of an unknown command only")
        << QVariantMap{{"Plugin.Gone", "Ctrl+G"}} << QStringList{"Ctrl+N", "Ctrl+Z", "Ctrl+S"};
}

void tst_ActionManager::readFromSettings()
{
    QFETCH(QVariantMap, saved);
    QFETCH(QStringList, expected);

    registerStandardCommands();
    for (ContextAction *command : ActionManager::getActions())
        command->setKeySequence(QKeySequence(QStringLiteral("Ctrl+Q")));
    {
        QSettings writer(m_pSettings->fileName(), QSettings::IniFormat);
        writer.beginGroup(QStringLiteral("Shortcuts"));
        for (auto it = saved.cbegin(); it != saved.cend(); ++it)
            writer.setValue(it.key(), it.value());
    }
    m_pSettings->sync();

    ActionManager::readFromSettings();
    QCOMPARE(shortcutOf(QStringLiteral("Test.New")), expected.at(0));
    QCOMPARE(shortcutOf(QStringLiteral("Test.Undo")), expected.at(1));
    QCOMPARE(shortcutOf(QStringLiteral("Test.Save")), expected.at(2));
}

void tst_ActionManager::savedShortcutsSurviveRestart()
{
    registerStandardCommands();
    ActionManager::getAction(QStringLiteral("Test.Save"))->setKeySequence(QKeySequence(QStringLiteral("Ctrl+Alt+S")));
    ActionManager::getAction(QStringLiteral("Test.Undo"))->setKeySequence(QKeySequence());
    ActionManager::saveSettings();

    restart();
    registerStandardCommands();
    // A saved shortcut outranks the default given after registration.
    QCOMPARE(shortcutOf(QStringLiteral("Test.Save")), QStringLiteral("Ctrl+Alt+S"));
    QCOMPARE(ActionManager::getAction(QStringLiteral("Test.Save"))->getDefaultKeySequence(),
             QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(shortcutOf(QStringLiteral("Test.New")), QStringLiteral("Ctrl+N"));
    // A cleared shortcut stays cleared, although its default is given after
    // registration.
    QCOMPARE(shortcutOf(QStringLiteral("Test.Undo")), QString());
    ActionManager::readFromSettings();
    QCOMPARE(shortcutOf(QStringLiteral("Test.Undo")), QString());
    QCOMPARE(shortcutOf(QStringLiteral("Test.Save")), QStringLiteral("Ctrl+Alt+S"));

    ActionManager::resetToDefault();
    QCOMPARE(shortcutOf(QStringLiteral("Test.Undo")), QStringLiteral("Ctrl+Z"));
    QCOMPARE(shortcutOf(QStringLiteral("Test.Save")), QStringLiteral("Ctrl+S"));
    m_pSettings->sync();
    QSettings onDisk(m_pSettings->fileName(), QSettings::IniFormat);
    QCOMPARE(onDisk.value(QStringLiteral("Shortcuts/Test.Save")).toString(), QStringLiteral("Ctrl+Alt+S"));
}

void tst_ActionManager::menuContainerIsCreatedOnce()
{
    ActionContainer *file = ActionManager::createMenuContainer(QStringLiteral("&File"),
                                                               QStringLiteral("MenuBar.File"));
    QCOMPARE(file->getMenu()->title(), QStringLiteral("&File"));
    QCOMPARE(file->getMenu()->objectName(), QStringLiteral("MenuBar.File"));
    QVERIFY(!file->getMenuBar());
    QCOMPARE(ActionManager::createMenuContainer(QStringLiteral("&File"), QStringLiteral("MenuBar.File")), file);
    ActionManager::createMenuContainer(QStringLiteral("&Datei"), QStringLiteral("MenuBar.File"));
    QCOMPARE(file->getMenu()->title(), QStringLiteral("&File"));
    // Whatever its kind, an existing container is returned.
    QCOMPARE(ActionManager::createMenuBarContainer(QStringLiteral("MenuBar.File")), file);

    ActionContainer *bar = ActionManager::createMenuBarContainer(QStringLiteral("Zelto.MenuBar"));
    QVERIFY(bar->getMenuBar());
    QVERIFY(!bar->getMenu());
    QCOMPARE(bar->getMenuBar()->objectName(), QStringLiteral("Zelto.MenuBar"));
    QCOMPARE(ActionManager::getActionContainer(QStringLiteral("Zelto.MenuBar")), bar);
}

void tst_ActionManager::deletedContainerIsForgotten()
{
    ActionContainer *edit = ActionManager::createMenuContainer(QStringLiteral("&Edit"),
                                                               QStringLiteral("MenuBar.Edit"));
    ActionContainer *view = ActionManager::createMenuContainer(QStringLiteral("&View"),
                                                               QStringLiteral("MenuBar.View"));
    QPointer<QMenu> menu = edit->getMenu();
    delete edit;
    QVERIFY(!ActionManager::getActionContainer(QStringLiteral("MenuBar.Edit")));
    QCOMPARE(ActionManager::getActionContainer(QStringLiteral("MenuBar.View")), view);
    QVERIFY(menu); // the menu is not the container's
    delete menu.data();
    // The identifier can be used again.
    QVERIFY(ActionManager::createMenuContainer(QStringLiteral("&Edit"), QStringLiteral("MenuBar.Edit")) != nullptr);
}

QTEST_MAIN(tst_ActionManager)
#include "tst_actionmanager.moc"
