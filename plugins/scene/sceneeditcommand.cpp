#include "sceneeditcommand.h"

#include "scenedocument.h"

SceneEditCommand::SceneEditCommand(SceneDocument *pDocument, const QString &strText,
                                   const SceneProject &before, const SceneProject &after)
    : QUndoCommand(strText)
    , m_pDocument(pDocument)
    , m_before(before)
    , m_after(after)
{
}

void SceneEditCommand::undo()
{
    m_pDocument->setProject(m_before);
}

void SceneEditCommand::redo()
{
    m_pDocument->setProject(m_after);
}
