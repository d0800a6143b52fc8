#include "noteseditor.h"

#include "notesdocument.h"
#include "notessettings.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextmanager.h"
#include "core/documents/editormanager.h"
#include "core/icore.h"
#include "core/mainwindow.h"
#include "core/welcome/imainmdiarea.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QUndoStack>

namespace {
const char ContextId[] = "Notes.Editor";
const char UndoId[] = "Edit.Undo";
const char RedoId[] = "Edit.Redo";
const char InsertDateId[] = "Edit.Insert_Date";
const char CopyId[] = "Edit.Copy";
const char PasteId[] = "Edit.Paste";
} // namespace

//! [editor-signals]
NotesEditor::NotesEditor()
{
    // The core has no editor widgets: the editor builds its own once the
    // note is loaded and takes it down when the note closes.
    connect(this, &IEditor::documentLoaded, this, &NotesEditor::onDocumentLoaded);
    connect(this, &IEditor::documentUnloading, this, &NotesEditor::detach);
    connect(this, &IEditor::aboutToActivate, this, &NotesEditor::onActivate);
    connect(this, &IEditor::documentModifyChanged, this, &NotesEditor::updateCaption);
    connect(this, &IEditor::documentTitleChanged, this, &NotesEditor::updateCaption);
}
//! [editor-signals]

NotesEditor::~NotesEditor()
{
    detach();
}

NotesDocument *NotesEditor::notesDocument() const
{
    return qobject_cast<NotesDocument *>(getDocument());
}

void NotesEditor::setWrapLines(bool bWrap)
{
    if (m_pEdit)
        m_pEdit->setLineWrapMode(bWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

//! [editor-widget]
void NotesEditor::onDocumentLoaded()
{
    NotesDocument *pDocument = notesDocument();
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (m_pEdit || !pDocument || !pMainWindow)
        return;
    m_pEdit = new QPlainTextEdit;
    m_pEdit->setObjectName(QStringLiteral("NotesTextEdit"));
    m_pEdit->setDocument(pDocument->textDocument());
    m_pEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pEdit->installEventFilter(this);
    connect(m_pEdit, &QWidget::customContextMenuRequested, this, &NotesEditor::showContextMenu);
    setWrapLines(NotesSettings::wrapLines());

    m_pSubWindow = pMainWindow->getMdiArea()->addSubWindow(m_pEdit);
    // Closing the subwindow is closing the note, with its save prompt.
    m_pSubWindow->installEventFilter(this);
    connect(pMainWindow->getMdiArea(), &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *pSubWindow) {
        if (pSubWindow && pSubWindow == m_pSubWindow && EditorManager::getEditors().contains(this))
            EditorManager::activateEditor(this);
    });
    registerCommands();
    m_pSubWindow->showMaximized();
    updateCaption();
    m_pEdit->setFocus();
}
//! [editor-widget]

//! [context-commands]
void NotesEditor::registerCommands()
{
    QUndoStack *pStack = notesDocument()->getUndoStack();
    m_pUndoAction = pStack->createUndoAction(m_pEdit, tr("&Undo"));
    m_pRedoAction = pStack->createRedoAction(m_pEdit, tr("&Redo"));
    m_pInsertDateAction = new QAction(tr("Insert &Date"), m_pEdit);
    connect(m_pInsertDateAction, &QAction::triggered, this, &NotesEditor::insertDate);

    // While the focus is in the text edit, these commands run this editor's
    // actions; elsewhere they fall back to the ones registered for the main
    // window.
    ContextManager::registerContext(m_pEdit, QLatin1String(ContextId), tr("Note Editor"));
    ActionManager::registerAction(m_pUndoAction, QLatin1String(UndoId), m_pEdit);
    ActionManager::registerAction(m_pRedoAction, QLatin1String(RedoId), m_pEdit);
    ActionManager::registerAction(m_pInsertDateAction, QLatin1String(InsertDateId), m_pEdit);
    registerClipboardCommands();
    // The focus may be inside the widget already, and then no focus change
    // would tell the commands.
    ActionManager::setContext(ContextManager::getActiveContext(QApplication::focusWidget()).pWidget);
}

void NotesEditor::unregisterCommands()
{
    if (!m_pEdit || !m_pUndoAction)
        return;
    ActionManager::unregisterAction(m_pUndoAction, QLatin1String(UndoId));
    ActionManager::unregisterAction(m_pRedoAction, QLatin1String(RedoId));
    ActionManager::unregisterAction(m_pInsertDateAction, QLatin1String(InsertDateId));
    ActionManager::unregisterAction(m_pCopyAction, QLatin1String(CopyId));
    ActionManager::unregisterAction(m_pPasteAction, QLatin1String(PasteId));
    ContextManager::unregisterContext(m_pEdit, QLatin1String(ContextId));
    m_pUndoAction = m_pRedoAction = m_pInsertDateAction = m_pCopyAction = m_pPasteAction = nullptr;
}
//! [context-commands]

//! [edit-commands]
void NotesEditor::registerClipboardCommands()
{
    // The core's Edit > Copy and Edit > Paste, given behaviour in the note's
    // context. The actions keep their enabled state up to date themselves:
    // the menu entries and the keys follow it.
    m_pCopyAction = new QAction(tr("&Copy"), m_pEdit);
    m_pCopyAction->setEnabled(m_pEdit->textCursor().hasSelection());
    connect(m_pCopyAction, &QAction::triggered, m_pEdit, &QPlainTextEdit::copy);
    connect(m_pEdit, &QPlainTextEdit::copyAvailable, m_pCopyAction, &QAction::setEnabled);
    m_pPasteAction = new QAction(tr("&Paste"), m_pEdit);
    m_pPasteAction->setEnabled(m_pEdit->canPaste());
    connect(m_pPasteAction, &QAction::triggered, m_pEdit, &QPlainTextEdit::paste);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, m_pPasteAction,
            [this]() { m_pPasteAction->setEnabled(m_pEdit && m_pEdit->canPaste()); });
    ActionManager::registerAction(m_pCopyAction, QLatin1String(CopyId), m_pEdit);
    ActionManager::registerAction(m_pPasteAction, QLatin1String(PasteId), m_pEdit);
}
//! [edit-commands]

void NotesEditor::detach()
{
    unregisterCommands();
    if (m_pEdit) {
        m_pEdit->removeEventFilter(this);
        // The text belongs to the document, which may go first.
        m_pEdit->setDocument(nullptr);
    }
    if (m_pSubWindow) {
        m_pSubWindow->removeEventFilter(this);
        if (QMdiArea *pArea = m_pSubWindow->mdiArea())
            disconnect(pArea, nullptr, this, nullptr);
        // Possibly inside the subwindow's own close event: delete it later.
        m_pSubWindow->hide();
        m_pSubWindow->deleteLater();   // takes the text edit with it
        m_pSubWindow = nullptr;
    }
}

void NotesEditor::onActivate()
{
    if (m_pSubWindow && m_pSubWindow->mdiArea() && m_pSubWindow->mdiArea()->activeSubWindow() != m_pSubWindow)
        m_pSubWindow->mdiArea()->setActiveSubWindow(m_pSubWindow);
    updateCaption();
}

void NotesEditor::updateCaption()
{
    NotesDocument *pDocument = notesDocument();
    if (!pDocument || !m_pSubWindow)
        return;
    const QString strFile = pDocument->getFileName();
    const bool bModified = pDocument->isModified();
    m_pSubWindow->setWindowTitle(pDocument->title() + QStringLiteral("[*]"));
    m_pSubWindow->setWindowFilePath(strFile);
    m_pSubWindow->setWindowModified(bModified);
    MainWindow *pMainWindow = ICore::getMainWindow();
    if (pMainWindow && EditorManager::activeEditor() == this) {
        pMainWindow->setWindowFilePath(strFile);
        pMainWindow->setWindowModified(bModified);
    }
}

void NotesEditor::insertDate()
{
    if (m_pEdit)
        m_pEdit->insertPlainText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

void NotesEditor::showContextMenu(const QPoint &pos)
{
    // The text edit's own Undo and Redo would bypass the note's undo stack.
    QMenu *pMenu = m_pEdit->createStandardContextMenu();
    const QList<QAction *> lstActions = pMenu->actions();
    for (QAction *pAction : lstActions) {
        if (pAction->objectName() == QLatin1String("edit-undo") && m_pUndoAction) {
            pMenu->insertAction(pAction, m_pUndoAction);
            pMenu->removeAction(pAction);
        } else if (pAction->objectName() == QLatin1String("edit-redo") && m_pRedoAction) {
            pMenu->insertAction(pAction, m_pRedoAction);
            pMenu->removeAction(pAction);
        }
    }
    pMenu->exec(m_pEdit->mapToGlobal(pos));
    delete pMenu;
}

bool NotesEditor::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    if (pWatched == m_pEdit && (pEvent->type() == QEvent::ShortcutOverride || pEvent->type() == QEvent::KeyPress)) {
        // The text edit would undo its text directly, behind the note's undo
        // stack; the keys go to the stack instead.
        auto *pKey = static_cast<QKeyEvent *>(pEvent);
        const bool bUndo = pKey->matches(QKeySequence::Undo);
        if (bUndo || pKey->matches(QKeySequence::Redo)) {
            if (pEvent->type() == QEvent::KeyPress) {
                QUndoStack *pStack = notesDocument() ? notesDocument()->getUndoStack() : nullptr;
                if (pStack && bUndo)
                    pStack->undo();
                else if (pStack)
                    pStack->redo();
            }
            pEvent->accept();
            return true;
        }
    }
    if (pWatched == m_pSubWindow && pEvent->type() == QEvent::Close) {
        // The window stays until the note agrees to close; then the main
        // window deletes the editor, which takes the window down.
        pEvent->ignore();
        IDocument *pDocument = getDocument();
        if (pDocument && pDocument->close())
            emit pDocument->requestClosing(true);
        return true;
    }
    return IEditor::eventFilter(pWatched, pEvent);
}
