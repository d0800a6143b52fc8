#include "core/ui/ishadowborderframe.h"

IShadowBorderFrame::IShadowBorderFrame(QWidget *mainWidget, int side)
    : QWidget(mainWidget), m_pMainWidget(mainWidget), m_nSide(side)
{
}

void IShadowBorderFrame::updateBorder(bool) {}
void IShadowBorderFrame::activationChangeFiltered() {}
void IShadowBorderFrame::paintEvent(QPaintEvent *) {}
void IShadowBorderFrame::mousePressEvent(QMouseEvent *) {}
void IShadowBorderFrame::mouseMoveEvent(QMouseEvent *) {}
void IShadowBorderFrame::mouseReleaseEvent(QMouseEvent *) {}
void IShadowBorderFrame::drawShadow(bool) {}
int IShadowBorderFrame::hitTest(const QPoint &) const { return RegionNone; }
void IShadowBorderFrame::resizeMainWidget(const QPoint &) {}
