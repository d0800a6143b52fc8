// Draws the application icons and the message-box images of app/images.
// Run it after changing a drawing and commit the files it writes:
//   tools/generate-app-images.sh

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <functional>

namespace {

const int Size = 32;

QImage canvas()
{
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
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

QImage information()
{
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    drawDisc(painter, QColor(0x6f, 0xb4, 0xf5), QColor(0x1c, 0x5f, 0xc4));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(13.6, 6.5, 4.8, 4.8));
    painter.drawRoundedRect(QRectF(13.8, 13, 4.4, 12.5), 1.2, 1.2);
    return image;
}

QImage question()
{
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
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
    return image;
}

QImage warning()
{
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
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
    return image;
}

QImage critical()
{
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    drawDisc(painter, QColor(0xf5, 0x6f, 0x6f), QColor(0xb3, 0x12, 0x12));
    painter.setPen(QPen(Qt::white, 3.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
    painter.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
    return image;
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

QImage appIcon()
{
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
    QLinearGradient gradient(0, 0, 32, 32);
    gradient.setColorAt(0, QColor(0xff, 0x7a, 0x45));
    gradient.setColorAt(1, QColor(0xc2, 0x1f, 0x6a));
    painter.setPen(QPen(QColor(0x8a, 0x12, 0x48), 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6.5, 6.5);
    painter.setPen(Qt::NoPen);
    drawMark(painter, QRectF(8, 8, 16, 16), Qt::white);
    // A play wedge: the product makes animations.
    QPainterPath play;
    play.moveTo(22, 21);
    play.lineTo(28, 24.5);
    play.lineTo(22, 28);
    play.closeSubpath();
    painter.setBrush(QColor(0xff, 0xf1, 0xc9));
    painter.drawPath(play);
    return image;
}

QImage projectIcon()
{
    QImage image = canvas();
    QPainter painter(&image);
    prepare(painter);
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
    painter.setPen(QPen(QColor(0x8a, 0x12, 0x48), 0.8));
    QLinearGradient badge(8, 14, 24, 28);
    badge.setColorAt(0, QColor(0xff, 0x7a, 0x45));
    badge.setColorAt(1, QColor(0xc2, 0x1f, 0x6a));
    painter.setBrush(badge);
    painter.drawRoundedRect(QRectF(9, 13.5, 15, 15), 3.5, 3.5);
    painter.setPen(Qt::NoPen);
    drawMark(painter, QRectF(12.5, 17, 8, 8), Qt::white);
    return image;
}

bool save(const QImage &image, const QString &path, const QByteArray &format)
{
    QImageWriter writer(path, format);
    if (!writer.write(image)) {
        std::fprintf(stderr, "appimages: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: appimages <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path()))
        return 1;
    bool ok = true;
    ok &= save(appIcon(), out.filePath(QStringLiteral("app_icon.ico")), "ico");
    ok &= save(projectIcon(), out.filePath(QStringLiteral("project_icon.ico")), "ico");
    ok &= save(information(), out.filePath(QStringLiteral("information_32.png")), "png");
    ok &= save(question(), out.filePath(QStringLiteral("question_32.png")), "png");
    ok &= save(warning(), out.filePath(QStringLiteral("warning_32.png")), "png");
    ok &= save(critical(), out.filePath(QStringLiteral("critical_32.png")), "png");
    return ok ? 0 : 1;
}
