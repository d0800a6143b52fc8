#include "sceneeditcommand.h"

#include "scenedocument.h"

SceneEditCommand::SceneEditCommand(SceneDocument *pDocument, const QString &strText,
                                   const QList<SceneItem> &lstBefore, const QList<SceneItem> &lstAfter)
    : QUndoCommand(strText)
    , m_pDocument(pDocument)
    , m_lstBefore(lstBefore)
    , m_lstAfter(lstAfter)
{
}

void SceneEditCommand::undo()
{
    m_pDocument->setItems(m_lstBefore);
}

void SceneEditCommand::redo()
{
    m_pDocument->setItems(m_lstAfter);
}
