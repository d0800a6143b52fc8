// The images of the core plug-in (window chrome, commands, notices):
// core/images/*.png.

#include "drawing.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace ImageGen {

namespace {

// The disabled look: grey, and faded so it reads as unavailable on light and
// dark backgrounds alike.
QImage disabled(const QImage &source)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            const int grey = qGray(c);
            const int lifted = 96 + grey * 100 / 255;
            line[x] = qRgba(lifted, lifted, lifted, qAlpha(c) * 45 / 100);
        }
    }
    return image;
}

void saveWithDisabled(ImageFolder &folder, const QImage &image, const QString &strName)
{
    folder.save(image, strName);
    folder.save(disabled(image), strName + QStringLiteral("_d"));
}

// ---- command icons (16 x 16) -------------------------------------------

void paintPage(QPainter &p)
{
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(13.5, 5.5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    QLinearGradient fill(0, 1, 0, 15);
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(226, 232, 240));
    p.setPen(QPen(QColor(96, 108, 124), 1));
    p.setBrush(fill);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(9.5, 1.5);
    fold.lineTo(9.5, 5.5);
    fold.lineTo(13.5, 5.5);
    p.setBrush(QColor(200, 208, 218));
    p.drawPath(fold);
}

void paintNew(QPainter &p)
{
    paintPage(p);
    // A green plus in the lower right corner.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 150, 70));
    p.drawEllipse(QRectF(8, 8, 8, 8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(11.25, 9.5, 1.5, 5));
    p.drawRect(QRectF(9.5, 11.25, 5, 1.5));
}

void paintOpen(QPainter &p)
{
    // Back of the folder with its tab.
    QPainterPath back;
    back.moveTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(13.5, 5);
    back.lineTo(13.5, 13.5);
    back.lineTo(1.5, 13.5);
    back.closeSubpath();
    p.setPen(QPen(QColor(150, 110, 20), 1));
    p.setBrush(QColor(230, 180, 60));
    p.drawPath(back);
    // The open front flap, tilted forward.
    QPainterPath front;
    front.moveTo(3.5, 7.5);
    front.lineTo(15.5, 7.5);
    front.lineTo(13.5, 13.5);
    front.lineTo(1.5, 13.5);
    front.closeSubpath();
    QLinearGradient fill(0, 7, 0, 14);
    fill.setColorAt(0, QColor(255, 220, 120));
    fill.setColorAt(1, QColor(240, 190, 70));
    p.setBrush(fill);
    p.drawPath(front);
}

void paintFloppy(QPainter &p, const QRectF &r, const QColor &body)
{
    const qreal u = r.width() / 13.0;
    QPainterPath outline;
    outline.moveTo(r.left(), r.top());
    outline.lineTo(r.right() - 2 * u, r.top());
    outline.lineTo(r.right(), r.top() + 2 * u);
    outline.lineTo(r.right(), r.bottom());
    outline.lineTo(r.left(), r.bottom());
    outline.closeSubpath();
    p.setPen(QPen(body.darker(160), 1));
    p.setBrush(body);
    p.drawPath(outline);
    p.setPen(Qt::NoPen);
    // Label and metal shutter.
    p.setBrush(QColor(245, 247, 250));
    p.drawRect(QRectF(r.left() + 2.5 * u, r.top() + 0.8 * u, r.width() - 5 * u, 4.7 * u));
    p.setBrush(QColor(200, 205, 212));
    p.drawRect(QRectF(r.left() + 3 * u, r.bottom() - 5 * u, r.width() - 6 * u, 4.2 * u));
    p.setBrush(body.darker(150));
    p.drawRect(QRectF(r.left() + 4 * u, r.bottom() - 4.2 * u, 1.8 * u, 3 * u));
}

void paintSave(QPainter &p)
{
    paintFloppy(p, QRectF(1.5, 1.5, 13, 13), QColor(58, 110, 165));
}

void paintSaveAll(QPainter &p)
{
    paintFloppy(p, QRectF(4.5, 0.5, 11, 11), QColor(90, 140, 195));
    paintFloppy(p, QRectF(0.5, 4.5, 11, 11), QColor(58, 110, 165));
}

void paintSaveClose(QPainter &p)
{
    paintFloppy(p, QRectF(0.5, 0.5, 12, 12), QColor(58, 110, 165));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 50, 45));
    p.drawEllipse(QRectF(8, 8, 8, 8));
    p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.3, 10.3), QPointF(13.7, 13.7));
    p.drawLine(QPointF(13.7, 10.3), QPointF(10.3, 13.7));
}

void paintGear(QPainter &p, const QPointF &c, qreal outer, qreal inner, qreal hole, int teeth,
               const QColor &colour)
{
    QPainterPath gear;
    const int points = teeth * 4;
    for (int i = 0; i < points; ++i) {
        const qreal angle = 2 * M_PI * i / points;
        const qreal radius = (i % 4 < 2) ? outer : inner;
        const QPointF pt(c.x() + radius * qCos(angle), c.y() + radius * qSin(angle));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    QPainterPath holePath;
    holePath.addEllipse(c, hole, hole);
    p.setPen(QPen(colour.darker(150), 0.8));
    p.setBrush(colour);
    p.drawPath(gear.subtracted(holePath));
}

void paintPreferences(QPainter &p)
{
    paintGear(p, QPointF(8, 8), 7.2, 5.2, 2.2, 8, QColor(120, 130, 145));
}

void paintLanguage(QPainter &p)
{
    const QRectF globe(1.5, 1.5, 13, 13);
    QRadialGradient fill(QPointF(6, 5), 10);
    fill.setColorAt(0, QColor(130, 190, 240));
    fill.setColorAt(1, QColor(40, 110, 190));
    p.setPen(QPen(QColor(30, 80, 140), 1));
    p.setBrush(fill);
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(235, 245, 255), 0.9));
    p.drawEllipse(QRectF(5, 1.5, 6, 13));
    p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    p.drawLine(QPointF(2.6, 5), QPointF(13.4, 5));
    p.drawLine(QPointF(2.6, 11), QPointF(13.4, 11));
}

void paintInfo(QPainter &p)
{
    p.setPen(Qt::NoPen);
    QLinearGradient fill(0, 0, 0, 16);
    fill.setColorAt(0, QColor(70, 150, 230));
    fill.setColorAt(1, QColor(30, 100, 190));
    p.setBrush(fill);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7, 3, 2, 2));
    p.drawRoundedRect(QRectF(7, 6.5, 2, 6.5), 0.6, 0.6);
}

void paintWarning(QPainter &p)
{
    QPainterPath triangle;
    triangle.moveTo(8, 1);
    triangle.lineTo(15.3, 14.5);
    triangle.lineTo(0.7, 14.5);
    triangle.closeSubpath();
    QLinearGradient fill(0, 1, 0, 15);
    fill.setColorAt(0, QColor(255, 215, 70));
    fill.setColorAt(1, QColor(240, 170, 20));
    p.setPen(QPen(QColor(180, 120, 0), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 40, 20));
    p.drawRoundedRect(QRectF(7.1, 5, 1.8, 5.5), 0.6, 0.6);
    p.drawEllipse(QRectF(7.05, 11.3, 1.9, 1.9));
}

// ---- application icon ----------------------------------------------------

void paintAppIcon(QPainter &p, int size)
{
    const qreal s = size;
    const QRectF r(0.5, 0.5, s - 1, s - 1);
    QLinearGradient fill(0, 0, s, s);
    fill.setColorAt(0, QColor(255, 140, 40));
    fill.setColorAt(1, QColor(210, 40, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(r, s * 0.2, s * 0.2);
    // A "Z" drawn as a path, a letter without fonts.
    QPainterPath z;
    z.moveTo(0.25 * s, 0.25 * s);
    z.lineTo(0.75 * s, 0.25 * s);
    z.lineTo(0.3 * s, 0.75 * s);
    z.lineTo(0.77 * s, 0.75 * s);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, qMax<qreal>(1.6, s * 0.12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(z);
}

// ---- title-bar buttons (16 x 16, light glyphs for a dark title bar) -------

const QColor kGlyph(232, 234, 237);

QPen glyphPen(qreal width = 1.0)
{
    return QPen(kGlyph, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

void paintMinimize(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawRect(3, 11, 10, 2);
}

void paintMaximize(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawRect(3, 3, 10, 2); // heavier top edge, as a window caption
    p.setPen(glyphPen());
    p.setBrush(Qt::NoBrush);
    p.drawRect(3, 3, 9, 9);
}

void paintRestore(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(glyphPen());
    p.setBrush(Qt::NoBrush);
    // The window behind: only the parts that show.
    p.drawLine(5, 2, 13, 2);
    p.drawLine(13, 2, 13, 10);
    p.drawLine(5, 2, 5, 5);
    p.drawLine(11, 10, 13, 10);
    // The window in front.
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawRect(2, 5, 9, 2);
    p.setPen(glyphPen());
    p.setBrush(Qt::NoBrush);
    p.drawRect(2, 5, 8, 8);
}

void paintClose(QPainter &p)
{
    p.setPen(QPen(kGlyph, 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

// ---- shadow border ---------------------------------------------------------
//
// The shadow is darkest next to the window and fades to nothing 8 pixels out.
// Edge pieces are one gradient; a corner piece is 16 x 16 with the window's
// corner at its centre, so its halves continue the edge pieces seamlessly.

const int kShadow = 8;
const int kMaxAlpha = 96;

int shadowAlpha(qreal distance)
{
    if (distance >= kShadow)
        return 0;
    const qreal t = 1.0 - distance / kShadow;
    return qRound(kMaxAlpha * t * t);
}

// dx, dy: distance of a pixel centre from the window outline, 0 inside.
QImage shadowPiece(int w, int h, const std::function<QPointF(int, int)> &offset)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QPointF d = offset(x, y);
            const bool inside = d.x() <= 0 && d.y() <= 0;
            const int alpha = inside ? 0 : shadowAlpha(qSqrt(d.x() * d.x() + d.y() * d.y()));
            image.setPixel(x, y, qRgba(0, 0, 0, alpha));
        }
    }
    return image;
}

qreal outside(qreal v)
{
    return qMax<qreal>(0, v);
}

void saveBorders(ImageFolder &folder)
{
    // Edge pieces: the window lies beyond the edge the frame touches.
    folder.save(shadowPiece(1, kShadow, [](int, int y) { return QPointF(0, kShadow - (y + 0.5)); }),
         QStringLiteral("border_top"));
    folder.save(shadowPiece(1, kShadow, [](int, int y) { return QPointF(0, y + 0.5); }),
         QStringLiteral("border_bottom"));
    folder.save(shadowPiece(kShadow, 1, [](int x, int) { return QPointF(kShadow - (x + 0.5), 0); }),
         QStringLiteral("border_left"));
    folder.save(shadowPiece(kShadow, 1, [](int x, int) { return QPointF(x + 0.5, 0); }),
         QStringLiteral("border_right"));

    // Corners: the window covers the quarter towards the piece's inner side.
    const int c = 2 * kShadow;
    folder.save(shadowPiece(c, c, [](int x, int y) {
             return QPointF(outside(kShadow - (x + 0.5)), outside(kShadow - (y + 0.5)));
         }),
         QStringLiteral("border_top_left"));
    folder.save(shadowPiece(c, c, [](int x, int y) {
             return QPointF(outside(x + 0.5 - kShadow), outside(kShadow - (y + 0.5)));
         }),
         QStringLiteral("border_top_right"));
    folder.save(shadowPiece(c, c, [](int x, int y) {
             return QPointF(outside(kShadow - (x + 0.5)), outside(y + 0.5 - kShadow));
         }),
         QStringLiteral("border_bottom_left"));
    folder.save(shadowPiece(c, c, [](int x, int y) {
             return QPointF(outside(x + 0.5 - kShadow), outside(y + 0.5 - kShadow));
         }),
         QStringLiteral("border_bottom_right"));
}

// ---- check box tick (11 x 11, and twice that for high-density screens) -------

// The tick of a ticked check box, drawn on the theme's accent colour: dark
// in the dark theme, white in the light one.
Painter tick(const QColor &colour, qreal scale)
{
    return [colour, scale](QPainter &p) {
        p.scale(scale, scale);
        p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath path;
        path.moveTo(2.2, 5.8);
        path.lineTo(4.5, 8.2);
        path.lineTo(8.9, 2.8);
        p.drawPath(path);
    };
}

// ---- spin box and combo box arrows (8 x 5, and twice that) -------------------

// A small filled triangle, pointing up or down, in the theme's text colour:
// the style's own arrows vanish on the themes' field colours.
Painter arrow(const QColor &colour, bool bUp, qreal scale)
{
    return [colour, bUp, scale](QPainter &p) {
        p.scale(scale, scale);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        QPainterPath path;
        path.moveTo(0, bUp ? 5 : 0);
        path.lineTo(8, bUp ? 5 : 0);
        path.lineTo(4, bUp ? 0.5 : 4.5);
        path.closeSubpath();
        p.drawPath(path);
    };
}

// ---- update (96 x 96) --------------------------------------------------------

void paintUpdate(QPainter &p)
{
    const QRectF disc(4, 4, 88, 88);
    QLinearGradient fill(0, 4, 0, 92);
    fill.setColorAt(0, QColor(80, 190, 120));
    fill.setColorAt(1, QColor(30, 130, 80));
    p.setPen(QPen(QColor(25, 100, 60), 2));
    p.setBrush(fill);
    p.drawEllipse(disc);

    // Two arrows chasing each other round the centre: "renew".
    const QPointF centre(48, 48);
    const qreal radius = 26;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 8, Qt::SolidLine, Qt::FlatCap));
    const QRectF ring(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(ring, 30 * 16, 130 * 16);
    p.drawArc(ring, 210 * 16, 130 * 16);

    auto arrowHead = [&](qreal degrees) {
        // The head sits at the end of an arc, pointing along it (counter-clockwise).
        const qreal a = qDegreesToRadians(degrees);
        const QPointF tip(centre.x() + radius * qCos(a), centre.y() - radius * qSin(a));
        const QPointF along(-qSin(a), -qCos(a)); // direction of travel on screen
        const QPointF across(qCos(a), -qSin(a));
        QPainterPath head;
        head.moveTo(tip + along * 12);
        head.lineTo(tip + across * 10);
        head.lineTo(tip - across * 10);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(head);
    };
    arrowHead(160);
    arrowHead(340);
}

} // namespace

void writeCoreImages(ImageFolder &folder)
{
    saveWithDisabled(folder, draw(16, 16, paintNew), QStringLiteral("new_16"));
    saveWithDisabled(folder, draw(16, 16, paintOpen), QStringLiteral("open_16"));
    saveWithDisabled(folder, draw(16, 16, paintSave), QStringLiteral("save_16"));
    saveWithDisabled(folder, draw(16, 16, paintPreferences), QStringLiteral("preferences_16"));
    folder.save(draw(16, 16, paintLanguage), QStringLiteral("language_16"));
    saveWithDisabled(folder, draw(16, 16, paintSaveAll), QStringLiteral("save_all_16"));
    saveWithDisabled(folder, draw(16, 16, paintSaveClose), QStringLiteral("save_close_16"));

    folder.save(draw(20, 20, [](QPainter &p) { paintAppIcon(p, 20); }), QStringLiteral("icon"));
    folder.save(draw(32, 32, [](QPainter &p) { paintAppIcon(p, 32); }), QStringLiteral("icon_32"));
    folder.save(draw(16, 16, paintMinimize), QStringLiteral("minimize"));
    folder.save(draw(16, 16, paintMaximize), QStringLiteral("maximize"));
    folder.save(draw(16, 16, paintRestore), QStringLiteral("restore"));
    folder.save(draw(16, 16, paintClose), QStringLiteral("close"));

    folder.save(draw(16, 16, paintInfo), QStringLiteral("info_16"));
    folder.save(draw(16, 16, paintWarning), QStringLiteral("warning_16"));

    saveBorders(folder);

    folder.save(draw(96, 96, paintUpdate), QStringLiteral("update"));

    const QColor darkTick(27, 28, 31);
    folder.save(draw(11, 11, tick(darkTick, 1)), QStringLiteral("check_dark"));
    folder.save(draw(22, 22, tick(darkTick, 2)), QStringLiteral("check_dark@2x"));
    folder.save(draw(11, 11, tick(Qt::white, 1)), QStringLiteral("check_light"));
    folder.save(draw(22, 22, tick(Qt::white, 2)), QStringLiteral("check_light@2x"));

    const struct {
        const char *pTheme;
        QColor colour;
    } arrowThemes[] = {{"dark", QColor(200, 204, 210)}, {"light", QColor(74, 79, 87)}};
    for (const auto &theme : arrowThemes) {
        for (bool bUp : {true, false}) {
            const QString strName =
                QStringLiteral("arrow_%1_%2").arg(bUp ? QStringLiteral("up") : QStringLiteral("down"), QLatin1String(theme.pTheme));
            folder.save(draw(8, 5, arrow(theme.colour, bUp, 1)), strName);
            folder.save(draw(16, 10, arrow(theme.colour, bUp, 2)), strName + QStringLiteral("@2x"));
        }
    }

}

} // namespace ImageGen
