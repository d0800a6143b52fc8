#pragma once

#include <QCoreApplication>
#include <QString>

class SceneProject;

// Turns a project into one self-contained HTML5 page: the stage is inline
// SVG, images are data URLs, and the animation is CSS, so the page needs no
// other file and no script. The scenes play one after another, and again
// from the start when the project loops.
class HtmlExporter
{
    Q_DECLARE_TR_FUNCTIONS(HtmlExporter)

public:
    static QString toHtml(const SceneProject &project, const QString &strTitle);
    static bool exportToFile(const SceneProject &project, const QString &strTitle, const QString &strFile,
                             QString *pError);
};
