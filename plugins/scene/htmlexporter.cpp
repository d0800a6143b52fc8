#include "htmlexporter.h"

#include "sceneanimation.h"
#include "sceneproject.h"

#include "core/core_global.h"

#include <QDir>
#include <QSaveFile>

#include <functional>

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

QString px(double dValue)
{
    return number(dValue) + QStringLiteral("px");
}

// The CSS declarations that give one animated property one value.
using Declarations = std::function<QString(const QVariant &)>;

// Writes the scenes of a project as one SVG stage and one style sheet. All
// animations share the page's timeline: each lasts as long as the whole
// project, and a scene's keyframes sit at the scene's place in it, so the
// scenes play one after another and loop together.
class PageWriter
{
public:
    explicit PageWriter(const SceneProject &project)
        : m_project(project)
        , m_dTotal(project.duration())
    {
    }

    QString shapes()
    {
        QString strShapes;
        double dStart = 0;
        for (int i = 0; i < m_project.m_lstScenes.size(); ++i) {
            const Scene &scene = m_project.m_lstScenes.at(i);
            m_dSceneStart = dStart;
            QString strScene;
            for (const SceneItem &item : scene.lstItems)
                strScene += this->item(item, QStringLiteral("s%1-").arg(i + 1));
            strShapes += QStringLiteral("<g id=\"scene%1\" data-name=\"%2\"%3>\n%4</g>\n")
                             .arg(QString::number(i + 1), scene.strName.toHtmlEscaped(),
                                  sceneVisibility(dStart, dStart + scene.dDuration, i == m_project.m_lstScenes.size() - 1),
                                  strScene);
            dStart += scene.dDuration;
        }
        return strShapes;
    }

    QString styleSheet() const
    {
        if (m_strKeyframes.isEmpty())
            return QString();
        return QStringLiteral(".a{animation-duration:%1s;animation-timing-function:linear;animation-fill-mode:both;"
                              "animation-iteration-count:%2}\n%3")
            .arg(number(m_dTotal), m_project.m_bLoop ? QStringLiteral("infinite") : QStringLiteral("1"),
                 m_strKeyframes);
    }

private:
    // The class and animation of a scene's group: a scene is shown from its
    // start to its end; the last one stays at the end of a page that does
    // not loop.
    QString sceneVisibility(double dStart, double dEnd, bool bLast)
    {
        if (m_project.m_lstScenes.size() < 2)
            return QStringLiteral(" class=\"scene\"");
        const QString strHidden = QStringLiteral("visibility:hidden;animation-timing-function:step-end");
        const QString strVisible = QStringLiteral("visibility:visible;animation-timing-function:step-end");
        QString strBlocks;
        if (dStart > 0)
            strBlocks += QStringLiteral("0%{%1}").arg(strHidden);
        strBlocks += QStringLiteral("%1%{%2}").arg(percent(dStart), strVisible);
        // Every keyframe is written: a missing 100% would fall back to the
        // group's own, visible, style.
        if (bLast)
            strBlocks += QStringLiteral("100%{%1}").arg(strVisible);
        else
            strBlocks += QStringLiteral("%1%{%2}100%{%2}").arg(percent(dEnd), strHidden);
        return QStringLiteral(" class=\"scene a\" style=\"animation-name:%1\"").arg(addKeyframes(strBlocks));
    }

    QString percent(double dTime) const
    {
        return number(qBound(0.0, dTime / m_dTotal * 100, 100.0));
    }

    QString addKeyframes(const QString &strBlocks)
    {
        const QString strName = QStringLiteral("k%1").arg(++m_nKeyframes);
        m_strKeyframes += QStringLiteral("@keyframes %1{%2}\n").arg(strName, strBlocks);
        return strName;
    }

    // Keyframes holding the first value until the first keyframe and the last
    // one after the last keyframe; the easing of a keyframe leads to the next.
    QString animation(const QList<Keyframe> &track, const Declarations &declarations)
    {
        QString strBlocks;
        if (m_dSceneStart + track.constFirst().dTime > 0)
            strBlocks += QStringLiteral("0%{%1}").arg(declarations(track.constFirst().value));
        for (const Keyframe &keyframe : track) {
            QString strBlock = declarations(keyframe.value);
            if (keyframe.easing != Keyframe::Linear)
                strBlock += QStringLiteral(";animation-timing-function:")
                            + SceneAnimation::cssTimingFunction(keyframe.easing);
            strBlocks += QStringLiteral("%1%{%2}").arg(percent(m_dSceneStart + keyframe.dTime), strBlock);
        }
        if (m_dSceneStart + track.constLast().dTime < m_dTotal)
            strBlocks += QStringLiteral("100%{%1}").arg(declarations(track.constLast().value));
        return addKeyframes(strBlocks);
    }

    // The animations of the given properties, as an attribute.
    QString animations(const SceneItem &item, const QList<QPair<SceneItem::Property, Declarations>> &lstAnimated)
    {
        QStringList lstNames;
        for (const auto &entry : lstAnimated) {
            if (!item.tracks[entry.first].isEmpty())
                lstNames.append(animation(item.tracks[entry.first], entry.second));
        }
        return lstNames.isEmpty() ? QString()
                                  : QStringLiteral(" class=\"a\" style=\"animation-name:%1\"").arg(lstNames.join(QLatin1Char(',')));
    }

    // An item is drawn in its own coordinates, its top left corner at 0,0,
    // inside a chain of groups: move to x, to y, to the centre, rotate, fade,
    // back from the centre. Each group animates one property, so every
    // property keeps its own keyframes and easings; groups that would change
    // nothing are left out.
    QString item(const SceneItem &item, const QString &strIdPrefix)
    {
        struct Layer
        {
            SceneItem::Property property;
            bool bCentre;                               // only needed to rotate around the centre
            std::function<QString(double)> transform;   // the CSS transform for one value
        };
        const Layer layers[] = {
            {SceneItem::X, false, [](double d) { return QStringLiteral("translate(%1,0px)").arg(px(d)); }},
            {SceneItem::Y, false, [](double d) { return QStringLiteral("translate(0px,%1)").arg(px(d)); }},
            {SceneItem::Width, true, [](double d) { return QStringLiteral("translate(%1,0px)").arg(px(d / 2)); }},
            {SceneItem::Height, true, [](double d) { return QStringLiteral("translate(0px,%1)").arg(px(d / 2)); }},
            {SceneItem::Rotation, true, [](double d) { return QStringLiteral("rotate(%1deg)").arg(number(d)); }},
            {SceneItem::Width, true, [](double d) { return QStringLiteral("translate(%1,0px)").arg(px(-d / 2)); }},
            {SceneItem::Height, true, [](double d) { return QStringLiteral("translate(0px,%1)").arg(px(-d / 2)); }},
        };
        const bool bRotates = !item.tracks[SceneItem::Rotation].isEmpty() || item.dRotation != 0;
        QString strOpen;
        QString strClose;
        QStringList lstStatic;   // transforms of groups that do not move, gathered into one
        auto flushStatic = [&]() {
            if (lstStatic.isEmpty())
                return;
            strOpen += QStringLiteral("<g style=\"transform:%1\">").arg(lstStatic.join(QLatin1Char(' ')));
            strClose.prepend(QStringLiteral("</g>"));
            lstStatic.clear();
        };
        strOpen += QStringLiteral("<g id=\"%1\">").arg((strIdPrefix + item.strId).toHtmlEscaped());
        strClose = QStringLiteral("</g>\n");
        for (const Layer &layer : layers) {
            if (layer.bCentre && !bRotates)
                continue;
            const QList<Keyframe> &track = item.tracks[layer.property];
            if (track.isEmpty()) {
                const double dValue = item.baseValue(layer.property).toDouble();
                if (dValue != 0)
                    lstStatic.append(layer.transform(dValue));
                continue;
            }
            flushStatic();
            const auto transform = layer.transform;
            strOpen += QStringLiteral("<g%1>").arg(animations(item, {{layer.property, [transform](const QVariant &value) {
                                                                          return QStringLiteral("transform:") + transform(value.toDouble());
                                                                      }}}));
            strClose.prepend(QStringLiteral("</g>"));
        }
        flushStatic();
        if (!item.tracks[SceneItem::Opacity].isEmpty() || item.dOpacity != 1) {
            const QString strAnimation = animations(item, {{SceneItem::Opacity, [](const QVariant &value) {
                                                                 return QStringLiteral("opacity:") + number(value.toDouble());
                                                             }}});
            strOpen += strAnimation.isEmpty() ? QStringLiteral("<g opacity=\"%1\">").arg(number(item.dOpacity))
                                              : QStringLiteral("<g%1>").arg(strAnimation);
            strClose.prepend(QStringLiteral("</g>"));
        }
        return strOpen + shape(item) + strClose;
    }

    QString shape(const SceneItem &item)
    {
        const QRectF &r = item.rect;
        const Declarations fill = [](const QVariant &value) {
            return QStringLiteral("fill:") + color(value.value<QColor>());
        };
        switch (item.type) {
        case SceneItem::Rectangle:
            return QStringLiteral("<rect width=\"%1\" height=\"%2\" fill=\"%3\" stroke=\"%4\" stroke-width=\"2\"%5/>")
                .arg(number(r.width()), number(r.height()), color(item.fill), color(item.stroke),
                     animations(item, {{SceneItem::Width, [](const QVariant &v) { return QStringLiteral("width:") + px(v.toDouble()); }},
                                       {SceneItem::Height, [](const QVariant &v) { return QStringLiteral("height:") + px(v.toDouble()); }},
                                       {SceneItem::Fill, fill}}));
        case SceneItem::Ellipse:
            return QStringLiteral("<ellipse cx=\"%1\" cy=\"%2\" rx=\"%1\" ry=\"%2\" fill=\"%3\" stroke=\"%4\" "
                                  "stroke-width=\"2\"%5/>")
                .arg(number(r.width() / 2), number(r.height() / 2), color(item.fill), color(item.stroke),
                     animations(item, {{SceneItem::Width, [](const QVariant &v) {
                                            return QStringLiteral("cx:%1;rx:%1").arg(px(v.toDouble() / 2));
                                        }},
                                       {SceneItem::Height, [](const QVariant &v) {
                                            return QStringLiteral("cy:%1;ry:%1").arg(px(v.toDouble() / 2));
                                        }},
                                       {SceneItem::Fill, fill}}));
        case SceneItem::Text:
            // The baseline sits one font size below the top, as in the editor.
            return QStringLiteral("<text x=\"0\" y=\"%1\" font-family=\"sans-serif\" font-size=\"%1\" fill=\"%2\"%3>%4</text>")
                .arg(QString::number(item.nFontSize), color(item.fill), animations(item, {{SceneItem::Fill, fill}}),
                     item.strText.toHtmlEscaped());
        case SceneItem::Image: {
            const QByteArray data = m_project.m_mapImages.value(item.strImage);
            if (data.isEmpty())
                return QString();
            return QStringLiteral("<image width=\"%1\" height=\"%2\" preserveAspectRatio=\"none\" "
                                  "href=\"data:%3;base64,%4\"%5/>")
                .arg(number(r.width()), number(r.height()), SceneProject::imageMimeType(item.strImage),
                     QString::fromLatin1(data.toBase64()),
                     animations(item, {{SceneItem::Width, [](const QVariant &v) { return QStringLiteral("width:") + px(v.toDouble()); }},
                                       {SceneItem::Height, [](const QVariant &v) { return QStringLiteral("height:") + px(v.toDouble()); }}}));
        }
        }
        return QString();
    }

    const SceneProject &m_project;
    const double m_dTotal;
    double m_dSceneStart = 0;
    int m_nKeyframes = 0;
    QString m_strKeyframes;
};

} // namespace

QString HtmlExporter::toHtml(const SceneProject &project, const QString &strTitle)
{
    PageWriter writer(project);
    const QString strShapes = writer.shapes();

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
                          "#stage{display:block;margin:0 auto;background:%3}\n%9</style>\n"
                          "</head>\n<body>\n"
                          "<svg id=\"stage\" xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 %4 %5\" %6 "
                          "data-fps=\"%7\">\n%8</svg>\n"
                          "</body>\n</html>\n")
        // One arg() call: text from the project must never be taken for a placeholder.
        .arg(QStringLiteral(ZELTO_APP_TITLE), strTitle.toHtmlEscaped(), color(project.m_background),
             QString::number(project.m_nWidth), QString::number(project.m_nHeight), strSize,
             QString::number(project.m_nFps), strShapes, writer.styleSheet());
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
