// Draws the application's images with QPainter from geometry alone, no fonts,
// so the result is the same on every machine.
//
//   imagegen <core images folder> <app images folder>
//       the committed images of core/images/ and app/images/
//       (tools/generate-images.sh runs it; commit what it writes);
//   imagegen --icon app|project <output folder> <name> <size>...
//       <output folder>/<size>x<size>/<name>.png for every size, drawn at that
//       size for the desktop's icon themes (the build runs it for packaging/).

#include "drawing.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

namespace {

int usage()
{
    QTextStream(stderr) << "usage: imagegen <core images folder> <app images folder>\n"
                           "       imagegen --icon app|project <output folder> <name> <size>...\n";
    return 2;
}

int writeIconSizes(const QStringList &lstArguments)
{
    const QString strIcon = lstArguments.value(0);
    if (lstArguments.size() < 4 || (strIcon != QLatin1String("app") && strIcon != QLatin1String("project")))
        return usage();
    const QString strOutput = lstArguments.at(1);
    const QString strName = lstArguments.at(2);
    for (const QString &strSize : lstArguments.mid(3)) {
        bool bOk = false;
        const int nSize = strSize.toInt(&bOk);
        if (!bOk || nSize < 1 || nSize > 1024) {
            QTextStream(stderr) << "imagegen: not a size: " << strSize << '\n';
            return 2;
        }
        ImageGen::ImageFolder folder(strOutput + QStringLiteral("/%1x%1").arg(nSize));
        if (!folder.create())
            return 1;
        folder.save(strIcon == QLatin1String("app") ? ImageGen::appIcon(nSize) : ImageGen::projectIcon(nSize),
                    strName);
        if (!folder.ok())
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList lstArguments = app.arguments().mid(1);
    if (lstArguments.value(0) == QLatin1String("--icon"))
        return writeIconSizes(lstArguments.mid(1));
    if (lstArguments.size() != 2)
        return usage();

    ImageGen::ImageFolder core(lstArguments.at(0));
    ImageGen::ImageFolder appImages(lstArguments.at(1));
    if (!core.create() || !appImages.create())
        return 1;
    ImageGen::writeCoreImages(core);
    ImageGen::writeAppImages(appImages);
    for (const ImageGen::ImageFolder *pFolder : {&core, &appImages})
        QTextStream(stdout) << pFolder->written() << " images written to " << pFolder->path() << '\n';
    return core.ok() && appImages.ok() ? 0 : 1;
}
