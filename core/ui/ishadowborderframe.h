#pragma once

#include <QPixmap>
#include <QWidget>

// One of the four thin top-level windows around the frameless main window:
// draws a piece of drop shadow while the window is active, a thin line while
// it is not, and resizes the main window when dragged.
class IShadowBorderFrame : public QWidget
{
    Q_OBJECT

public:
    enum Side { Top = 0, Left = 1, Right = 2, Bottom = 3 };
    enum Region {
        RegionNone = -1,
        RegionTop = 0,
        RegionTopLeft = 1,
        RegionTopRight = 2,
        RegionLeft = 3,
        RegionRight = 4,
        RegionBottom = 5,
        RegionBottomLeft = 6,
        RegionBottomRight = 7
    };

    // mainWidget is the surrounded window and also the QObject parent.
    IShadowBorderFrame(QWidget *mainWidget, int side);

    // Re-places the frame around the main window and redraws it.
    void updateBorder(bool active);

public slots:
    void activationChangeFiltered();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void drawShadow(bool active);
    int hitTest(const QPoint &globalPos) const;
    void resizeMainWidget(const QPoint &globalPos);

    QPixmap m_shadowPixmap;
    bool m_bActive = false;         // the state asked for by updateBorder()
    bool m_bShadowActive = false;   // the state m_shadowPixmap was drawn for
    QWidget *m_pMainWidget = nullptr;   // not owned: our parent
    int m_nSide = Top;
    bool m_bPressed = false;
    int m_nRegion = RegionNone;
    QPixmap m_pixTop;
    QPixmap m_pixLeft;
    QPixmap m_pixRight;
    QPixmap m_pixBottom;
    QPixmap m_pixTopLeft;
    QPixmap m_pixTopRight;
    QPixmap m_pixBottomLeft;
    QPixmap m_pixBottomRight;
};
