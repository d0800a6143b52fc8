#include "core/documents/editormanager.h"
#include "core/documents/editormanager_p.h"

#include "core/documents/ieditor.h"

static EditorManager *s_pInstance = nullptr;
static EditorManagerPrivate *s_pPrivate = nullptr;   // the instance's d, for the static operations

static EditorManagerPrivate *dptr()
{
    return s_pPrivate;
}

EditorManager::EditorManager()
    : d(new EditorManagerPrivate)
{
    s_pInstance = this;
    s_pPrivate = d;
}

EditorManager::~EditorManager()
{
    // Editors outliving the manager must not call back into it.
    for (IEditor *pEditor : qAsConst(d->m_lstEditors))
        disconnect(pEditor, &QObject::destroyed, this, &EditorManager::editorDestroyed);
    if (s_pInstance == this) {
        s_pInstance = nullptr;
        s_pPrivate = nullptr;
    }
    delete d;
}

EditorManager *EditorManager::getInstance()
{
    return s_pInstance;
}

// Called whenever the active editor changes: only an unregistered one needs
// watching, a registered one leaves through editorDestroyed().
static void watchActiveEditor(EditorManagerPrivate *p)
{
    QObject::disconnect(p->m_activeWatch);
    IEditor *pEditor = p->m_pActiveEditor;
    if (!pEditor || p->m_lstEditors.contains(pEditor))
        return;
    p->m_activeWatch = QObject::connect(pEditor, &QObject::destroyed, s_pInstance, [p, pEditor]() {
        if (p->m_pActiveEditor != pEditor)
            return;
        // Cleared first: receivers asking for the active editor must not get the dying one.
        p->m_pActiveEditor = nullptr;
        emit s_pInstance->editorDeactivated(pEditor);
    });
}

void EditorManager::addEditor(IEditor *pEditor)
{
    EditorManagerPrivate *p = dptr();
    if (!p || !pEditor || p->m_lstEditors.contains(pEditor))
        return;
    p->m_lstEditors.append(pEditor);
    if (p->m_pActiveEditor == pEditor)
        watchActiveEditor(p);
    p->m_hashObjects.insert(pEditor, pEditor);
    connect(pEditor, SIGNAL(destroyed(QObject*)), s_pInstance, SLOT(editorDestroyed(QObject*)));
}

// Shared by removeEditor() and editorDestroyed(): a dying editor can no
// longer emit its own signals, so bAlive tells whether it may be signalled.
static bool removeRegisteredEditor(EditorManagerPrivate *p, IEditor *pEditor, bool bAlive)
{
    const int nIndex = p->m_lstEditors.indexOf(pEditor);
    if (nIndex < 0)
        return false;

    const bool bWasActive = p->m_pActiveEditor == pEditor;
    if (bWasActive) {
        if (bAlive)
            emit pEditor->aboutToDeactivate();
        emit s_pInstance->editorDeactivated(pEditor);
        p->m_pActiveEditor = nullptr;
        watchActiveEditor(p);
    }

    IEditor *pSuccessor = nullptr;
    if (nIndex == p->m_lstEditors.size() - 1)
        pSuccessor = nIndex > 0 ? p->m_lstEditors.at(nIndex - 1) : nullptr;
    else
        pSuccessor = p->m_lstEditors.at(nIndex + 1);

    p->m_lstEditors.removeAt(nIndex);
    QObject *pObject = p->m_hashObjects.key(pEditor);
    p->m_hashObjects.remove(pObject);
    if (bAlive)
        QObject::disconnect(pEditor, SIGNAL(destroyed(QObject*)), s_pInstance, SLOT(editorDestroyed(QObject*)));

    if (bWasActive && !p->m_lstEditors.isEmpty())
        EditorManager::activateEditor(pSuccessor);
    return true;
}

bool EditorManager::removeEditor(IEditor *pEditor)
{
    if (!pEditor)
        return true;
    EditorManagerPrivate *p = dptr();
    return p ? removeRegisteredEditor(p, pEditor, true) : false;
}

IEditor *EditorManager::activeEditor()
{
    EditorManagerPrivate *p = dptr();
    return p ? p->m_pActiveEditor : nullptr;
}

IEditor *EditorManager::getEditorOfDocument(IDocument *pDocument)
{
    EditorManagerPrivate *p = dptr();
    if (!p)
        return nullptr;
    for (IEditor *pEditor : qAsConst(p->m_lstEditors)) {
        if (pEditor->getDocument() == pDocument)
            return pEditor;
    }
    return nullptr;
}

const QList<IEditor *> &EditorManager::getEditors()
{
    static const QList<IEditor *> lstNone;
    EditorManagerPrivate *p = dptr();
    return p ? p->m_lstEditors : lstNone;
}

void EditorManager::activateEditor(IEditor *pEditor)
{
    EditorManagerPrivate *p = dptr();
    if (!p || pEditor == p->m_pActiveEditor)
        return;
    if (IEditor *pPrevious = p->m_pActiveEditor) {
        emit pPrevious->aboutToDeactivate();
        emit s_pInstance->editorDeactivated(pPrevious);
    }
    p->m_pActiveEditor = pEditor;
    watchActiveEditor(p);
    if (pEditor) {
        emit pEditor->aboutToActivate();
        emit s_pInstance->editorActivated(pEditor);
    }
}

void EditorManager::editorDestroyed(QObject *pObject)
{
    // The IEditor part of pObject is already gone: look it up by address
    // instead of casting, and do not make it emit anything.
    if (IEditor *pEditor = d->m_hashObjects.value(pObject))
        removeRegisteredEditor(d, pEditor, false);
}
