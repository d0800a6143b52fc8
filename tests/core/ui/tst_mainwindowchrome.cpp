#include "core/mainwindow.h"
#include "core/ui/imainmenuwidget.h"
#include "core/ui/ishadowborderframe.h"
#include "core/ui/ztnotificationbar.h"
#include "core/welcome/imainmdiarea.h"
#include "tests/common/testhost.h"

#include <QAccessible>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QToolButton>
#include <QPushButton>
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
    void smallWindowKeepsCaptionClear();
    void longProjectNameIsElidedInTheMiddle();
    void screenReadersHearTheChrome();

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

void tst_MainWindowChrome::smallWindowKeepsCaptionClear()
{
    MainWindow window;
    window.resize(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(640, 480));   // no smaller than its minimum

    auto *pTitleBar = qobject_cast<IMainMenuWidget *>(window.menuWidget());
    window.setWindowFilePath(QStringLiteral("/a/rather/long/folder/name").repeated(10) + QStringLiteral("/scene.zelto"));
    window.setWindowModified(true);
    const QString strCaption = pTitleBar->shownCaption();
    QVERIFY2(strCaption.startsWith(QStringLiteral("*/a/rather")) && strCaption.contains(QChar(0x2026)),
             qPrintable(strCaption));
    QVERIFY(pTitleBar->fontMetrics().horizontalAdvance(strCaption) <= pTitleBar->captionRect().width());
    // The caption ends before the account link and the window buttons begin.
    for (QWidget *pWidget : pTitleBar->findChildren<QWidget *>()) {
        if ((qobject_cast<QLabel *>(pWidget) == window.getUserAccountLink() || qobject_cast<QPushButton *>(pWidget))
            && pWidget->parentWidget() == pTitleBar)
            QVERIFY2(pTitleBar->captionRect().right() < pWidget->geometry().left(), qPrintable(pWidget->objectName()));
    }
}

void tst_MainWindowChrome::longProjectNameIsElidedInTheMiddle()
{
    MainWindow window;
    window.resize(1200, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString strName = QString(239, QLatin1Char('n')) + QStringLiteral(".zelto");
    const QString strPath = QStringLiteral("/projects/") + strName;

    // A project's tab as an editor makes it: titled after the project.
    QMdiArea *pArea = window.getMdiArea();
    auto *pWidget = new QWidget;
    pWidget->setWindowTitle(QString(239, QLatin1Char('n')));
    QMdiSubWindow *pTab = pArea->addSubWindow(pWidget);
    pTab->setWindowFilePath(strPath);
    pTab->showMaximized();
    window.setWindowFilePath(strPath);
    auto *pTabBar = pArea->findChild<QTabBar *>();
    QVERIFY2(pTabBar, "the work area shows its projects as tabs");
    QTRY_COMPARE(pTabBar->count(), 1);
    window.setWindowFilePath(strPath);

    // The tab takes a share of the bar, not all of it; the tool tip has the whole path.
    QCOMPARE(pTabBar->elideMode(), Qt::ElideMiddle);
    QVERIFY2(pTabBar->tabRect(0).width() < window.width() / 2, qPrintable(QString::number(pTabBar->tabRect(0).width())));
    QCOMPARE(pTabBar->tabToolTip(0).remove(QChar(0x200B)), strPath);   // with places to wrap

    // The caption keeps the path's start and the name's end.
    auto *pTitleBar = qobject_cast<IMainMenuWidget *>(window.menuWidget());
    const QString strCaption = pTitleBar->shownCaption();
    QVERIFY2(strCaption.startsWith(QStringLiteral("/projects/n")) && strCaption.contains(QChar(0x2026))
                 && strCaption.endsWith(QStringLiteral("n.zelto - Zelto Rideved")),
             qPrintable(strCaption));
}

void tst_MainWindowChrome::screenReadersHearTheChrome()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto read = [](QObject *pObject) {
        QAccessibleInterface *pInterface = QAccessible::queryAccessibleInterface(pObject);
        return pInterface ? QStringList{QString::number(pInterface->role()), pInterface->text(QAccessible::Name),
                                        pInterface->text(QAccessible::Description).isEmpty() ? "-" : "described"}
                          : QStringList();
    };
    const QString strButton = QString::number(QAccessible::Button);
    auto *pTitleBar = qobject_cast<IMainMenuWidget *>(window.menuWidget());
    const auto button = [pTitleBar](const char *pName) {
        return pTitleBar->findChild<QPushButton *>(QLatin1String(pName));
    };

    // The window buttons, which show only icons, and the account link.
    QCOMPARE(read(button("m_pMinimizeButton")), (QStringList{strButton, "Minimize", "described"}));
    QCOMPARE(read(button("m_pMaximizeButton")), (QStringList{strButton, "Maximize", "described"}));
    QCOMPARE(read(button("m_pCloseButton")), (QStringList{strButton, "Close", "described"}));
    pTitleBar->updateMaximized(true);
    QCOMPARE(read(button("m_pMaximizeButton")), (QStringList{strButton, "Restore Down", "described"}));
    QCOMPARE(read(window.getUserAccountLink()).mid(1), (QStringList{"Sign In", "described"}));
    QVERIFY(window.getUserAccountLink()->textInteractionFlags() & Qt::LinksAccessibleByKeyboard);

    // The painted caption is the title bar's name.
    window.setWindowFilePath(QStringLiteral("/p/scene.zelto"));
    QCOMPARE(read(pTitleBar).mid(0, 2),
             (QStringList{QString::number(QAccessible::TitleBar), "/p/scene.zelto - Zelto Rideved"}));

    // The notification bar is an alert that reads its message; its buttons say what they do.
    window.showNotification(QStringLiteral("Saved a copy."), ZTNotificationBar::Information, QStringLiteral("Undo"),
                            true);
    ZTNotificationBar *pBar = window.getNotificationBar();
    QAccessibleInterface *pBarInterface = QAccessible::queryAccessibleInterface(pBar);
    QCOMPARE(pBarInterface->role(), QAccessible::AlertMessage);
    QCOMPARE(pBarInterface->text(QAccessible::Name), QStringLiteral("Notification"));
    QCOMPARE(pBarInterface->text(QAccessible::Description), QStringLiteral("Saved a copy."));
    QCOMPARE(read(pBar->findChild<QPushButton *>(QStringLiteral("m_pButton"))),
             (QStringList{strButton, "Undo", "described"}));
    QCOMPARE(read(pBar->findChild<QToolButton *>(QStringLiteral("m_pCloseButton"))),
             (QStringList{strButton, "Close Notification", "described"}));

    // A shadow frame is left out.
    IShadowBorderFrame frame(&window, 0);
    QAccessibleInterface *pFrameInterface = QAccessible::queryAccessibleInterface(&frame);
    QCOMPARE(pFrameInterface->role(), QAccessible::NoRole);
    QVERIFY(pFrameInterface->state().invisible);
    QVERIFY(pFrameInterface->text(QAccessible::Name).isEmpty());
}

QTEST_MAIN(tst_MainWindowChrome)
#include "tst_mainwindowchrome.moc"
