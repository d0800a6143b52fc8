// Writes the PNG sizes a desktop icon theme wants from one application image:
//   iconsizes <image> <output folder> <name> <size>...
// gives <output folder>/<size>x<size>/<name>.png for every size.
// The largest image in the file (an ICO may hold several) is the source.

#include <QDir>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

namespace {

QImage largestImage(const QString &strFileName)
{
    QImageReader reader(strFileName);
    QImage best;
    do {
        const QImage image = reader.read();
        if (!image.isNull() && image.width() * image.height() > best.width() * best.height())
            best = image;
    } while (reader.jumpToNextImage());
    if (best.isNull())
        std::fprintf(stderr, "iconsizes: cannot read %s: %s\n", qPrintable(strFileName),
                     qPrintable(reader.errorString()));
    return best;
}

// Growing in steps of at most two keeps the edges smoother than one jump
// from a small source.
QImage scaled(QImage image, int nSize)
{
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    while (image.width() * 2 < nSize)
        image = image.scaled(image.size() * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image.scaled(nSize, nSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: iconsizes <image> <output folder> <name> <size>...\n");
        return 2;
    }
    const QImage source = largestImage(QString::fromLocal8Bit(argv[1]));
    if (source.isNull())
        return 1;
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString strName = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        bool bOk = false;
        const int nSize = QString::fromLatin1(argv[i]).toInt(&bOk);
        if (!bOk || nSize < 1 || nSize > 1024) {
            std::fprintf(stderr, "iconsizes: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString strFolder = QStringLiteral("%1x%1").arg(nSize);
        const QString strPath = out.filePath(strFolder + QLatin1Char('/') + strName + QStringLiteral(".png"));
        if (!out.mkpath(strFolder) || !scaled(source, nSize).save(strPath, "PNG")) {
            std::fprintf(stderr, "iconsizes: cannot write %s\n", qPrintable(strPath));
            return 1;
        }
    }
    return 0;
}
