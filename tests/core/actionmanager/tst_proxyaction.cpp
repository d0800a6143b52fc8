#include "core/actionmanager/proxyaction.h"

#include <QPixmap>
#include <QtTest>

class tst_ProxyAction : public QObject
{
    Q_OBJECT

private slots:
    void toolTipCarriesShortcut_data();
    void toolTipCarriesShortcut();
    void toolTipFollowsNewShortcut();
    void sameTargetIsNotReconnected();
    void mirrorsTargetState();
    void forwardsTriggerAndToggle();
    void initializeCopiesLooksSetActionCopiesState();
    void followTextCopiesOnEveryUpdate();
    void formerTargetIsIgnored();
    void nullTargetDisables();
    void destroyedTargetKeepsLastState();
};

void tst_ProxyAction::toolTipCarriesShortcut_data()
{
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("showShortcut");
    QTest::addColumn<QString>("expected");

    const QKeySequence ctrlO(QStringLiteral("Ctrl+O"));
    const QString withShortcut =
        QStringLiteral("Open\t") + ctrlO.toString(QKeySequence::NativeText);
    QTest::newRow("shortcut shown") << ctrlO << true << withShortcut;
    QTest::newRow("shortcut not shown") << ctrlO << false << QStringLiteral("Open");
    QTest::newRow("no shortcut") << QKeySequence() << true << QStringLiteral("Open");
}

void tst_ProxyAction::toolTipCarriesShortcut()
{
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, showShortcut);
    QFETCH(QString, expected);

    QAction target(QStringLiteral("&Open..."));
    target.setToolTip(QStringLiteral("Open"));
    ProxyAction proxy;
    proxy.setShortcutVisibleInToolTip(showShortcut);
    proxy.initialize(&target);
    proxy.setShortcut(shortcut);
    QCOMPARE(proxy.toolTip(), expected);
    QCOMPARE(ProxyAction::stringWithAppendedShortcut(QStringLiteral("Open"), QKeySequence()),
             QStringLiteral("Open\t"));
}

void tst_ProxyAction::toolTipFollowsNewShortcut()
{
    QAction target;
    target.setToolTip(QStringLiteral("Save"));
    ProxyAction proxy;
    proxy.setShortcutVisibleInToolTip(true);
    proxy.initialize(&target);
    proxy.setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    proxy.setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    QCOMPARE(proxy.toolTip(), ProxyAction::stringWithAppendedShortcut(
                                  QStringLiteral("Save"), QKeySequence(QStringLiteral("Ctrl+Shift+S"))));
    proxy.setShortcut(QKeySequence());
    QCOMPARE(proxy.toolTip(), QStringLiteral("Save"));
}

void tst_ProxyAction::sameTargetIsNotReconnected()
{
    QAction target;
    ProxyAction proxy;
    proxy.setAction(&target);
    QSignalSpy changed(&proxy, &QAction::changed);
    proxy.setAction(&target);
    proxy.setAction(&target);
    QCOMPARE(changed.count(), 0);
    // One connection only: a trigger reaches the target once.
    QSignalSpy triggered(&target, &QAction::triggered);
    proxy.trigger();
    QCOMPARE(triggered.count(), 1);
}

void tst_ProxyAction::mirrorsTargetState()
{
    QAction target;
    ProxyAction proxy;
    QVERIFY(!proxy.isEnabled()); // no target yet
    proxy.setAction(&target);
    QVERIFY(proxy.isEnabled());
    target.setEnabled(false);
    QVERIFY(!proxy.isEnabled());
    target.setEnabled(true);
    QVERIFY(proxy.isEnabled());
    target.setVisible(false);
    QVERIFY(!proxy.isVisible());
    target.setCheckable(true);
    target.setChecked(true);
    QVERIFY(proxy.isCheckable());
    QVERIFY(proxy.isChecked());
}

void tst_ProxyAction::forwardsTriggerAndToggle()
{
    QAction target;
    target.setCheckable(true);
    ProxyAction proxy;
    proxy.setAction(&target);
    QVERIFY(proxy.isCheckable());

    QSignalSpy triggered(&target, &QAction::triggered);
    proxy.trigger(); // toggles the checkable proxy, which checks the target
    QVERIFY(target.isChecked());
    QCOMPARE(triggered.count(), 1);
    QCOMPARE(triggered.at(0).at(0).toBool(), true);

    proxy.setChecked(false);
    QVERIFY(!target.isChecked());
}

void tst_ProxyAction::initializeCopiesLooksSetActionCopiesState()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    QAction first(QIcon(pixmap), QStringLiteral("First"));
    first.setStatusTip(QStringLiteral("First status"));
    first.setEnabled(false);
    QAction second(QStringLiteral("Second"));
    second.setCheckable(true);
    second.setChecked(true);

    ProxyAction proxy;
    proxy.initialize(&first);
    QVERIFY(!proxy.action()); // initialize does not make it the target
    proxy.setAction(&second);
    QCOMPARE(proxy.action(), &second);
    QCOMPARE(proxy.text(), QStringLiteral("First"));
    QCOMPARE(proxy.statusTip(), QStringLiteral("First status"));
    QVERIFY(!proxy.icon().isNull());
    QVERIFY(proxy.isEnabled());
    QVERIFY(proxy.isChecked());

    second.setText(QStringLiteral("Renamed"));
    QCOMPARE(proxy.text(), QStringLiteral("First"));
}

void tst_ProxyAction::followTextCopiesOnEveryUpdate()
{
    QAction target(QStringLiteral("Old"));
    ProxyAction proxy;
    proxy.setAttribute(ProxyAction::FollowText);
    QVERIFY(proxy.hasAttribute(ProxyAction::FollowText));
    QVERIFY(!proxy.hasAttribute(ProxyAction::FollowIcon));
    proxy.setAction(&target);
    QCOMPARE(proxy.text(), QStringLiteral("Old"));
    target.setText(QStringLiteral("New"));
    QCOMPARE(proxy.text(), QStringLiteral("New"));
    proxy.removeAttribute(ProxyAction::FollowText);
    target.setText(QStringLiteral("Newer"));
    QCOMPARE(proxy.text(), QStringLiteral("New"));
}

void tst_ProxyAction::formerTargetIsIgnored()
{
    QAction first;
    QAction second;
    first.setCheckable(true);
    second.setCheckable(true);
    ProxyAction proxy;
    proxy.setAction(&first);
    proxy.setAction(&second);
    proxy.setAction(&first);
    proxy.setAction(&second);

    first.setEnabled(false);
    QVERIFY(proxy.isEnabled());
    QSignalSpy firstTriggered(&first, &QAction::triggered);
    QSignalSpy secondTriggered(&second, &QAction::triggered);
    proxy.trigger();
    QCOMPARE(firstTriggered.count(), 0);
    QCOMPARE(secondTriggered.count(), 1);
    QVERIFY(second.isChecked());
    QVERIFY(!first.isChecked());

    // A target that died and a new one, possibly at the same address.
    auto *dying = new QAction;
    proxy.setAction(dying);
    proxy.setAction(&first);
    delete dying;
    auto *fresh = new QAction;
    proxy.setAction(fresh);
    QVERIFY(proxy.isEnabled());
    fresh->setEnabled(false);
    QVERIFY(!proxy.isEnabled());
    delete fresh;
}

void tst_ProxyAction::nullTargetDisables()
{
    QAction target;
    ProxyAction proxy;
    proxy.setAction(&target);
    QVERIFY(proxy.isEnabled());
    proxy.setAction(nullptr);
    QVERIFY(!proxy.isEnabled());
    QVERIFY(proxy.isVisible());

    proxy.setAction(&target);
    proxy.setAttribute(ProxyAction::HideWhenNoAction);
    proxy.setAction(nullptr);
    QVERIFY(!proxy.isEnabled());
    QVERIFY(!proxy.isVisible());
}

void tst_ProxyAction::destroyedTargetKeepsLastState()
{
    auto *target = new QAction;
    ProxyAction proxy;
    proxy.setAction(target);
    QVERIFY(proxy.isEnabled());
    delete target;
    QVERIFY(!proxy.action());
    proxy.setAction(nullptr);
    QVERIFY(proxy.isEnabled());
    proxy.trigger(); // reaches nobody
}

QTEST_MAIN(tst_ProxyAction)
#include "tst_proxyaction.moc"
