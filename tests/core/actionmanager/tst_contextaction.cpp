#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/contextmanager.h"
#include "core/actionmanager/proxyaction.h"
#include "core/mainwindow.h"
#include "tests/common/testhost.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QtTest>

// Commands follow the keyboard focus through the main window's focus
// tracking: a shown window with an outer pane, an inner pane nested in it and
// an editor outside both; focus moves for real on the offscreen platform.
class tst_ContextAction : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void followsFocusIntoContext();
    void nestedContextsInnermostWins();
    void onlyContextActionDisablesOutside();
    void focusIntoMenuBarKeepsContext();
    void secondActionForSameContextIgnored();
    void firstActionsLooksStay();
    void unregisterSharedActionRemovesAllItsContexts();
    void activeStateChangesOnce();
    void defaultShortcutOnlyWhenNoneSet();

private:
    void focus(QWidget *widget);
    QAction *newAction(const QString &text);

    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
    QWidget *m_pTop = nullptr;
    QWidget *m_pOuter = nullptr;
    QWidget *m_pInner = nullptr;
    QLineEdit *m_pInOuter = nullptr;
    QLineEdit *m_pInInner = nullptr;
    QLineEdit *m_pOutside = nullptr;
    QMenuBar *m_pMenuBar = nullptr;
};

void tst_ContextAction::init()
{
    m_pWindow = new MainWindow;
    m_pTop = new QWidget;
    auto *layout = new QHBoxLayout(m_pTop);
    m_pMenuBar = new QMenuBar;
    m_pMenuBar->addMenu(QStringLiteral("File"));
    m_pMenuBar->setFocusPolicy(Qt::StrongFocus);
    layout->setMenuBar(m_pMenuBar);

    m_pOuter = new QWidget;
    auto *outerLayout = new QVBoxLayout(m_pOuter);
    m_pInOuter = new QLineEdit;
    outerLayout->addWidget(m_pInOuter);
    m_pInner = new QWidget;
    auto *innerLayout = new QVBoxLayout(m_pInner);
    auto *deep = new QWidget;
    auto *deepLayout = new QVBoxLayout(deep);
    m_pInInner = new QLineEdit;
    deepLayout->addWidget(m_pInInner);
    innerLayout->addWidget(deep);
    outerLayout->addWidget(m_pInner);
    layout->addWidget(m_pOuter);
    m_pOutside = new QLineEdit;
    layout->addWidget(m_pOutside);

    m_pTop->show();
    m_pTop->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pTop));
    focus(m_pOutside);
}

void tst_ContextAction::cleanup()
{
    delete m_pTop;
    delete m_pWindow;
}

void tst_ContextAction::focus(QWidget *widget)
{
    widget->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), widget);
}

QAction *tst_ContextAction::newAction(const QString &text)
{
    return new QAction(text, m_pTop);
}

void tst_ContextAction::followsFocusIntoContext()
{
    ContextManager::registerContext(m_pOuter, QStringLiteral("Outer"), QStringLiteral("Outer"));
    QAction *inPane = newAction(QStringLiteral("Copy pane"));
    QAction *global = newAction(QStringLiteral("Copy"));
    ContextAction *command = ActionManager::registerAction(inPane, QStringLiteral("Test.Copy"), m_pOuter);
    ActionManager::registerAction(global, QStringLiteral("Test.Copy"), m_pWindow);
    QSignalSpy paneSpy(inPane, &QAction::triggered);
    QSignalSpy globalSpy(global, &QAction::triggered);

    focus(m_pInOuter);
    command->getAction()->trigger();
    QCOMPARE(paneSpy.count(), 1);
    QCOMPARE(globalSpy.count(), 0);

    focus(m_pOutside);
    command->getAction()->trigger();
    QCOMPARE(paneSpy.count(), 1);
    QCOMPARE(globalSpy.count(), 1);

    // Three levels down still belongs to the outer pane.
    focus(m_pInInner);
    QCOMPARE(static_cast<ProxyAction *>(command->getAction())->action(), inPane);
}

void tst_ContextAction::nestedContextsInnermostWins()
{
    ContextManager::registerContext(m_pOuter, QStringLiteral("Outer"), QStringLiteral("Outer"));
    ContextManager::registerContext(m_pInner, QStringLiteral("Inner"), QStringLiteral("Inner"));
    QAction *outer = newAction(QStringLiteral("Outer"));
    QAction *inner = newAction(QStringLiteral("Inner"));
    QAction *global = newAction(QStringLiteral("Global"));
    const QString id = QStringLiteral("Test.Delete");
    ContextAction *command = ActionManager::registerAction(outer, id, m_pOuter);
    ActionManager::registerAction(inner, id, m_pInner);
    ActionManager::registerAction(global, id, m_pWindow);
    auto *proxy = static_cast<ProxyAction *>(command->getAction());

    focus(m_pInInner);
    QCOMPARE(proxy->action(), inner);
    focus(m_pInOuter);
    QCOMPARE(proxy->action(), outer);
    focus(m_pOutside);
    QCOMPARE(proxy->action(), global);
}

void tst_ContextAction::onlyContextActionDisablesOutside()
{
    ContextManager::registerContext(m_pOuter, QStringLiteral("Outer"), QStringLiteral("Outer"));
    QAction *inPane = newAction(QStringLiteral("Rotate"));
    ContextAction *command = ActionManager::registerAction(inPane, QStringLiteral("Edit.Rotate"), m_pOuter);
    auto *proxy = static_cast<ProxyAction *>(command->getAction());

    focus(m_pInOuter);
    QVERIFY(proxy->isEnabled());
    focus(m_pOutside);
    QVERIFY(!proxy->action());
    QVERIFY(!proxy->isEnabled());
    focus(m_pInInner);
    QVERIFY(proxy->isEnabled());
}

void tst_ContextAction::focusIntoMenuBarKeepsContext()
{
    ContextManager::registerContext(m_pOuter, QStringLiteral("Outer"), QStringLiteral("Outer"));
    QAction *inPane = newAction(QStringLiteral("Pane"));
    QAction *global = newAction(QStringLiteral("Global"));
    ContextAction *command = ActionManager::registerAction(inPane, QStringLiteral("Test.Paste"), m_pOuter);
    ActionManager::registerAction(global, QStringLiteral("Test.Paste"), m_pWindow);
    auto *proxy = static_cast<ProxyAction *>(command->getAction());

    focus(m_pInOuter);
    QCOMPARE(proxy->action(), inPane);
    focus(m_pMenuBar);
    QCOMPARE(proxy->action(), inPane);
    focus(m_pOutside);
    QCOMPARE(proxy->action(), global);
}

void tst_ContextAction::secondActionForSameContextIgnored()
{
    QAction *first = newAction(QStringLiteral("First"));
    QAction *second = newAction(QStringLiteral("Second"));
    const QString id = QStringLiteral("Test.New");
    ContextAction *command = ActionManager::registerAction(first, id, m_pWindow);
    QCOMPARE(ActionManager::registerAction(second, id, m_pWindow), command);
    QSignalSpy firstSpy(first, &QAction::triggered);
    QSignalSpy secondSpy(second, &QAction::triggered);
    command->getAction()->trigger();
    QCOMPARE(firstSpy.count(), 1);
    QCOMPARE(secondSpy.count(), 0);
    // Removing the ignored action removes nothing that was stored.
    ActionManager::unregisterAction(second, id);
    QCOMPARE(ActionManager::getAction(id), command);
}

void tst_ContextAction::firstActionsLooksStay()
{
    ContextManager::registerContext(m_pOuter, QStringLiteral("Outer"), QStringLiteral("Outer"));
    QAction *global = newAction(QStringLiteral("Undo"));
    QAction *inPane = newAction(QStringLiteral("Undo Move"));
    ContextAction *command = ActionManager::registerAction(global, QStringLiteral("Test.Undo"), m_pWindow);
    ActionManager::registerAction(inPane, QStringLiteral("Test.Undo"), m_pOuter);
    focus(m_pInOuter);
    QCOMPARE(static_cast<ProxyAction *>(command->getAction())->action(), inPane);
    QCOMPARE(command->getAction()->text(), QStringLiteral("Undo"));
}

void tst_ContextAction::unregisterSharedActionRemovesAllItsContexts()
{
    QAction *shared = newAction(QStringLiteral("Shared"));
    QAction *global = newAction(QStringLiteral("Global"));
    const QString id = QStringLiteral("Test.Select_All");
    ContextAction *command = ActionManager::registerAction(shared, id, m_pOuter);
    ActionManager::registerAction(shared, id, m_pInner);
    ActionManager::registerAction(global, id, m_pWindow);
    auto *proxy = static_cast<ProxyAction *>(command->getAction());

    ActionManager::unregisterAction(shared, id);
    QCOMPARE(ActionManager::getAction(id), command);
    ActionManager::setContext(m_pInner);
    QCOMPARE(proxy->action(), global);
    ActionManager::setContext(m_pOuter);
    QCOMPARE(proxy->action(), global);
}

void tst_ContextAction::activeStateChangesOnce()
{
    QAction *action = newAction(QStringLiteral("Save"));
    ContextAction *command = ActionManager::registerAction(action, QStringLiteral("Test.Save"), m_pWindow);
    QSignalSpy spy(command, &ContextAction::activeStateChanged);
    action->setEnabled(false);
    QCOMPARE(spy.count(), 1);
    QVERIFY(command->isActive());
    action->setText(QStringLiteral("Save all")); // changed(), same active state
    ActionManager::setContext(m_pWindow);
    QCOMPARE(spy.count(), 1);
    action->setEnabled(true);
    QCOMPARE(spy.count(), 2);

    command->setVisible(false);
    QVERIFY(!action->isVisible());
    QVERIFY(!command->getAction()->isVisible());
    QCOMPARE(spy.count(), 3);
}

void tst_ContextAction::defaultShortcutOnlyWhenNoneSet()
{
    ContextAction *command =
        ActionManager::registerAction(newAction(QStringLiteral("New")), QStringLiteral("Test.New"), m_pWindow);
    const QKeySequence ctrlN(QStringLiteral("Ctrl+N"));
    const QKeySequence ctrlShiftN(QStringLiteral("Ctrl+Shift+N"));

    command->setDefaultKeySequence(ctrlN);
    QCOMPARE(command->getKeySequence(), ctrlN);

    command->setKeySequence(ctrlShiftN);
    command->setDefaultKeySequence(QKeySequence(QStringLiteral("Ctrl+M")));
    QCOMPARE(command->getKeySequence(), ctrlShiftN);
    QCOMPARE(command->getDefaultKeySequence(), QKeySequence(QStringLiteral("Ctrl+M")));
    QCOMPARE(command->getAction()->toolTip(),
             ProxyAction::stringWithAppendedShortcut(QStringLiteral("New"), ctrlShiftN));
    // Formatting with a shortcut is the proxy's job, not the command's.
    QVERIFY(command->stringWithAppendedShortcut(QStringLiteral("New")).isEmpty());
}

QTEST_MAIN(tst_ContextAction)
#include "tst_contextaction.moc"
