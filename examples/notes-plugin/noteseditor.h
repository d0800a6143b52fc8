#pragma once

#include "core/documents/ieditor.h"

#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>

QT_BEGIN_NAMESPACE
class QAction;
QT_END_NAMESPACE

class NotesDocument;

// The editor of a note: a QPlainTextEdit on the note's text, in a subwindow
// of the main window's work area. The text edit is a command context of its
// own ("Notes.Editor"): there Edit.Undo and Edit.Redo act on the note's undo
// stack, Edit.Copy and Edit.Paste on its text, and Edit.Insert_Date inserts
// the date and time.
class NotesEditor : public IEditor
{
    Q_OBJECT

public:
    NotesEditor();
    ~NotesEditor() override;

    QPlainTextEdit *textEdit() const { return m_pEdit; }
    void setWrapLines(bool bWrap);

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;

private slots:
    void onDocumentLoaded();
    void onActivate();
    void updateCaption();
    void insertDate();
    void showContextMenu(const QPoint &pos);
    // The note is closing: the window and the commands go at once, even when
    // the editor object itself is deleted later.
    void detach();

private:
    void registerCommands();
    void registerClipboardCommands();
    void unregisterCommands();
    NotesDocument *notesDocument() const;

    QPointer<QPlainTextEdit> m_pEdit;        // owned by the subwindow
    QPointer<QMdiSubWindow> m_pSubWindow;    // owned by the work area; closed with the editor
    QAction *m_pUndoAction = nullptr;        // children of the text edit
    QAction *m_pRedoAction = nullptr;
    QAction *m_pInsertDateAction = nullptr;
    QAction *m_pCopyAction = nullptr;
    QAction *m_pPasteAction = nullptr;
};
