#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/mainwindow.h"
#include "tests/common/testhost.h"

#include <QMenu>
#include <QMenuBar>
#include <QtTest>

class tst_ActionContainer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Runs first: the separator counters are process-wide.
    void separatorIdentifiersPerOverload();

    void insertActionAppendsOrPrecedes();
    void insertMenuBeforeCommandOrMenu();
    void clearOnMenuBarClearsSubmenus();
    void clearLeavesSeparators();
    void clearAfterDestroyedCommand();
    void clearAfterDestroyedSubmenu();
    void onAllDisabledBehaviorIsOnlyStored();

private:
    ContextAction *command(const QString &id);

    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
};

void tst_ActionContainer::init()
{
    m_pWindow = new MainWindow;
}

void tst_ActionContainer::cleanup()
{
    delete m_pWindow;
    m_pWindow = nullptr;
}

ContextAction *tst_ActionContainer::command(const QString &id)
{
    return ActionManager::registerAction(new QAction(id, m_pWindow), id, m_pWindow);
}

void tst_ActionContainer::separatorIdentifiersPerOverload()
{
    ActionContainer *file = ActionManager::createMenuContainer(QStringLiteral("&File"),
                                                               QStringLiteral("Test.File"));
    // The main window's menus have used the container overload's first numbers.
    QAction *firstSeparator = nullptr;
    ContextAction *first = file->insertSeparator(static_cast<ActionContainer *>(nullptr),
                                                 &firstSeparator);
    ContextAction *second = file->insertSeparator();
    const int nFirst = first->getId().mid(int(qstrlen("Separator."))).toInt();
    QVERIFY(nFirst > 0);
    QCOMPARE(first->getId(), QStringLiteral("Separator.%1").arg(nFirst));
    QCOMPARE(second->getId(), QStringLiteral("Separator.%1").arg(nFirst + 1));
    QVERIFY(firstSeparator && firstSeparator->isSeparator());
    QVERIFY(first->isSeparator());

    // The command overload counts on its own and meets the existing command
    // of that number (the main window's first separator).
    ContextAction *existing = ActionManager::getAction(QStringLiteral("Separator.0"));
    QVERIFY(existing);
    QAction *thirdSeparator = nullptr;
    ContextAction *third = file->insertSeparator(static_cast<ContextAction *>(nullptr),
                                                 &thirdSeparator);
    QCOMPARE(third->getId(), QStringLiteral("Separator.0"));
    QCOMPARE(third, existing);
    QVERIFY(thirdSeparator && thirdSeparator != firstSeparator);
    QCOMPARE(file->getMenu()->actions(),
             (QList<QAction *>{first->getAction(), second->getAction(), third->getAction()}));

    // Inserting an existing command again moves its proxy, never adds it twice.
    file->insertAction(first);
    QCOMPARE(file->getMenu()->actions(),
             (QList<QAction *>{second->getAction(), third->getAction(), first->getAction()}));
}

void tst_ActionContainer::insertActionAppendsOrPrecedes()
{
    ActionContainer *edit = ActionManager::createMenuContainer(QStringLiteral("&Edit"),
                                                               QStringLiteral("Test.Edit"));
    ContextAction *undo = command(QStringLiteral("Edit.Undo"));
    ContextAction *redo = command(QStringLiteral("Edit.Redo"));
    ContextAction *cut = command(QStringLiteral("Edit.Cut"));
    edit->insertAction(undo);
    edit->insertAction(redo, undo);
    edit->insertAction(cut, nullptr);
    QCOMPARE(edit->getMenu()->actions(),
             (QList<QAction *>{redo->getAction(), undo->getAction(), cut->getAction()}));
    ContextAction *separator = edit->insertSeparator(cut);
    QCOMPARE(edit->getMenu()->actions().at(2), separator->getAction());
}

void tst_ActionContainer::insertMenuBeforeCommandOrMenu()
{
    // Containers of their own: the main window's menus are filled already.
    ActionContainer *menuBar = ActionManager::createMenuBarContainer(QStringLiteral("Test.MenuBar"));
    ActionContainer *file = ActionManager::createMenuContainer(QStringLiteral("&File"),
                                                               QStringLiteral("Test.File"));
    ActionContainer *help = ActionManager::createMenuContainer(QStringLiteral("&Help"),
                                                               QStringLiteral("Test.Help"));
    ActionContainer *recent = ActionManager::createMenuContainer(QStringLiteral("Recent"),
                                                                 QStringLiteral("Test.File.Recent"));
    menuBar->insertMenu(file);
    menuBar->insertMenu(help, file);
    QCOMPARE(menuBar->getMenuBar()->actions(),
             (QList<QAction *>{help->getMenu()->menuAction(), file->getMenu()->menuAction()}));

    ContextAction *exit = command(QStringLiteral("Test.Exit"));
    file->insertAction(exit);
    file->insertMenu(recent, exit);
    QCOMPARE(file->getMenu()->actions(),
             (QList<QAction *>{recent->getMenu()->menuAction(), exit->getAction()}));
}

void tst_ActionContainer::clearOnMenuBarClearsSubmenus()
{
    ActionContainer *menuBar = ActionManager::createMenuBarContainer(QStringLiteral("Test.MenuBar"));
    ActionContainer *file = ActionManager::createMenuContainer(QStringLiteral("&File"),
                                                               QStringLiteral("Test.File"));
    ContextAction *open = command(QStringLiteral("Test.Open"));
    ContextAction *direct = command(QStringLiteral("Help.About"));
    file->insertAction(open);
    menuBar->insertMenu(file);
    menuBar->insertAction(direct);
    QCOMPARE(menuBar->getMenuBar()->actions().size(), 2);

    menuBar->clear();
    QVERIFY(menuBar->getMenuBar()->actions().isEmpty());
    QVERIFY(file->getMenu()->actions().isEmpty());
    // Nothing was destroyed: the commands and the submenu can be inserted again.
    QCOMPARE(ActionManager::getAction(QStringLiteral("Test.Open")), open);
    menuBar->insertMenu(file);
    QCOMPARE(menuBar->getMenuBar()->actions().size(), 1);
}

void tst_ActionContainer::clearLeavesSeparators()
{
    ActionContainer *file = ActionManager::createMenuContainer(QStringLiteral("&File"),
                                                               QStringLiteral("Test.File"));
    ContextAction *save = command(QStringLiteral("Test.Save"));
    file->insertAction(save);
    ContextAction *separator = file->insertSeparator();
    ActionContainer *sub = ActionManager::createMenuContainer(QStringLiteral("Save As"),
                                                              QStringLiteral("Test.File.SaveAs"));
    file->insertMenu(sub);
    file->clear();
    QCOMPARE(file->getMenu()->actions(), QList<QAction *>{separator->getAction()});
}

void tst_ActionContainer::clearAfterDestroyedCommand()
{
    ActionContainer *file = ActionManager::createMenuContainer(QStringLiteral("&File"),
                                                               QStringLiteral("Test.File"));
    auto *action = new QAction(QStringLiteral("Close"), m_pWindow);
    ContextAction *close = ActionManager::registerAction(action, QStringLiteral("Test.Close"), m_pWindow);
    ContextAction *exit = command(QStringLiteral("Test.Exit"));
    file->insertAction(close);
    file->insertAction(exit);

    // Unregistering the last action destroys the command while it is listed.
    ActionManager::unregisterAction(action, QStringLiteral("Test.Close"));
    QVERIFY(!ActionManager::getAction(QStringLiteral("Test.Close")));
    QCOMPARE(file->getMenu()->actions(), QList<QAction *>{exit->getAction()});

    file->clear();
    QVERIFY(file->getMenu()->actions().isEmpty());
}

void tst_ActionContainer::clearAfterDestroyedSubmenu()
{
    ActionContainer *menuBar = ActionManager::createMenuBarContainer(QStringLiteral("Test.MenuBar"));
    ActionContainer *view = ActionManager::createMenuContainer(QStringLiteral("&View"),
                                                               QStringLiteral("Test.View"));
    ActionContainer *tools = ActionManager::createMenuContainer(QStringLiteral("&Tools"),
                                                                QStringLiteral("MenuBar.Tools"));
    QMenu *viewMenu = view->getMenu();
    menuBar->insertMenu(view);
    menuBar->insertMenu(tools);

    // Deleting a container leaves its menu where it is.
    delete view;
    QVERIFY(!ActionManager::getActionContainer(QStringLiteral("Test.View")));
    QCOMPARE(menuBar->getMenuBar()->actions().size(), 2);

    menuBar->clear();
    QCOMPARE(menuBar->getMenuBar()->actions(), QList<QAction *>{viewMenu->menuAction()});
    delete viewMenu;
}

void tst_ActionContainer::onAllDisabledBehaviorIsOnlyStored()
{
    ActionContainer *menuBar = ActionManager::createMenuBarContainer(QStringLiteral("Test.MenuBar"));
    ActionContainer *edit = ActionManager::createMenuContainer(QStringLiteral("&Edit"),
                                                               QStringLiteral("Test.Edit"));
    QCOMPARE(edit->onAllDisabledBehavior(), ActionContainer::Disable);
    edit->setOnAllDisabledBehavior(ActionContainer::Hide);
    QCOMPARE(edit->onAllDisabledBehavior(), ActionContainer::Hide);

    auto *action = new QAction(QStringLiteral("Cut"), m_pWindow);
    ContextAction *cut = ActionManager::registerAction(action, QStringLiteral("Test.Cut"), m_pWindow);
    edit->insertAction(cut);
    menuBar->insertMenu(edit);
    action->setEnabled(false);
    QVERIFY(!cut->getAction()->isEnabled());
    QVERIFY(edit->getMenu()->menuAction()->isEnabled());
    QVERIFY(edit->getMenu()->menuAction()->isVisible());
}

QTEST_MAIN(tst_ActionContainer)
#include "tst_actioncontainer.moc"
