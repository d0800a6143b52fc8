#pragma once

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <array>

QT_BEGIN_NAMESPACE
class QAction;
class QWidget;
QT_END_NAMESPACE

class ActionContainer;

// Edit > Cut, Copy, Paste, Duplicate, Delete and Select All of the whole
// application. The core gives them no behaviour of its own: an editor
// contributes its actions for them in its context, and where none does, the
// commands are disabled. A text field with the focus keeps its own Cut, Copy
// and Paste (and Delete and Select All): while one has the focus, the commands
// act on its text, even inside an editor that contributes actions. A field
// that is itself a registered context is the editor, which speaks for it.
class StandardEditCommands : public QObject
{
    Q_OBJECT

public:
    // Registers "Edit.Cut" to "Edit.Select_All" for the main window and
    // appends them and a separator to pEditMenu.
    StandardEditCommands(QWidget *pMainWindow, ActionContainer *pEditMenu);
    ~StandardEditCommands() override;

private slots:
    void followFocus();
    void route();
    void update();

private:
    enum Command {
        Cut,
        Copy,
        Paste,
        Duplicate,
        Delete,
        SelectAll,
        CommandCount
    };

    void trigger(Command command);
    // The field that keeps the commands, or nullptr.
    QWidget *keepingField() const;

    QWidget *m_pMainWindow;
    std::array<QAction *, CommandCount> m_actions{};   // children of the main window
    QPointer<QWidget> m_pField;
    QList<QMetaObject::Connection> m_lstFieldConnections;
    bool m_bRouteScheduled = false;
};
