#include "core/actionmanager/contextmanager.h"
#include "core/mainwindow.h"
#include "tests/common/testhost.h"

#include <QWidget>
#include <QtTest>

class tst_ContextManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void globalContextWhenNothingMatches();
    void innermostRegisteredAncestorWins();
    void firstRecordOfAWidgetWins();
    void reRegisteringKeepsTheFirstName();
    void unregisterMatchesWidgetAndId();
    void globalIsJudgedByIdAlone();
    void lookupsOfUnknownKeys();
    void destroyedWidgetLeavesRegistry();

private:
    TestSupport::TestHost m_host;
    MainWindow *m_pWindow = nullptr;
};

void tst_ContextManager::init()
{
    m_pWindow = new MainWindow;
    QVERIFY(ContextManager::getInstance());
    QVERIFY(ContextManager::getContexts().isEmpty());
}

void tst_ContextManager::cleanup()
{
    delete m_pWindow;
    m_pWindow = nullptr;
}

void tst_ContextManager::globalContextWhenNothingMatches()
{
    const Context global = ContextManager::getGlobalContext();
    QCOMPARE(global.pWidget, static_cast<QWidget *>(m_pWindow));
    QCOMPARE(global.strId, QStringLiteral("Global"));
    QCOMPARE(global.strName, QStringLiteral("Global"));

    QCOMPARE(ContextManager::getActiveContext(nullptr), global);
    QWidget orphan;
    QCOMPARE(ContextManager::getActiveContext(&orphan), global);
    // The global context answers but is never listed.
    QVERIFY(ContextManager::getContexts().isEmpty());
}

void tst_ContextManager::innermostRegisteredAncestorWins()
{
    auto *outer = new QWidget(m_pWindow);
    auto *inner = new QWidget(outer);
    auto *level1 = new QWidget(inner);
    auto *level2 = new QWidget(level1);
    auto *level3 = new QWidget(level2);

    ContextManager::registerContext(outer, QStringLiteral("Outer"), QStringLiteral("Outer pane"));
    QCOMPARE(ContextManager::getActiveContext(level3).strId, QStringLiteral("Outer"));

    ContextManager::registerContext(inner, QStringLiteral("Inner"), QStringLiteral("Inner pane"));
    const Context active = ContextManager::getActiveContext(level3);
    QCOMPARE(active.strId, QStringLiteral("Inner"));
    QCOMPARE(active.pWidget, inner);
    QCOMPARE(active.strName, QStringLiteral("Inner pane"));
    QCOMPARE(ContextManager::getActiveContext(outer).strId, QStringLiteral("Outer"));
    QCOMPARE(ContextManager::getActiveContext(m_pWindow), ContextManager::getGlobalContext());
}

void tst_ContextManager::firstRecordOfAWidgetWins()
{
    QWidget widget;
    ContextManager::registerContext(&widget, QStringLiteral("A"), QStringLiteral("Name A"));
    ContextManager::registerContext(&widget, QStringLiteral("B"), QStringLiteral("Name B"));
    QCOMPARE(ContextManager::getContexts().size(), 2);
    QCOMPARE(ContextManager::getActiveContext(&widget).strId, QStringLiteral("A"));
    QCOMPARE(ContextManager::getContextId(&widget), QStringLiteral("A"));
    QCOMPARE(ContextManager::getContextName(&widget), QStringLiteral("Name A"));
    QCOMPARE(ContextManager::getContextName(QStringLiteral("B")), QStringLiteral("Name B"));
    QCOMPARE(ContextManager::getContextWidget(QStringLiteral("B")), &widget);
}

void tst_ContextManager::reRegisteringKeepsTheFirstName()
{
    QWidget widget;
    ContextManager::registerContext(&widget, QStringLiteral("A"), QStringLiteral("First"));
    Context again{&widget, QStringLiteral("A"), QStringLiteral("Second")};
    const Context returned = ContextManager::registerContext(again);
    QCOMPARE(returned.strName, QStringLiteral("Second"));
    QCOMPARE(ContextManager::getContexts().size(), 1);
    QCOMPARE(ContextManager::getContextName(QStringLiteral("A")), QStringLiteral("First"));
}

void tst_ContextManager::unregisterMatchesWidgetAndId()
{
    QWidget first;
    QWidget second;
    ContextManager::registerContext(&first, QStringLiteral("A"), QStringLiteral("One"));
    ContextManager::registerContext(&second, QStringLiteral("A"), QStringLiteral("Two"));

    ContextManager::unregisterContext(&second, QStringLiteral("B")); // not listed: ignored
    QCOMPARE(ContextManager::getContexts().size(), 2);

    ContextManager::unregisterContext(&first, QStringLiteral("A"));
    const QList<Context> contexts = ContextManager::getContexts();
    QCOMPARE(contexts.size(), 1);
    QCOMPARE(contexts.first().pWidget, &second);
    QCOMPARE(ContextManager::getContextWidget(QStringLiteral("A")), &second);
    QCOMPARE(ContextManager::getActiveContext(&first), ContextManager::getGlobalContext());
}

void tst_ContextManager::globalIsJudgedByIdAlone()
{
    QWidget widget;
    const Context impostor = ContextManager::registerContext(&widget, QStringLiteral("Global"),
                                                             QStringLiteral("Mine"));
    QVERIFY(ContextManager::isGlobalContext(impostor));
    QVERIFY(ContextManager::isGlobalContext(ContextManager::getGlobalContext()));
    QVERIFY(!ContextManager::isGlobalContext(Context{m_pWindow, QStringLiteral("Main"),
                                                     QStringLiteral("Global")}));
}

void tst_ContextManager::lookupsOfUnknownKeys()
{
    QWidget listed;
    QWidget unlisted;
    ContextManager::registerContext(&listed, QStringLiteral("A"), QStringLiteral("Name"));
    QVERIFY(!ContextManager::getContextWidget(QStringLiteral("Missing")));
    QVERIFY(ContextManager::getContextName(QStringLiteral("Missing")).isEmpty());
    QVERIFY(ContextManager::getContextName(&unlisted).isEmpty());
    QVERIFY(ContextManager::getContextId(&unlisted).isEmpty());
    QVERIFY(ContextManager::getContextId(nullptr).isEmpty());
}

void tst_ContextManager::destroyedWidgetLeavesRegistry()
{
    auto *pane = new QWidget(m_pWindow);
    QWidget kept;
    ContextManager::registerContext(pane, QStringLiteral("Pane"), QStringLiteral("Pane"));
    ContextManager::registerContext(pane, QStringLiteral("Pane.Other"), QStringLiteral("Other"));
    ContextManager::registerContext(&kept, QStringLiteral("Kept"), QStringLiteral("Kept"));
    delete pane;
    QVERIFY(!ContextManager::getContextWidget(QStringLiteral("Pane")));
    QVERIFY(!ContextManager::getContextWidget(QStringLiteral("Pane.Other")));
    QCOMPARE(ContextManager::getContexts().size(), 1);
    QCOMPARE(ContextManager::getContextWidget(QStringLiteral("Kept")), &kept);
    // Unregistering afterwards, as a careful caller does, is harmless.
    ContextManager::unregisterContext(pane, QStringLiteral("Pane"));
    QCOMPARE(ContextManager::getContexts().size(), 1);
}

QTEST_MAIN(tst_ContextManager)
#include "tst_contextmanager.moc"
