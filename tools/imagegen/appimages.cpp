// The application's icons and the message-box images: app/images/. They are
// drawn on a 32 x 32 grid; the icons scale to any size for the desktop.

#include "drawing.h"

#include <QLineF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace ImageGen {

namespace {

const int GridSize = 32;

QImage drawOnGrid(int nSize, const Painter &paint)
{
    return draw(nSize, nSize, [&](QPainter &painter) {
        painter.scale(qreal(nSize) / GridSize, qreal(nSize) / GridSize);
        paint(painter);
    });
}

// A disc with a soft top-left highlight, the base of three of the images.
void drawDisc(QPainter &painter, const QColor &light, const QColor &dark)
{
    QRadialGradient gradient(QPointF(12, 10), 22);
    gradient.setColorAt(0, light);
    gradient.setColorAt(1, dark);
    painter.setPen(QPen(dark.darker(130), 1));
    painter.setBrush(gradient);
    painter.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    painter.setPen(Qt::NoPen);
}

void paintInformation(QPainter &painter)
{
    drawDisc(painter, QColor(0x6f, 0xb4, 0xf5), QColor(0x1c, 0x5f, 0xc4));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(13.6, 6.5, 4.8, 4.8));
    painter.drawRoundedRect(QRectF(13.8, 13, 4.4, 12.5), 1.2, 1.2);
}

void paintQuestion(QPainter &painter)
{
    drawDisc(painter, QColor(0x7c, 0xc7, 0xe8), QColor(0x1f, 0x6f, 0xa8));
    QPainterPath hook;
    hook.moveTo(11, 12.5);
    hook.cubicTo(11, 6.5, 21, 6.5, 21, 12);
    hook.cubicTo(21, 15.5, 16, 15.5, 16, 19.5);
    painter.setPen(QPen(Qt::white, 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(13.8, 22.2, 4.4, 4.4));
}

void paintWarning(QPainter &painter)
{
    QPainterPath triangle;
    triangle.moveTo(16, 2.5);
    triangle.lineTo(30.5, 28.5);
    triangle.lineTo(1.5, 28.5);
    triangle.closeSubpath();
    QLinearGradient gradient(0, 2, 0, 29);
    gradient.setColorAt(0, QColor(0xff, 0xe0, 0x5a));
    gradient.setColorAt(1, QColor(0xf2, 0xb1, 0x05));
    painter.setPen(QPen(QColor(0xb0, 0x7a, 0x00), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(gradient);
    painter.drawPath(triangle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x26, 0x1d, 0x00));
    QPainterPath bar;
    bar.moveTo(14, 10.5);
    bar.lineTo(18, 10.5);
    bar.lineTo(17.1, 20.5);
    bar.lineTo(14.9, 20.5);
    bar.closeSubpath();
    painter.drawPath(bar);
    painter.drawEllipse(QRectF(14, 22, 4, 4));
}

void paintCritical(QPainter &painter)
{
    drawDisc(painter, QColor(0xf5, 0x6f, 0x6f), QColor(0xb3, 0x12, 0x12));
    painter.setPen(QPen(Qt::white, 3.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    painter.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
}

// The product's mark: a bold "Z" drawn as a path, so no font is needed.
void drawMark(QPainter &painter, const QRectF &box, const QColor &color)
{
    const qreal x = box.x();
    const qreal y = box.y();
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal t = h * 0.2;  // stroke thickness
    QPainterPath z;
    z.moveTo(x, y);
    z.lineTo(x + w, y);
    z.lineTo(x + w, y + t);
    z.lineTo(x + w * 0.34, y + h - t);
    z.lineTo(x + w, y + h - t);
    z.lineTo(x + w, y + h);
    z.lineTo(x, y + h);
    z.lineTo(x, y + h - t);
    z.lineTo(x + w * 0.66, y + t);
    z.lineTo(x, y + t);
    z.closeSubpath();
    painter.setBrush(color);
    painter.drawPath(z);
}

// The product's badge: the mark on a rounded square shaded from orange to
// pink along `shading`; the application icon is one, the project icon bears one.
void drawBadge(QPainter &painter, const QRectF &box, qreal radius, qreal outline, const QLineF &shading,
               const QRectF &mark)
{
    QLinearGradient gradient(shading.p1(), shading.p2());
    gradient.setColorAt(0, QColor(0xff, 0x7a, 0x45));
    gradient.setColorAt(1, QColor(0xc2, 0x1f, 0x6a));
    painter.setPen(QPen(QColor(0x8a, 0x12, 0x48), outline));
    painter.setBrush(gradient);
    painter.drawRoundedRect(box, radius, radius);
    painter.setPen(Qt::NoPen);
    drawMark(painter, mark, Qt::white);
}

void paintAppIcon(QPainter &painter)
{
    drawBadge(painter, QRectF(1.5, 1.5, 29, 29), 6.5, 1, QLineF(0, 0, 32, 32), QRectF(8, 8, 16, 16));
    // A play wedge: the product makes animations.
    QPainterPath play;
    play.moveTo(22, 21);
    play.lineTo(28, 24.5);
    play.lineTo(22, 28);
    play.closeSubpath();
    painter.setBrush(QColor(0xff, 0xf1, 0xc9));
    painter.drawPath(play);
}

void paintProjectIcon(QPainter &painter)
{
    QPainterPath page;
    page.moveTo(5.5, 1.5);
    page.lineTo(20, 1.5);
    page.lineTo(27.5, 9);
    page.lineTo(27.5, 30.5);
    page.lineTo(5.5, 30.5);
    page.closeSubpath();
    QLinearGradient paper(0, 0, 0, 32);
    paper.setColorAt(0, Qt::white);
    paper.setColorAt(1, QColor(0xe6, 0xe9, 0xef));
    painter.setPen(QPen(QColor(0x7d, 0x86, 0x96), 1));
    painter.setBrush(paper);
    painter.drawPath(page);
    QPainterPath fold;
    fold.moveTo(20, 1.5);
    fold.lineTo(20, 9);
    fold.lineTo(27.5, 9);
    fold.closeSubpath();
    painter.setBrush(QColor(0xc9, 0xcf, 0xd9));
    painter.drawPath(fold);
    drawBadge(painter, QRectF(9, 13.5, 15, 15), 3.5, 0.8, QLineF(8, 14, 24, 28), QRectF(12.5, 17, 8, 8));
}

} // namespace

QImage appIcon(int nSize)
{
    return drawOnGrid(nSize, paintAppIcon);
}

QImage projectIcon(int nSize)
{
    return drawOnGrid(nSize, paintProjectIcon);
}

void writeAppImages(ImageFolder &folder)
{
    folder.save(appIcon(GridSize), QStringLiteral("app_icon"), "ico");
    folder.save(projectIcon(GridSize), QStringLiteral("project_icon"), "ico");
    folder.save(drawOnGrid(GridSize, paintInformation), QStringLiteral("information_32"));
    folder.save(drawOnGrid(GridSize, paintQuestion), QStringLiteral("question_32"));
    folder.save(drawOnGrid(GridSize, paintWarning), QStringLiteral("warning_32"));
    folder.save(drawOnGrid(GridSize, paintCritical), QStringLiteral("critical_32"));
}

} // namespace ImageGen
