#pragma once

#include "sceneproject.h"

#include <QCoreApplication>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QMimeData;
QT_END_NAMESPACE

// Items of a scene on the system clipboard, for pasting into any scene of any
// open project, in this or another running application. The data is a packed
// project with one scene holding the items, their keyframes and the images
// they show, under a MIME type of its own; their names go beside it as plain
// text for other programs.
//
// What comes back from the clipboard is outside input, like a project file:
// the project reader reads it with its limits, and its images are checked as
// images, before any of it is used.
class SceneClipboard
{
    Q_DECLARE_TR_FUNCTIONS(SceneClipboard)

public:
    static const char s_mimeType[];

    // The items of scene nScene whose ids are in lstIds, in stacking order.
    // The caller owns the data (QClipboard::setMimeData takes it).
    static QMimeData *mimeData(const SceneProject &project, int nScene, const QStringList &lstIds);
    // Reads the items of clipboard data into the one scene of *pItems; false
    // with the reason, and *pItems untouched, when they cannot be used.
    static bool read(const QMimeData *pData, SceneProject *pItems, QString *pError);
    // The same for the bytes stored under s_mimeType.
    static bool read(const QByteArray &data, SceneProject *pItems, QString *pError);
    // Adds the items read into scene nScene of *pProject, dOffset pixels to
    // the right and down, with ids new in that scene and their images; the
    // scene grows to hold their keyframes. Returns the new ids in order.
    static QStringList paste(SceneProject *pProject, int nScene, const SceneProject &items, double dOffset);
};
