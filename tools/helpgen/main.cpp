// helpgen: renders one HTML help source into a PDF document.
//
//   helpgen <input.html> <output.pdf>
//
// Runs at build time, so it needs no display: start it with
// QT_QPA_PLATFORM=offscreen. The document title is the HTML <title>.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: helpgen <input.html> <output.pdf>\n");
        return 2;
    }
    const QString input = arguments.at(1);
    const QString output = arguments.at(2);

    QFile source(input);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "helpgen: cannot read %s\n", qUtf8Printable(input));
        return 1;
    }
    QTextDocument document;
    // Relative image paths in the source resolve against its own folder.
    document.setMetaInformation(QTextDocument::DocumentUrl,
                                QUrl::fromLocalFile(QFileInfo(input).absolutePath() + QLatin1Char('/')).toString());
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setHtml(QString::fromUtf8(source.readAll()));

    QPdfWriter writer(output);
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    writer.setCreator(QStringLiteral("Zelto Rideved helpgen"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));
    // print() lays the text out on the writer's pages and numbers them.
    document.print(&writer);

    if (!QFileInfo(output).isFile() || QFileInfo(output).size() == 0) {
        std::fprintf(stderr, "helpgen: could not write %s\n", qUtf8Printable(output));
        return 1;
    }
    return 0;
}
