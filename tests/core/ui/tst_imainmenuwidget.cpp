#include "core/ui/imainmenuwidget.h"
#include "core/ui/ztnotificationbar.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// Records the texts the title bar hands to the style, i.e. the painted caption.
class RecordingStyle : public QProxyStyle
{
public:
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &pal, bool enabled,
                      const QString &text, QPalette::ColorRole textRole) const override
    {
        texts << text;
        QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
    }

    mutable QStringList texts;
};

void sendMouse(QWidget *pWidget, QEvent::Type type, Qt::MouseButton button, const QPoint &globalPos)
{
    const Qt::MouseButtons buttons = (type == QEvent::MouseButtonRelease) ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pWidget->mapFromGlobal(globalPos), globalPos, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &event);
}

} // namespace

class tst_IMainMenuWidget : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void captionFollowsFilePath_data();
    void captionFollowsFilePath();
    void modifiedCaptionIsStarred();
    void longCaptionIsElided();
    void accountLink();
    void rowsAreStacked();
    void maximizeButtonFollowsState();
    void doubleClickTogglesMaximized();
    void dragRestoresMaximizedWindow_data();
    void dragRestoresMaximizedWindow();
    void dragMovesNormalWindow();
    void contextMenuEnablesOneOfRestoreAndMaximize_data();
    void contextMenuEnablesOneOfRestoreAndMaximize();

private:
    QStringList paintedTexts();

    QWidget *m_pWindow = nullptr;
    IMainMenuWidget *m_pTitleBar = nullptr;
    RecordingStyle *m_pStyle = nullptr;
};

void tst_IMainMenuWidget::init()
{
    m_pWindow = new QWidget;
    m_pWindow->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    auto *pLayout = new QVBoxLayout(m_pWindow);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pTitleBar = new IMainMenuWidget(m_pWindow, QStringLiteral("Zelto Rideved"), QIcon());
    pLayout->addWidget(m_pTitleBar);
    pLayout->addStretch();
    m_pStyle = new RecordingStyle;
    m_pTitleBar->setStyle(m_pStyle);
    m_pWindow->setGeometry(100, 100, 400, 300);
}

void tst_IMainMenuWidget::cleanup()
{
    delete m_pWindow;
    delete m_pStyle;
    m_pWindow = nullptr;
    m_pTitleBar = nullptr;
    m_pStyle = nullptr;
}

QStringList tst_IMainMenuWidget::paintedTexts()
{
    m_pStyle->texts.clear();
    m_pTitleBar->grab();
    return m_pStyle->texts;
}

void tst_IMainMenuWidget::captionFollowsFilePath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");

    QTest::newRow("no file") << QString() << QStringLiteral("Zelto Rideved");
    QTest::newRow("file") << QStringLiteral("/home/ann/walk.zelto")
                          << QStringLiteral("/home/ann/walk.zelto - Zelto Rideved");
}

void tst_IMainMenuWidget::captionFollowsFilePath()
{
    QFETCH(QString, path);
    QFETCH(QString, caption);
    m_pWindow->resize(900, 300);   // room for the whole caption beside the buttons
    m_pTitleBar->updateWindowFilePath(QStringLiteral("/tmp/previous.zelto"));
    m_pTitleBar->updateWindowFilePath(path);
    QCOMPARE(m_pTitleBar->windowTitle(), caption);
    QVERIFY(paintedTexts().contains(caption));
}

void tst_IMainMenuWidget::modifiedCaptionIsStarred()
{
    m_pTitleBar->updateWindowFilePath(QStringLiteral("a.zelto"));
    m_pTitleBar->updateModified(true);
    QVERIFY(paintedTexts().contains(QStringLiteral("*a.zelto - Zelto Rideved")));
    m_pTitleBar->updateModified(false);
    QVERIFY(paintedTexts().contains(QStringLiteral("a.zelto - Zelto Rideved")));
}

void tst_IMainMenuWidget::longCaptionIsElided()
{
    const QString strPath = QStringLiteral("/very/long/folder/").repeated(40) + QStringLiteral("scene.zelto");
    m_pTitleBar->updateWindowFilePath(strPath);
    const QStringList lstTexts = paintedTexts();
    QVERIFY(!lstTexts.isEmpty());
    const QString strCaption = lstTexts.last();
    // The middle goes: the path's start and the project's name stay.
    QVERIFY2(strCaption.contains(QChar(0x2026)) && strCaption.endsWith(QStringLiteral("Rideved")),
             qPrintable(strCaption));
    QVERIFY(strCaption.startsWith(QStringLiteral("/very/long/")));
    QVERIFY(m_pTitleBar->fontMetrics().horizontalAdvance(strCaption) <= m_pTitleBar->width());
}

void tst_IMainMenuWidget::accountLink()
{
    QLabel *pLabel = m_pTitleBar->accountLinkLabel();
    QVERIFY(pLabel);
    QCOMPARE(pLabel->text(), QStringLiteral("<a href='#' style='color:#f7941d;'>Sign In</a>"));
    m_pTitleBar->setAccountLinkText(QStringLiteral("ann@example.org"));
    QCOMPARE(pLabel->text(), QStringLiteral("<a href='#' style='color:#f7941d;'>ann@example.org</a>"));
}

void tst_IMainMenuWidget::rowsAreStacked()
{
    ZTNotificationBar *pBar = m_pTitleBar->notificationBar();
    QVERIFY(pBar);
    QVERIFY(pBar->isHidden());

    auto *pMenuBar = new QMenuBar;
    m_pTitleBar->insertMenuBar(pMenuBar);
    QCOMPARE(pMenuBar->parentWidget(), m_pTitleBar);
    QCOMPARE(m_pTitleBar->layout()->indexOf(pMenuBar), 1);
    QCOMPARE(m_pTitleBar->layout()->indexOf(pBar), 2);
}

void tst_IMainMenuWidget::maximizeButtonFollowsState()
{
    auto *pButton = m_pTitleBar->findChild<QPushButton *>(QStringLiteral("m_pMaximizeButton"));
    QVERIFY(pButton);
    QCOMPARE(pButton->toolTip(), QStringLiteral("Maximize"));
    m_pTitleBar->updateMaximized(true);
    QCOMPARE(pButton->toolTip(), QStringLiteral("Restore Down"));
    m_pTitleBar->updateMaximized(false);
    QCOMPARE(pButton->toolTip(), QStringLiteral("Maximize"));
    QVERIFY(m_pTitleBar->findChild<QPushButton *>(QStringLiteral("m_pCloseButton")));
}

void tst_IMainMenuWidget::doubleClickTogglesMaximized()
{
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
    const QPoint pos = m_pTitleBar->mapToGlobal(QPoint(50, 5));

    sendMouse(m_pTitleBar, QEvent::MouseButtonDblClick, Qt::RightButton, pos);
    QVERIFY(!(m_pWindow->windowState() & Qt::WindowMaximized));

    sendMouse(m_pTitleBar, QEvent::MouseButtonDblClick, Qt::LeftButton, pos);
    QVERIFY(m_pWindow->windowState() & Qt::WindowMaximized);
    sendMouse(m_pTitleBar, QEvent::MouseButtonDblClick, Qt::LeftButton, pos);
    QVERIFY(!(m_pWindow->windowState() & Qt::WindowMaximized));
}

void tst_IMainMenuWidget::dragRestoresMaximizedWindow_data()
{
    // The offscreen screen is 800 wide at the origin (Qt 5 makes it 600 high, Qt 6
    // 800); the normal window is 400 x 300.
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("firstMove");
    QTest::addColumn<bool>("restores");
    QTest::addColumn<QPoint>("secondMove");
    QTest::addColumn<QPoint>("expectedPos");

    // Restored under the cursor (x = 310 - 200), at the desktop's top, then offset by the drag.
    QTest::newRow("right by 6") << QPoint(300, 10) << QPoint(306, 10) << true << QPoint(310, 12)
                                << QPoint(110 + 10, 0 + 2);
    QTest::newRow("down by 6") << QPoint(300, 10) << QPoint(300, 16) << true << QPoint(300, 20)
                               << QPoint(100 + 0, 0 + 10);
    QTest::newRow("clamped to the left edge") << QPoint(50, 10) << QPoint(60, 10) << true << QPoint(70, 10)
                                              << QPoint(0 + 20, 0);
    QTest::newRow("clamped to the right edge") << QPoint(750, 10) << QPoint(760, 10) << true << QPoint(770, 10)
                                               << QPoint(400 + 20, 0);
    QTest::newRow("5 pixels is not enough") << QPoint(300, 10) << QPoint(305, 15) << false << QPoint() << QPoint();
    QTest::newRow("left and up never restore") << QPoint(300, 300) << QPoint(100, 100) << false << QPoint()
                                                << QPoint();
}

void tst_IMainMenuWidget::dragRestoresMaximizedWindow()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, firstMove);
    QFETCH(bool, restores);
    QFETCH(QPoint, secondMove);
    QFETCH(QPoint, expectedPos);

    const QRect desktop = m_pWindow->screen()->virtualGeometry();
    QCOMPARE(desktop.topLeft(), QPoint(0, 0));
    QCOMPARE(desktop.width(), 800);
    m_pWindow->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
    QVERIFY(m_pWindow->windowState() == Qt::WindowMaximized);
    auto *pButton = m_pTitleBar->findChild<QPushButton *>(QStringLiteral("m_pMaximizeButton"));
    pButton->setToolTip(QStringLiteral("Restore Down"));

    sendMouse(m_pTitleBar, QEvent::MouseButtonPress, Qt::LeftButton, press);
    sendMouse(m_pTitleBar, QEvent::MouseMove, Qt::LeftButton, firstMove);
    if (!restores) {
        QVERIFY(m_pWindow->windowState() & Qt::WindowMaximized);
        return;
    }
    QVERIFY(!(m_pWindow->windowState() & Qt::WindowMaximized));
    QCOMPARE(pButton->toolTip(), QStringLiteral("Maximize"));
    QTRY_COMPARE(m_pWindow->size(), QSize(400, 300));

    sendMouse(m_pTitleBar, QEvent::MouseMove, Qt::LeftButton, secondMove);
    QTRY_COMPARE(m_pWindow->pos(), expectedPos);
    sendMouse(m_pTitleBar, QEvent::MouseButtonRelease, Qt::LeftButton, secondMove);
}

void tst_IMainMenuWidget::dragMovesNormalWindow()
{
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
    const QPoint start = m_pWindow->pos();
    const QPoint press = m_pTitleBar->mapToGlobal(QPoint(60, 5));

    // A move without a press does nothing.
    sendMouse(m_pTitleBar, QEvent::MouseMove, Qt::NoButton, press + QPoint(30, 30));
    QCOMPARE(m_pWindow->pos(), start);
    // Only the left button drags.
    sendMouse(m_pTitleBar, QEvent::MouseButtonPress, Qt::RightButton, press);
    sendMouse(m_pTitleBar, QEvent::MouseMove, Qt::RightButton, press + QPoint(30, 30));
    QCOMPARE(m_pWindow->pos(), start);
    sendMouse(m_pTitleBar, QEvent::MouseButtonRelease, Qt::RightButton, press + QPoint(30, 30));

    sendMouse(m_pTitleBar, QEvent::MouseButtonPress, Qt::LeftButton, press);
    sendMouse(m_pTitleBar, QEvent::MouseMove, Qt::LeftButton, press + QPoint(-40, 25));
    QTRY_COMPARE(m_pWindow->pos(), start + QPoint(-40, 25));
    sendMouse(m_pTitleBar, QEvent::MouseButtonRelease, Qt::LeftButton, press + QPoint(-40, 25));
    sendMouse(m_pTitleBar, QEvent::MouseMove, Qt::NoButton, press + QPoint(100, 100));
    QCOMPARE(m_pWindow->pos(), start + QPoint(-40, 25));
}

void tst_IMainMenuWidget::contextMenuEnablesOneOfRestoreAndMaximize_data()
{
    QTest::addColumn<bool>("maximized");
    QTest::newRow("normal") << false;
    QTest::newRow("maximized") << true;
}

void tst_IMainMenuWidget::contextMenuEnablesOneOfRestoreAndMaximize()
{
    QFETCH(bool, maximized);
    if (maximized)
        m_pWindow->showMaximized();
    else
        m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));

    QStringList lstSeen;
    // The menu runs its own event loop: inspect and close it from there.
    QTimer::singleShot(0, this, [&lstSeen] {
        auto *pMenu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!pMenu)
            return;
        for (QAction *pAction : pMenu->actions())
            lstSeen << QStringLiteral("%1:%2").arg(pAction->text()).arg(pAction->isEnabled());
        pMenu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(40, 5), m_pTitleBar->mapToGlobal(QPoint(40, 5)));
    QApplication::sendEvent(m_pTitleBar, &event);

    const QString strRestore = maximized ? "1" : "0";
    const QString strMaximize = maximized ? "0" : "1";
    QCOMPARE(lstSeen,
             (QStringList{"&Restore:" + strRestore, "Mi&nimize:1", "Ma&ximize:" + strMaximize, "&Close:1"}));
}

QTEST_MAIN(tst_IMainMenuWidget)
#include "tst_imainmenuwidget.moc"
