#pragma once

#include "sceneproject.h"

#include <QUndoCommand>

class SceneDocument;

// One user change of the project. It keeps the project before and after the
// change: its lists share their unchanged parts with each other, so whole
// snapshots are cheap, and they make undo exact for every kind of change
// alike, from moving an item to deleting a scene.
class SceneEditCommand : public QUndoCommand
{
public:
    SceneEditCommand(SceneDocument *pDocument, const QString &strText, const SceneProject &before,
                     const SceneProject &after);

    void undo() override;
    void redo() override;

private:
    SceneDocument *m_pDocument;   // not owned: the document owns the stack that owns this command
    SceneProject m_before;
    SceneProject m_after;
};
