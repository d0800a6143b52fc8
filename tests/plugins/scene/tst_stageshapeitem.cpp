// Stage shapes drawn from their kept outlines against the same shapes drawn
// by Qt's own items: the same pixels, as the shape is turned, faded, zoomed
// and resized after it was first drawn, and the same bounds.
#include "stageshapeitem.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QtTest>

#include <memory>

class tst_StageShapeItem : public QObject
{
    Q_OBJECT

private slots:
    void drawsAsQtDraws_data();
    void drawsAsQtDraws();
};

namespace {

// Draws pItem, set up as given, alone on a white image of 200 x 200 pixels.
QImage draw(QAbstractGraphicsShapeItem *pItem, double dRotation, double dOpacity, double dZoom)
{
    QGraphicsScene scene;
    scene.addItem(pItem);
    pItem->setPen(QPen(QColor(0x1d, 0x3d, 0x5c), 2));
    pItem->setBrush(QColor(0xe8, 0xa3, 0x3d, 160));
    pItem->setPos(20, 30);
    pItem->setTransformOriginPoint(pItem->boundingRect().center());
    pItem->setRotation(dRotation);
    pItem->setOpacity(dOpacity);
    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(dZoom, dZoom);
    scene.render(&painter, QRectF(0, 0, 200 / dZoom, 200 / dZoom), QRectF(0, 0, 200 / dZoom, 200 / dZoom));
    painter.end();
    scene.removeItem(pItem);
    return image;
}

// Pixels that differ by more than antialiasing does.
int differentPixels(const QImage &a, const QImage &b)
{
    int nDifferent = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) > 80 || qAbs(qGreen(p) - qGreen(q)) > 80 || qAbs(qBlue(p) - qBlue(q)) > 80)
                ++nDifferent;
        }
    }
    return nDifferent;
}

} // namespace

void tst_StageShapeItem::drawsAsQtDraws_data()
{
    QTest::addColumn<bool>("ellipse");
    QTest::addColumn<double>("rotation");
    QTest::addColumn<double>("opacity");
    QTest::addColumn<double>("zoom");
    for (const bool bEllipse : {false, true}) {
        const char *pShape = bEllipse ? "ellipse" : "rectangle";
        QTest::addRow("%s", pShape) << bEllipse << 0.0 << 1.0 << 1.0;
        QTest::addRow("%s turned and faded", pShape) << bEllipse << 33.0 << 0.5 << 1.0;
        QTest::addRow("%s zoomed in", pShape) << bEllipse << 10.0 << 1.0 << 2.5;
        QTest::addRow("%s zoomed out", pShape) << bEllipse << 0.0 << 1.0 << 0.4;
    }
}

void tst_StageShapeItem::drawsAsQtDraws()
{
    QFETCH(bool, ellipse);
    QFETCH(double, rotation);
    QFETCH(double, opacity);
    QFETCH(double, zoom);
    std::unique_ptr<QAbstractGraphicsShapeItem> pShape, pQt;
    const QRectF first(0, 0, 30, 20), resized(0, 0, 61.5, 47.25);
    if (ellipse) {
        pShape.reset(new StageShapeItem<QGraphicsEllipseItem>());
        pQt.reset(new QGraphicsEllipseItem(resized));
        static_cast<QGraphicsEllipseItem *>(pShape.get())->setRect(first);
    } else {
        pShape.reset(new StageShapeItem<QGraphicsRectItem>());
        pQt.reset(new QGraphicsRectItem(resized));
        static_cast<QGraphicsRectItem *>(pShape.get())->setRect(first);
    }
    // Drawn once at another size, so the outlines kept must follow the new one.
    draw(pShape.get(), rotation, opacity, zoom);
    if (ellipse)
        static_cast<QGraphicsEllipseItem *>(pShape.get())->setRect(resized);
    else
        static_cast<QGraphicsRectItem *>(pShape.get())->setRect(resized);

    const QImage expected = draw(pQt.get(), rotation, opacity, zoom);
    const QImage drawn = draw(pShape.get(), rotation, opacity, zoom);
    const int nDifferent = differentPixels(expected, drawn);
    if (qEnvironmentVariableIsSet("ZELTO_SCREENSHOT_DIR")) {
        const QDir folder(qEnvironmentVariable("ZELTO_SCREENSHOT_DIR"));
        expected.save(folder.filePath(QStringLiteral("shape-%1-qt.png").arg(QTest::currentDataTag())));
        drawn.save(folder.filePath(QStringLiteral("shape-%1.png").arg(QTest::currentDataTag())));
    }
    // The corners, where Qt bevels the pen and the stage mitres it as the page does.
    QVERIFY2(nDifferent <= qMax(4, qRound(2 * zoom * zoom)), qPrintable(QStringLiteral("%1 pixels differ").arg(nDifferent)));
    const QRectF bounds = pShape->boundingRect();
    const QRectF qtBounds = pQt->boundingRect();
    QVERIFY2(qAbs(bounds.left() - qtBounds.left()) < 0.5 && qAbs(bounds.right() - qtBounds.right()) < 0.5
                 && qAbs(bounds.top() - qtBounds.top()) < 0.5 && qAbs(bounds.bottom() - qtBounds.bottom()) < 0.5,
             qPrintable(QStringLiteral("bounds differ")));
}

QTEST_MAIN(tst_StageShapeItem)
#include "tst_stageshapeitem.moc"
