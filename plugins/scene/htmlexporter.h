#pragma once

#include <QCoreApplication>
#include <QString>

class SceneProject;

// Turns a scene into one self-contained HTML5 page: the stage is inline SVG
// and images are data URLs, so the page needs no other file.
class HtmlExporter
{
    Q_DECLARE_TR_FUNCTIONS(HtmlExporter)

public:
    static QString toHtml(const SceneProject &project, const QString &strTitle);
    static bool exportToFile(const SceneProject &project, const QString &strTitle, const QString &strFile,
                             QString *pError);
};
