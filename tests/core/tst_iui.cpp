#include "core/iui.h"
#include "tests/common/modalanswerer.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// Writes a PNG of one colour and a given size; the size tells tests which
// file a call picked.
bool writeImage(const QString &path, const QSize &size, const QColor &colour = Qt::red)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image.save(path, "PNG");
}

bool isFullyTransparent(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

using BoxFunction = std::function<QMessageBox::StandardButton(QWidget *, const QString &, const QString &,
                                                              QMessageBox::StandardButtons,
                                                              QMessageBox::StandardButton)>;

BoxFunction boxOfKind(const QString &kind)
{
    if (kind == QLatin1String("information"))
        return &IUi::information;
    if (kind == QLatin1String("question"))
        return &IUi::question;
    if (kind == QLatin1String("warning"))
        return &IUi::warning;
    return &IUi::critical;
}

} // namespace

class tst_IUi : public QObject
{
    Q_OBJECT

private slots:
    void fileNameComposition_data();
    void fileNameComposition();
    void loadsOnceAndCaches();
    void missingFileGivesTransparentPlaceholderAndIsRetried();
    void iconCarriesNormalAndDisabledImages();
    void coreImages_data();
    void coreImages();
    void messageBoxReturnsChosenButton_data();
    void messageBoxReturnsChosenButton();
};

void tst_IUi::fileNameComposition_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("expected");

    QTest::newRow("size 0, normal") << "close" << 2 << 0 << "close.png";
    QTest::newRow("size 1") << "warning" << 2 << 1 << "warning_12.png";
    QTest::newRow("size 2") << "warning" << 2 << 2 << "warning_16.png";
    QTest::newRow("size 3") << "warning" << 2 << 3 << "warning_24.png";
    QTest::newRow("size 4") << "warning" << 2 << 4 << "warning_32.png";
    QTest::newRow("size 5") << "warning" << 2 << 5 << "warning_48.png";
    QTest::newRow("size 6") << "warning" << 2 << 6 << "warning_64.png";
    QTest::newRow("size 7: no suffix") << "warning" << 2 << 7 << "warning.png";
    QTest::newRow("size -1: no suffix") << "warning" << 2 << -1 << "warning.png";
    QTest::newRow("state 1 as normal") << "warning" << 1 << 2 << "warning_16.png";
    QTest::newRow("state 3 as normal") << "warning" << 3 << 2 << "warning_16.png";
    QTest::newRow("state 4 disabled") << "warning" << 4 << 2 << "warning_16_d.png";
    QTest::newRow("disabled without size") << "save" << 4 << 0 << "save_d.png";
    QTest::newRow("disabled, unknown size") << "save" << 4 << 9 << "save_d.png";
}

void tst_IUi::fileNameComposition()
{
    QFETCH(QString, name);
    QFETCH(int, state);
    QFETCH(int, size);
    QFETCH(QString, expected);

    QCOMPARE(IUi::imageFileName(name, state, size), expected);

    // The loader reads exactly that file: an odd size marks it.
    QTemporaryDir dir;
    QVERIFY(writeImage(dir.filePath(expected), QSize(5, 7)));
    QCOMPARE(IUi::getPixmap(name, state, size, dir.path()).size(), QSize(5, 7));
}

void tst_IUi::loadsOnceAndCaches()
{
    QTemporaryDir dir;
    QVERIFY(writeImage(dir.filePath(QStringLiteral("cached_16.png")), QSize(9, 9)));

    const int before = IUi::getInstance()->loadCount();
    const QPixmap first = IUi::getPixmap(QStringLiteral("cached"), 2, 2, dir.path());
    const QPixmap second = IUi::getPixmap(QStringLiteral("cached"), 2, 2, dir.path() + QLatin1Char('/'));
    QCOMPARE(IUi::getInstance()->loadCount(), before + 1);
    QCOMPARE(first.size(), QSize(9, 9));
    QCOMPARE(second.cacheKey(), first.cacheKey());

    // Served from the cache even after the file is gone.
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("cached_16.png"))));
    QCOMPARE(IUi::getPixmap(QStringLiteral("cached"), 2, 2, dir.path()).size(), QSize(9, 9));
    QCOMPARE(IUi::getInstance()->loadCount(), before + 1);
}

void tst_IUi::missingFileGivesTransparentPlaceholderAndIsRetried()
{
    QTemporaryDir dir;
    const int before = IUi::getInstance()->loadCount();
    const QPixmap missing = IUi::getPixmap(QStringLiteral("later"), 2, 0, dir.path());
    QCOMPARE(missing.size(), QSize(16, 16));
    QVERIFY(isFullyTransparent(missing));

    // Nothing was cached: the next call reads again and finds the new file.
    QVERIFY(writeImage(dir.filePath(QStringLiteral("later.png")), QSize(3, 4)));
    QCOMPARE(IUi::getPixmap(QStringLiteral("later"), 2, 0, dir.path()).size(), QSize(3, 4));
    QCOMPARE(IUi::getInstance()->loadCount(), before + 2);

    // An unreadable file is treated the same way.
    QFile broken(dir.filePath(QStringLiteral("broken.png")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not an image");
    broken.close();
    QVERIFY(isFullyTransparent(IUi::getPixmap(QStringLiteral("broken"), 2, 0, dir.path())));
}

void tst_IUi::iconCarriesNormalAndDisabledImages()
{
    QTemporaryDir dir;
    QVERIFY(writeImage(dir.filePath(QStringLiteral("two_16.png")), QSize(16, 16), Qt::red));
    QVERIFY(writeImage(dir.filePath(QStringLiteral("two_16_d.png")), QSize(16, 16), Qt::blue));
    const QIcon icon = IUi::getIcon(QStringLiteral("two"), 2, dir.path());
    const QImage normal = icon.pixmap(QSize(16, 16), QIcon::Normal, QIcon::On).toImage();
    const QImage disabled = icon.pixmap(QSize(16, 16), QIcon::Disabled, QIcon::On).toImage();
    QCOMPARE(QColor(normal.pixel(8, 8)), QColor(Qt::red));
    QCOMPARE(QColor(disabled.pixel(8, 8)), QColor(Qt::blue));
}

void tst_IUi::coreImages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size"); // an empty size: any non-null image

    const QSize any;
    for (const char *name : {"new_16", "new_16_d", "open_16", "open_16_d", "save_16", "save_16_d",
                             "preferences_16", "preferences_16_d", "language_16", "info_16", "warning_16",
                             "save_all_16", "save_all_16_d", "save_close_16", "save_close_16_d"})
        QTest::newRow(name) << name << QSize(16, 16);
    for (const char *name : {"icon", "minimize", "maximize", "restore", "close"})
        QTest::newRow(name) << name << any;
    QTest::newRow("icon_32") << "icon_32" << QSize(32, 32);
    QTest::newRow("update") << "update" << QSize(96, 96);
    QTest::newRow("border_top") << "border_top" << QSize(1, 8);
    QTest::newRow("border_bottom") << "border_bottom" << QSize(1, 8);
    QTest::newRow("border_left") << "border_left" << QSize(8, 1);
    QTest::newRow("border_right") << "border_right" << QSize(8, 1);
    for (const char *name : {"border_top_left", "border_top_right", "border_bottom_left", "border_bottom_right"})
        QTest::newRow(name) << name << QSize(16, 16);
}

void tst_IUi::coreImages()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QString path = QStringLiteral(":/core/images/%1.png").arg(name);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    const QPixmap pixmap = IUi::getPixmap(name, 2, 0, QStringLiteral(":/core/images/"));
    QVERIFY(!isFullyTransparent(pixmap));
    if (size.isValid())
        QCOMPARE(pixmap.size(), size);
    else
        QVERIFY(pixmap.width() >= 16 && pixmap.width() <= 24);
}

void tst_IUi::messageBoxReturnsChosenButton_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("press"); // NoButton: Escape
    QTest::addColumn<int>("expected");

    const int yesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    const int yesNo = QMessageBox::Yes | QMessageBox::No;
    QTest::newRow("question: yes") << "question" << yesNoCancel << int(QMessageBox::Yes) << int(QMessageBox::Yes);
    QTest::newRow("question: no") << "question" << yesNoCancel << int(QMessageBox::No) << int(QMessageBox::No);
    QTest::newRow("question: cancel")
        << "question" << yesNoCancel << int(QMessageBox::Cancel) << int(QMessageBox::Cancel);
    QTest::newRow("question: escape is cancel")
        << "question" << yesNoCancel << int(QMessageBox::NoButton) << int(QMessageBox::Cancel);
    QTest::newRow("two-way question: escape is no")
        << "question" << yesNo << int(QMessageBox::NoButton) << int(QMessageBox::No);
    QTest::newRow("information: ok")
        << "information" << int(QMessageBox::Ok) << int(QMessageBox::Ok) << int(QMessageBox::Ok);
    QTest::newRow("information: escape is ok")
        << "information" << int(QMessageBox::Ok) << int(QMessageBox::NoButton) << int(QMessageBox::Ok);
    QTest::newRow("warning: ok") << "warning" << int(QMessageBox::Ok) << int(QMessageBox::Ok) << int(QMessageBox::Ok);
    QTest::newRow("critical: close")
        << "critical" << int(QMessageBox::Close) << int(QMessageBox::Close) << int(QMessageBox::Close);
    QTest::newRow("critical: escape is close")
        << "critical" << int(QMessageBox::Close) << int(QMessageBox::NoButton) << int(QMessageBox::Close);
}

void tst_IUi::messageBoxReturnsChosenButton()
{
    QFETCH(QString, kind);
    QFETCH(int, buttons);
    QFETCH(int, press);
    QFETCH(int, expected);

    TestSupport::ModalAnswerer answerer;
    if (press == QMessageBox::NoButton)
        answerer.pressEscape();
    else
        answerer.answer(QMessageBox::StandardButton(press));

    const QMessageBox::StandardButton defaultButton =
        (buttons & QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::StandardButton(buttons);
    const QMessageBox::StandardButton result =
        boxOfKind(kind)(nullptr, QStringLiteral(ZELTO_APP_TITLE), QStringLiteral("Save changes made to x?"),
                        QMessageBox::StandardButtons(buttons), defaultButton);
    QCOMPARE(int(result), expected);
    QCOMPARE(answerer.records().size(), 1);
    QCOMPARE(answerer.records().first().title, QStringLiteral("Zelto Rideved"));
    QCOMPARE(answerer.records().first().text, QStringLiteral("Save changes made to x?"));
}

QTEST_MAIN(tst_IUi)
#include "tst_iui.moc"
