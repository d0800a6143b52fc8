#pragma once

#include "sceneitem.h"

#include <QList>
#include <QUndoCommand>

class SceneDocument;

// One user change of the scene. It keeps the item list before and after the
// change: scenes are small, and whole snapshots make undo exact for adding,
// deleting, moving and resizing alike.
class SceneEditCommand : public QUndoCommand
{
public:
    SceneEditCommand(SceneDocument *pDocument, const QString &strText, const QList<SceneItem> &lstBefore,
                     const QList<SceneItem> &lstAfter);

    void undo() override;
    void redo() override;

private:
    SceneDocument *m_pDocument;   // not owned: the document owns the stack that owns this command
    QList<SceneItem> m_lstBefore;
    QList<SceneItem> m_lstAfter;
};
