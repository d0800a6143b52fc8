#include "core/ui/eventfilter.h"
#include "core/ui/ishadowborderframe.h"

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>

namespace {

void sendMouse(QWidget *pWidget, QEvent::Type type, Qt::MouseButton button, const QPoint &globalPos)
{
    const Qt::MouseButtons buttons = (type == QEvent::MouseButtonRelease) ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pWidget->mapFromGlobal(globalPos), globalPos, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &event);
}

// Counts the activation changes that reach it, to prove the filter lets them through.
class ActivationCounter : public QWidget
{
public:
    int count = 0;

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::ActivationChange)
            ++count;
        QWidget::changeEvent(event);
    }
};

} // namespace

class tst_IShadowBorderFrame : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void framesSurroundTheWindow_data();
    void framesSurroundTheWindow();
    void cursorFollowsRegion_data();
    void cursorFollowsRegion();
    void resizeFromTopLeft_data();
    void resizeFromTopLeft();
    void inactiveFrameDrawsOneLine();
    void filterDoesNotConsumeActivation();

private:
    IShadowBorderFrame *frame(int nSide);

    QWidget *m_pMain = nullptr;
};

void tst_IShadowBorderFrame::init()
{
    m_pMain = new QWidget;
    m_pMain->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    m_pMain->setMinimumSize(300, 200);
    m_pMain->setGeometry(100, 100, 800, 600);
}

void tst_IShadowBorderFrame::cleanup()
{
    delete m_pMain;
    m_pMain = nullptr;
}

IShadowBorderFrame *tst_IShadowBorderFrame::frame(int nSide)
{
    auto *pFrame = new IShadowBorderFrame(m_pMain, nSide);
    pFrame->updateBorder(true);
    return pFrame;
}

void tst_IShadowBorderFrame::framesSurroundTheWindow_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("top") << 0 << QRect(92, 92, 816, 8);
    QTest::newRow("left") << 1 << QRect(92, 92, 8, 616);
    QTest::newRow("right") << 2 << QRect(900, 92, 8, 616);
    QTest::newRow("bottom") << 3 << QRect(92, 700, 816, 8);
}

void tst_IShadowBorderFrame::framesSurroundTheWindow()
{
    QFETCH(int, side);
    QFETCH(QRect, geometry);
    IShadowBorderFrame *pFrame = frame(side);
    QVERIFY(pFrame->isWindow());
    QCOMPARE(pFrame->parentWidget(), m_pMain);
    QCOMPARE(pFrame->geometry(), geometry);

    // It follows the window.
    m_pMain->setGeometry(50, 60, 400, 300);
    pFrame->updateBorder(false);
    QCOMPARE(pFrame->geometry().size(), (side == 0 || side == 3) ? QSize(416, 8) : QSize(8, 316));
}

void tst_IShadowBorderFrame::cursorFollowsRegion_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<QPoint>("offset");   // from the frame's top-left corner
    QTest::addColumn<int>("cursor");

    // Top frame: 816 x 8 at (92, 92), so its right edge is at x offset 815.
    QTest::newRow("top, left end 0") << 0 << QPoint(0, 4) << int(Qt::SizeFDiagCursor);
    QTest::newRow("top, left end 20") << 0 << QPoint(20, 4) << int(Qt::SizeFDiagCursor);
    QTest::newRow("top, 21") << 0 << QPoint(21, 4) << int(Qt::SizeVerCursor);
    QTest::newRow("top, middle") << 0 << QPoint(400, 4) << int(Qt::SizeVerCursor);
    QTest::newRow("top, right end 21") << 0 << QPoint(815 - 21, 4) << int(Qt::SizeVerCursor);
    QTest::newRow("top, right end 20") << 0 << QPoint(815 - 20, 4) << int(Qt::SizeBDiagCursor);
    QTest::newRow("top, right end 0") << 0 << QPoint(815, 4) << int(Qt::SizeBDiagCursor);
    // Left frame: 8 x 616, bottom edge at y offset 615.
    QTest::newRow("left, top end 0") << 1 << QPoint(4, 0) << int(Qt::SizeFDiagCursor);
    QTest::newRow("left, top end 20") << 1 << QPoint(4, 20) << int(Qt::SizeFDiagCursor);
    QTest::newRow("left, 21") << 1 << QPoint(4, 21) << int(Qt::SizeHorCursor);
    QTest::newRow("left, bottom end 20") << 1 << QPoint(4, 615 - 20) << int(Qt::SizeBDiagCursor);
    QTest::newRow("right, top end 20") << 2 << QPoint(4, 20) << int(Qt::SizeBDiagCursor);
    QTest::newRow("right, 21") << 2 << QPoint(4, 21) << int(Qt::SizeHorCursor);
    QTest::newRow("right, bottom end 0") << 2 << QPoint(4, 615) << int(Qt::SizeFDiagCursor);
    QTest::newRow("bottom, left end 20") << 3 << QPoint(20, 4) << int(Qt::SizeBDiagCursor);
    QTest::newRow("bottom, 21") << 3 << QPoint(21, 4) << int(Qt::SizeVerCursor);
    QTest::newRow("bottom, right end 0") << 3 << QPoint(815, 4) << int(Qt::SizeFDiagCursor);
}

void tst_IShadowBorderFrame::cursorFollowsRegion()
{
    QFETCH(int, side);
    QFETCH(QPoint, offset);
    QFETCH(int, cursor);
    IShadowBorderFrame *pFrame = frame(side);
    sendMouse(pFrame, QEvent::MouseMove, Qt::NoButton, pFrame->geometry().topLeft() + offset);
    QVERIFY(pFrame->testAttribute(Qt::WA_SetCursor));
    QCOMPARE(int(pFrame->cursor().shape()), cursor);
}

void tst_IShadowBorderFrame::resizeFromTopLeft_data()
{
    QTest::addColumn<QPoint>("target");
    QTest::addColumn<QRect>("expected");

    // The window spans (100, 100) to (899, 699).
    QTest::newRow("grow") << QPoint(50, 60) << QRect(QPoint(50, 60), QPoint(899, 699));
    QTest::newRow("shrink") << QPoint(300, 250) << QRect(QPoint(300, 250), QPoint(899, 699));
    // Past the minimum size the bottom-right corner stays put.
    QTest::newRow("past the minimum") << QPoint(1000, 900) << QRect(QPoint(899 - 300, 699 - 200), QPoint(899, 699));
}

void tst_IShadowBorderFrame::resizeFromTopLeft()
{
    QFETCH(QPoint, target);
    QFETCH(QRect, expected);
    m_pMain->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pMain));
    IShadowBorderFrame *pFrame = frame(0);
    pFrame->show();

    const QPoint corner = pFrame->geometry().topLeft() + QPoint(2, 2);
    sendMouse(pFrame, QEvent::MouseMove, Qt::NoButton, corner);
    QCOMPARE(pFrame->cursor().shape(), Qt::SizeFDiagCursor);
    sendMouse(pFrame, QEvent::MouseButtonPress, Qt::LeftButton, corner);
    sendMouse(pFrame, QEvent::MouseMove, Qt::LeftButton, target);
    sendMouse(pFrame, QEvent::MouseButtonRelease, Qt::LeftButton, target);

    QTRY_COMPARE(m_pMain->geometry(), expected);
    if (expected.size() != QSize(800, 600) && target.x() > 899)
        QCOMPARE(m_pMain->size(), m_pMain->minimumSize() + QSize(1, 1));

    // Once released, moves no longer resize.
    sendMouse(pFrame, QEvent::MouseMove, Qt::NoButton, target + QPoint(-30, -30));
    QCOMPARE(m_pMain->geometry(), expected);
}

void tst_IShadowBorderFrame::inactiveFrameDrawsOneLine()
{
    IShadowBorderFrame *pFrame = frame(0);
    const QColor green(Qt::darkGreen);

    pFrame->updateBorder(false);
    QImage image = pFrame->grab().toImage();
    QCOMPARE(image.pixelColor(400, 7).rgb(), green.rgb());
    // The line stops 8 pixels short of each end.
    QVERIFY(image.pixelColor(3, 7).rgb() != green.rgb());
    QVERIFY(image.pixelColor(812, 7).rgb() != green.rgb());

    pFrame->updateBorder(true);
    image = pFrame->grab().toImage();
    QVERIFY(image.pixelColor(400, 7).rgb() != green.rgb());
}

void tst_IShadowBorderFrame::filterDoesNotConsumeActivation()
{
    EventFilter filter(nullptr);
    QSignalSpy spy(&filter, &EventFilter::activationChangeFiltered);
    qApp->installEventFilter(&filter);

    ActivationCounter receiver;
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(&receiver, &activation);
    QEvent other(QEvent::FontChange);
    QApplication::sendEvent(&receiver, &other);

    QCOMPARE(spy.count(), 1);
    QCOMPARE(receiver.count, 1);
    qApp->removeEventFilter(&filter);
}

QTEST_MAIN(tst_IShadowBorderFrame)
#include "tst_ishadowborderframe.moc"
