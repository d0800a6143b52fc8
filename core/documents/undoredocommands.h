#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class ActionContainer;

// Edit > Undo and Edit > Redo of the whole application. They act on the
// undo stack of the project in front (the document manager's undo group)
// and are named after what they undo ("Undo Move"). While a text field has
// the focus, the field's own undo comes first: its typing is undone before
// the project's steps, by the menu and by the keys alike.
class UndoRedoCommands : public QObject
{
    Q_OBJECT

public:
    // Registers "Edit.Undo" and "Edit.Redo" for the main window and appends
    // them and a separator to pEditMenu.
    UndoRedoCommands(QWidget *pMainWindow, ActionContainer *pEditMenu);
    ~UndoRedoCommands() override;

    // The text field that has the focus and can be edited (or, with
    // bEditableOnly false, also a read-only one), or nullptr.
    static QWidget *focusedTextField(bool bEditableOnly = true);

protected:
    // Lets the Undo and Redo keys through to the commands while the focused
    // field has nothing of its own to undo or redo.
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;

private slots:
    void undo();
    void redo();
    void update();
    void followFocus();

private:
    QAction *m_pUndoAction;   // children of the main window
    QAction *m_pRedoAction;
    QPointer<QWidget> m_pField;
    QMetaObject::Connection m_fieldChanged;
};
