#include "htmlexporter.h"

#include "sceneproject.h"

#include "core/core_global.h"

#include <QDir>
#include <QSaveFile>

namespace {

QString color(const QColor &value)
{
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg(value.red())
        .arg(value.green())
        .arg(value.blue())
        .arg(QString::number(value.alphaF(), 'g', 3));
}

QString number(double dValue)
{
    return QString::number(dValue, 'g', 10);
}

} // namespace

QString HtmlExporter::toHtml(const SceneProject &project, const QString &strTitle)
{
    QString strShapes;
    for (const SceneItem &item : project.m_lstItems) {
        const QRectF &r = item.rect;
        const QString strId = item.strId.toHtmlEscaped();
        switch (item.type) {
        case SceneItem::Rectangle:
            strShapes += QStringLiteral("<rect id=\"%1\" x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\" "
                                        "fill=\"%6\" stroke=\"%7\" stroke-width=\"2\"/>\n")
                             .arg(strId, number(r.x()), number(r.y()), number(r.width()), number(r.height()),
                                  color(item.fill), color(item.stroke));
            break;
        case SceneItem::Ellipse:
            strShapes += QStringLiteral("<ellipse id=\"%1\" cx=\"%2\" cy=\"%3\" rx=\"%4\" ry=\"%5\" "
                                        "fill=\"%6\" stroke=\"%7\" stroke-width=\"2\"/>\n")
                             .arg(strId, number(r.center().x()), number(r.center().y()),
                                  number(r.width() / 2), number(r.height() / 2), color(item.fill),
                                  color(item.stroke));
            break;
        case SceneItem::Text:
            // The baseline sits one font size below the top, as in the editor.
            strShapes += QStringLiteral("<text id=\"%1\" x=\"%2\" y=\"%3\" font-family=\"sans-serif\" "
                                        "font-size=\"%4\" fill=\"%5\">%6</text>\n")
                             .arg(strId, number(r.x()), number(r.y() + item.nFontSize), QString::number(item.nFontSize),
                                  color(item.fill), item.strText.toHtmlEscaped());
            break;
        case SceneItem::Image: {
            const QByteArray data = project.m_mapImages.value(item.strImage);
            if (data.isEmpty())
                break;
            strShapes += QStringLiteral("<image id=\"%1\" x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\" "
                                        "preserveAspectRatio=\"none\" href=\"data:%6;base64,%7\"/>\n")
                             .arg(strId, number(r.x()), number(r.y()), number(r.width()), number(r.height()),
                                  SceneProject::imageMimeType(item.strImage),
                                  QString::fromLatin1(data.toBase64()));
            break;
        }
        }
    }

    // A responsive stage scales with the browser window, a fixed one keeps its size.
    const QString strSize = project.m_bResponsive
                                ? QStringLiteral("width=\"100%\" style=\"max-height:100vh\"")
                                : QStringLiteral("width=\"%1\" height=\"%2\"").arg(project.m_nWidth).arg(project.m_nHeight);
    return QStringLiteral("<!DOCTYPE html>\n"
                          "<html>\n<head>\n<meta charset=\"utf-8\">\n"
                          "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                          "<meta name=\"generator\" content=\"%1\">\n"
                          "<title>%2</title>\n"
                          "<style>html,body{margin:0;background:#303030}"
                          "#stage{display:block;margin:0 auto;background:%3}</style>\n"
                          "</head>\n<body>\n"
                          "<svg id=\"stage\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %4 %5\" %6 "
                          "data-fps=\"%7\">\n%8</svg>\n"
                          "</body>\n</html>\n")
                // One arg() call: text from the project must never be taken for a placeholder.
        .arg(QStringLiteral(ZELTO_APP_TITLE), strTitle.toHtmlEscaped(), color(project.m_background),
             QString::number(project.m_nWidth), QString::number(project.m_nHeight), strSize,
             QString::number(project.m_nFps), strShapes);
}

bool HtmlExporter::exportToFile(const SceneProject &project, const QString &strTitle, const QString &strFile,
                                QString *pError)
{
    const QByteArray html = toHtml(project, strTitle).toUtf8();
    QSaveFile file(strFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(html) != html.size() || !file.commit()) {
        *pError = tr("Could not write %1: %2").arg(QDir::toNativeSeparators(strFile), file.errorString());
        return false;
    }
    return true;
}
