#include "core/ui/ishadowborderframe.h"

#include "core/iui.h"
#include "core/ui/mouseposition_p.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace {

const int kThickness = 8;
const int kCornerMargin = 20;

QPixmap borderPixmap(const char *name)
{
    return IUi::getPixmap(QString::fromLatin1(name), IUi::StateNormal, IUi::SizeNone,
                          QStringLiteral(":/core/images/"));
}

Qt::CursorShape cursorForRegion(int nRegion)
{
    switch (nRegion) {
    case IShadowBorderFrame::RegionTop:
    case IShadowBorderFrame::RegionBottom:
        return Qt::SizeVerCursor;
    case IShadowBorderFrame::RegionTopLeft:
    case IShadowBorderFrame::RegionBottomRight:
        return Qt::SizeFDiagCursor;
    case IShadowBorderFrame::RegionTopRight:
    case IShadowBorderFrame::RegionBottomLeft:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::SizeHorCursor;
    }
}

bool withinMargin(int nDistance)
{
    return nDistance >= 0 && nDistance <= kCornerMargin;
}

} // namespace

IShadowBorderFrame::IShadowBorderFrame(QWidget *mainWidget, int side)
    : QWidget(mainWidget)
{
    // A child of the main window for ownership, but a window of its own on
    // screen, so it can sit outside the main window's rectangle.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);

    m_pMainWidget = mainWidget;
    m_nSide = side;
    m_pixTop = borderPixmap("border_top");
    m_pixTopLeft = borderPixmap("border_top_left");
    m_pixTopRight = borderPixmap("border_top_right");
    m_pixLeft = borderPixmap("border_left");
    m_pixRight = borderPixmap("border_right");
    m_pixBottom = borderPixmap("border_bottom");
    m_pixBottomLeft = borderPixmap("border_bottom_left");
    m_pixBottomRight = borderPixmap("border_bottom_right");
    m_bPressed = false;
    setMouseTracking(true);
}

void IShadowBorderFrame::updateBorder(bool active)
{
    const QRect r = m_pMainWidget->geometry();
    const int w = r.width();
    const int h = r.height();
    switch (m_nSide) {
    case Top:
        setGeometry(r.left() - kThickness, r.top() - kThickness, w + 2 * kThickness, kThickness);
        break;
    case Left:
        setGeometry(r.left() - kThickness, r.top() - kThickness, kThickness, h + 2 * kThickness);
        break;
    case Right:
        setGeometry(r.right() + 1, r.top() - kThickness, kThickness, h + 2 * kThickness);
        break;
    case Bottom:
        setGeometry(r.left() - kThickness, r.bottom() + 1, w + 2 * kThickness, kThickness);
        break;
    default:
        break;
    }
    // Moves, resizes and activation changes come in bursts (a dozen and more
    // while the main window is first shown): the shadow is drawn when the
    // frame is next painted, once per burst, and only if it has changed.
    m_bActive = active;
    update();
}

void IShadowBorderFrame::activationChangeFiltered()
{
    // Clicking a frame activates it; the main window is the one that should be.
    if (isActiveWindow())
        QApplication::setActiveWindow(m_pMainWidget);
}

void IShadowBorderFrame::paintEvent(QPaintEvent *)
{
    // The shadow depends only on the size and the state.
    if (m_shadowPixmap.isNull() || m_shadowPixmap.size() != size() || m_bShadowActive != m_bActive)
        drawShadow(m_bActive);
    QPainter painter(this);
    painter.drawPixmap(rect(), m_shadowPixmap);
}

void IShadowBorderFrame::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    grabMouse();
    m_bPressed = true;
    event->ignore();
}

void IShadowBorderFrame::mouseMoveEvent(QMouseEvent *event)
{
    if (m_bPressed) {
        resizeMainWidget(globalMousePos(event));
        return;
    }
    m_nRegion = hitTest(globalMousePos(event));
    if (m_nRegion == RegionNone)
        unsetCursor();
    else
        setCursor(cursorForRegion(m_nRegion));
}

void IShadowBorderFrame::mouseReleaseEvent(QMouseEvent *event)
{
    releaseMouse();
    m_bPressed = false;
    event->ignore();
}

void IShadowBorderFrame::drawShadow(bool active)
{
    const int w = width();
    const int h = height();
    m_shadowPixmap = QPixmap(size());
    m_shadowPixmap.fill(Qt::transparent);
    m_bShadowActive = active;

    QPainter painter(&m_shadowPixmap);
    painter.setPen(Qt::NoPen);
    // Nearly but not fully transparent: a fully transparent pixel lets the
    // mouse through to whatever lies below on some platforms.
    painter.setBrush(QColor(255, 255, 255, 1));
    painter.drawRect(0, 0, w, h);

    if (active) {
        switch (m_nSide) {
        case Top:
            if (!m_pixTop.isNull()) {
                painter.setBrush(QBrush(m_pixTop));
                painter.drawRect(16, 0, w - 32, h);
                painter.drawPixmap(0, 0, m_pixTopLeft);
                painter.drawPixmap(w - 16, 0, m_pixTopRight);
            }
            break;
        case Left:
            if (!m_pixLeft.isNull()) {
                painter.setBrush(QBrush(m_pixLeft));
                painter.drawRect(0, 16, w, h - 32);
                painter.drawPixmap(QRect(0, 8, 8, 8), m_pixTopLeft, QRect(0, 8, 8, 8));
                painter.drawPixmap(QRect(0, h - 16, 8, 8), m_pixBottomLeft, QRect(0, 0, 8, 8));
            }
            break;
        case Right:
            if (!m_pixRight.isNull()) {
                painter.setBrush(QBrush(m_pixRight));
                painter.drawRect(0, 16, w, h - 32);
                painter.drawPixmap(QRect(0, 8, 8, 8), m_pixTopRight, QRect(8, 8, 8, 8));
                painter.drawPixmap(QRect(0, h - 16, 8, 8), m_pixBottomRight, QRect(8, 0, 8, 8));
            }
            break;
        case Bottom:
            if (!m_pixBottom.isNull()) {
                painter.setBrush(QBrush(m_pixBottom));
                painter.drawRect(16, 0, w - 32, h);
                painter.drawPixmap(QRect(0, 0, 16, 8), m_pixBottomLeft, QRect(0, 8, 16, 8));
                painter.drawPixmap(QRect(w - 16, 0, 16, 8), m_pixBottomRight, QRect(0, 8, 16, 8));
            }
            break;
        default:
            break;
        }
    } else {
        painter.setPen(QPen(QBrush(Qt::darkGreen, Qt::SolidPattern), 2.0, Qt::SolidLine, Qt::SquareCap,
                            Qt::BevelJoin));
        switch (m_nSide) {
        case Top:
            painter.drawLine(8, h, w - 8, h);
            break;
        case Left:
            painter.drawLine(w, 8, w, h - 8);
            break;
        case Right:
            painter.drawLine(0, 8, 0, h - 8);
            break;
        case Bottom:
            painter.drawLine(8, 0, w - 8, 0);
            break;
        default:
            break;
        }
    }
    painter.end();
}

int IShadowBorderFrame::hitTest(const QPoint &p) const
{
    const QRect g = geometry();
    switch (m_nSide) {
    case Top:
        if (withinMargin(p.x() - g.left()))
            return RegionTopLeft;
        if (withinMargin(g.right() - p.x()))
            return RegionTopRight;
        return RegionTop;
    case Left:
        if (withinMargin(p.y() - g.top()))
            return RegionTopLeft;
        if (withinMargin(g.bottom() - p.y()))
            return RegionBottomLeft;
        return RegionLeft;
    case Right:
        if (withinMargin(p.y() - g.top()))
            return RegionTopRight;
        if (withinMargin(g.bottom() - p.y()))
            return RegionBottomRight;
        return RegionRight;
    case Bottom:
        if (withinMargin(p.x() - g.left()))
            return RegionBottomLeft;
        if (withinMargin(g.right() - p.x()))
            return RegionBottomRight;
        return RegionBottom;
    default:
        return RegionNone;
    }
}

void IShadowBorderFrame::resizeMainWidget(const QPoint &p)
{
    const QRect R = m_pMainWidget->frameGeometry();
    int left = R.left();
    int top = R.top();
    int right = R.right();
    int bottom = R.bottom();

    switch (m_nRegion) {
    case RegionTop:
        top = p.y();
        break;
    case RegionTopLeft:
        left = p.x();
        top = p.y();
        break;
    case RegionTopRight:
        right = p.x();
        top = p.y();
        break;
    case RegionLeft:
        left = p.x();
        break;
    case RegionRight:
        right = p.x();
        break;
    case RegionBottom:
        bottom = p.y();
        break;
    case RegionBottomLeft:
        left = p.x();
        bottom = p.y();
        break;
    case RegionBottomRight:
        right = p.x();
        bottom = p.y();
        break;
    default:
        return;
    }

    // Moving the top or left edge past the minimum keeps the opposite edge put.
    if (m_nRegion == RegionTop || m_nRegion == RegionTopLeft || m_nRegion == RegionTopRight) {
        if (bottom - top < m_pMainWidget->minimumHeight())
            top = R.bottom() - m_pMainWidget->minimumHeight();
    }
    if (m_nRegion == RegionTopLeft || m_nRegion == RegionLeft || m_nRegion == RegionBottomLeft) {
        if (right - left < m_pMainWidget->minimumWidth())
            left = R.right() - m_pMainWidget->minimumWidth();
    }

    const QRect newRect(QPoint(left, top), QPoint(right, bottom));
    if (newRect.isValid())
        m_pMainWidget->setGeometry(newRect);
}
