#include "core/documents/standardeditcommands.h"

#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/contextmanager.h"
#include "core/documents/undoredocommands.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>

#include <iterator>

namespace {

const struct {
    const char *pId;
    const char *pText;
    const char *pDescription;
} s_commands[] = {
    {"Edit.Cut", QT_TRANSLATE_NOOP("StandardEditCommands", "Cu&t"),
     QT_TRANSLATE_NOOP("StandardEditCommands", "Move the selection to the clipboard")},
    {"Edit.Copy", QT_TRANSLATE_NOOP("StandardEditCommands", "&Copy"),
     QT_TRANSLATE_NOOP("StandardEditCommands", "Copy the selection to the clipboard")},
    {"Edit.Paste", QT_TRANSLATE_NOOP("StandardEditCommands", "P&aste"),
     QT_TRANSLATE_NOOP("StandardEditCommands", "Insert what the clipboard holds")},
    {"Edit.Duplicate", QT_TRANSLATE_NOOP("StandardEditCommands", "Dupl&icate"),
     QT_TRANSLATE_NOOP("StandardEditCommands", "Copy the selection and paste it in one step")},
    {"Edit.Delete", QT_TRANSLATE_NOOP("StandardEditCommands", "De&lete"),
     QT_TRANSLATE_NOOP("StandardEditCommands", "Delete the selection")},
    {"Edit.Select_All", QT_TRANSLATE_NOOP("StandardEditCommands", "&Select All"),
     QT_TRANSLATE_NOOP("StandardEditCommands", "Select everything")},
};

const QKeySequence s_duplicateKey(Qt::CTRL | Qt::Key_D);

QList<QKeySequence> defaultKeys(const char *pId)
{
    const QLatin1String id(pId);
    if (id == QLatin1String("Edit.Duplicate"))
        return {s_duplicateKey};
    const QKeySequence::StandardKey key = id == QLatin1String("Edit.Cut")      ? QKeySequence::Cut
                                          : id == QLatin1String("Edit.Copy")   ? QKeySequence::Copy
                                          : id == QLatin1String("Edit.Paste")  ? QKeySequence::Paste
                                          : id == QLatin1String("Edit.Delete") ? QKeySequence::Delete
                                                                               : QKeySequence::SelectAll;
    // Some desktops delete with Ctrl+D as well; there it stays Duplicate's.
    QList<QKeySequence> lstKeys = QKeySequence::keyBindings(key);
    lstKeys.removeAll(s_duplicateKey);
    return lstKeys;
}

bool hasSelection(QWidget *pField)
{
    if (auto *pLineEdit = qobject_cast<QLineEdit *>(pField))
        return pLineEdit->hasSelectedText() && pLineEdit->echoMode() == QLineEdit::Normal;
    if (auto *pTextEdit = qobject_cast<QTextEdit *>(pField))
        return pTextEdit->textCursor().hasSelection();
    if (auto *pPlainTextEdit = qobject_cast<QPlainTextEdit *>(pField))
        return pPlainTextEdit->textCursor().hasSelection();
    return false;
}

bool isReadOnly(QWidget *pField)
{
    if (auto *pLineEdit = qobject_cast<QLineEdit *>(pField))
        return pLineEdit->isReadOnly();
    if (auto *pTextEdit = qobject_cast<QTextEdit *>(pField))
        return pTextEdit->isReadOnly();
    if (auto *pPlainTextEdit = qobject_cast<QPlainTextEdit *>(pField))
        return pPlainTextEdit->isReadOnly();
    return true;
}

bool isEmpty(QWidget *pField)
{
    if (auto *pLineEdit = qobject_cast<QLineEdit *>(pField))
        return pLineEdit->text().isEmpty();
    if (auto *pTextEdit = qobject_cast<QTextEdit *>(pField))
        return pTextEdit->document()->isEmpty();
    if (auto *pPlainTextEdit = qobject_cast<QPlainTextEdit *>(pField))
        return pPlainTextEdit->document()->isEmpty();
    return true;
}

} // namespace

StandardEditCommands::StandardEditCommands(QWidget *pMainWindow, ActionContainer *pEditMenu)
    : QObject(pMainWindow)
    , m_pMainWindow(pMainWindow)
{
    static_assert(std::size(s_commands) == CommandCount, "one entry per command");
    for (int i = 0; i < CommandCount; ++i) {
        auto *pAction = new QAction(tr(s_commands[i].pText), pMainWindow);
        pAction->setEnabled(false);
        connect(pAction, &QAction::triggered, this, [this, i]() { trigger(Command(i)); });
        m_actions[i] = pAction;
        ContextAction *pCommand = ActionManager::registerAction(pAction, QLatin1String(s_commands[i].pId), pMainWindow);
        pCommand->setDefaultKeySequences(defaultKeys(s_commands[i].pId));
        pCommand->setDescription(tr(s_commands[i].pDescription));
        if (pEditMenu)
            pEditMenu->insertAction(pCommand);
    }
    if (pEditMenu)
        pEditMenu->insertSeparator();
    connect(qApp, &QApplication::focusChanged, this, &StandardEditCommands::followFocus);
    // An editor that registers its actions points the commands at itself.
    if (ActionManager *pManager = ActionManager::getInstance())
        connect(pManager, &ActionManager::commandListChanged, this, &StandardEditCommands::followFocus);
}

StandardEditCommands::~StandardEditCommands()
{
    for (const QMetaObject::Connection &connection : qAsConst(m_lstFieldConnections))
        disconnect(connection);
}

QWidget *StandardEditCommands::keepingField() const
{
    if (!m_pField)
        return nullptr;
    // A field that is an editor's context, or the focus inside one such as a
    // spin box, is that editor's to handle.
    if (ContextManager::getInstance()
        && (!ContextManager::getContextId(m_pField).isEmpty()
            || !ContextManager::getContextId(QApplication::focusWidget()).isEmpty()))
        return nullptr;
    return m_pField;
}

void StandardEditCommands::followFocus()
{
    // Opening a menu or the palette leaves the field where it was.
    QWidget *pFocus = QApplication::focusWidget();
    if (pFocus && pFocus->window()->windowType() == Qt::Popup)
        return;
    QWidget *pField = UndoRedoCommands::focusedTextField(false);
    if (pField != m_pField) {
        for (const QMetaObject::Connection &connection : qAsConst(m_lstFieldConnections))
            disconnect(connection);
        m_lstFieldConnections.clear();
        m_pField = pField;
        if (auto *pLineEdit = qobject_cast<QLineEdit *>(pField)) {
            m_lstFieldConnections = {connect(pLineEdit, &QLineEdit::selectionChanged, this, &StandardEditCommands::update),
                                     connect(pLineEdit, &QLineEdit::textChanged, this, &StandardEditCommands::update)};
        } else if (auto *pTextEdit = qobject_cast<QTextEdit *>(pField)) {
            m_lstFieldConnections = {connect(pTextEdit, &QTextEdit::selectionChanged, this, &StandardEditCommands::update),
                                     connect(pTextEdit, &QTextEdit::textChanged, this, &StandardEditCommands::update)};
        } else if (auto *pPlainTextEdit = qobject_cast<QPlainTextEdit *>(pField)) {
            m_lstFieldConnections = {
                connect(pPlainTextEdit, &QPlainTextEdit::selectionChanged, this, &StandardEditCommands::update),
                connect(pPlainTextEdit, &QPlainTextEdit::textChanged, this, &StandardEditCommands::update)};
        }
    }
    update();
    // After the main window has followed the focus to its context: the
    // focus signal reaches it later than this object.
    if (!m_bRouteScheduled) {
        m_bRouteScheduled = true;
        QTimer::singleShot(0, this, &StandardEditCommands::route);
    }
}

void StandardEditCommands::route()
{
    m_bRouteScheduled = false;
    QWidget *pContext = keepingField() ? m_pMainWindow : ActionManager::getContext();
    for (const auto &command : s_commands) {
        if (ContextAction *pCommand = ActionManager::getAction(QLatin1String(command.pId)))
            pCommand->setCurrentContext(pContext);
    }
}

void StandardEditCommands::update()
{
    QWidget *pField = m_pField;
    const bool bSelection = pField && hasSelection(pField);
    const bool bWritable = pField && !isReadOnly(pField);
    m_actions[Cut]->setEnabled(bSelection && bWritable);
    m_actions[Copy]->setEnabled(bSelection);
    m_actions[Paste]->setEnabled(bWritable);
    m_actions[Delete]->setEnabled(bSelection && bWritable);
    m_actions[SelectAll]->setEnabled(pField && !isEmpty(pField));
}

void StandardEditCommands::trigger(Command command)
{
    QWidget *pField = m_pField;
    if (!pField)
        return;
    // Slots all three kinds of field have.
    static const char *const s_slots[CommandCount] = {"cut", "copy", "paste", nullptr, nullptr, "selectAll"};
    if (command == Delete) {
        if (auto *pLineEdit = qobject_cast<QLineEdit *>(pField))
            pLineEdit->del();
        else if (auto *pTextEdit = qobject_cast<QTextEdit *>(pField))
            pTextEdit->textCursor().removeSelectedText();
        else if (auto *pPlainTextEdit = qobject_cast<QPlainTextEdit *>(pField))
            pPlainTextEdit->textCursor().removeSelectedText();
    } else if (s_slots[command]) {
        QMetaObject::invokeMethod(pField, s_slots[command]);
    }
    update();
}
