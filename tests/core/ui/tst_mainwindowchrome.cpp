#include "core/mainwindow.h"
#include "core/ui/ztnotificationbar.h"
#include "tests/common/testhost.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

// The main window's side of the title bar and notification bar.
class tst_MainWindowChrome : public QObject
{
    Q_OBJECT

private slots:
    void titleBarIsTheMenuWidget();
    void notificationShowsAndHides();
    void emptyNotificationIsNotLogged();
    void accountLinkIsRelayed();

private:
    TestSupport::TestHost m_host;
};

void tst_MainWindowChrome::titleBarIsTheMenuWidget()
{
    MainWindow window;
    QWidget *pTitleBar = window.menuWidget();
    QVERIFY(pTitleBar);
    QCOMPARE(pTitleBar->windowTitle(), QStringLiteral("Zelto Rideved"));

    window.setWindowFilePath(QStringLiteral("/p/scene.zelto"));
    QCOMPARE(pTitleBar->windowTitle(), QStringLiteral("/p/scene.zelto - Zelto Rideved"));
    window.setWindowModified(true);
    QVERIFY(pTitleBar->isWindowModified());
    window.setWindowFilePath(QString());
    QCOMPARE(pTitleBar->windowTitle(), QStringLiteral("Zelto Rideved"));
}

void tst_MainWindowChrome::notificationShowsAndHides()
{
    MainWindow window;
    window.show();
    ZTNotificationBar *pBar = window.getNotificationBar();
    QVERIFY(pBar);
    QVERIFY(!pBar->isVisible());

    QTest::ignoreMessage(QtInfoMsg, "Disk almost full");
    window.showNotification(QStringLiteral("Disk almost full"), ZTNotificationBar::Warning, QString(), true);
    QVERIFY(pBar->isVisible());
    window.hideNotification();
    QVERIFY(!pBar->isVisible());
}

void tst_MainWindowChrome::emptyNotificationIsNotLogged()
{
    MainWindow window;
    window.show();
    static QStringList s_lstLogged;
    s_lstLogged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &, const QString &strMessage) {
            if (type == QtInfoMsg)
                s_lstLogged << strMessage;
        });
    window.showNotification(QString(), ZTNotificationBar::Information, QStringLiteral("Retry"), false);
    qInstallMessageHandler(previous);
    QCOMPARE(s_lstLogged, QStringList());
    QVERIFY(window.getNotificationBar()->isVisible());
}

void tst_MainWindowChrome::accountLinkIsRelayed()
{
    MainWindow window;
    QLabel *pLink = window.getUserAccountLink();
    QVERIFY(pLink);
    window.updateUserAccountLink(QStringLiteral("Ann"));
    QCOMPARE(pLink->text(), QStringLiteral("<a href='#' style='color:#f7941d;'>Ann</a>"));

    QSignalSpy spy(&window, &MainWindow::userAccountLinkActivated);
    emit pLink->linkActivated(QStringLiteral("#"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toString(), QStringLiteral("#"));
}

QTEST_MAIN(tst_MainWindowChrome)
#include "tst_mainwindowchrome.moc"
