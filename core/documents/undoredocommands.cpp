#include "core/documents/undoredocommands.h"

#include "core/actionmanager/actioncontainer.h"
#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/actionmanager/proxyaction.h"
#include "core/documents/documentmanager.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <QUndoGroup>
#include <QUndoStack>

namespace {

// The line edit behind a field: itself, or the editor of a spin or combo box.
QLineEdit *lineEditOf(QWidget *pWidget)
{
    if (auto *pLineEdit = qobject_cast<QLineEdit *>(pWidget))
        return pLineEdit;
    if (qobject_cast<QAbstractSpinBox *>(pWidget))
        return pWidget->findChild<QLineEdit *>();
    if (auto *pCombo = qobject_cast<QComboBox *>(pWidget))
        return pCombo->lineEdit();
    return nullptr;
}

QTextDocument *textDocumentOf(QWidget *pField)
{
    if (auto *pTextEdit = qobject_cast<QTextEdit *>(pField))
        return pTextEdit->document();
    if (auto *pPlainTextEdit = qobject_cast<QPlainTextEdit *>(pField))
        return pPlainTextEdit->document();
    return nullptr;
}

bool fieldCanUndo(QWidget *pField, bool bRedo)
{
    if (auto *pLineEdit = qobject_cast<QLineEdit *>(pField))
        return bRedo ? pLineEdit->isRedoAvailable() : pLineEdit->isUndoAvailable();
    if (QTextDocument *pDocument = textDocumentOf(pField))
        return bRedo ? pDocument->isRedoAvailable() : pDocument->isUndoAvailable();
    return false;
}

void fieldUndo(QWidget *pField, bool bRedo)
{
    if (auto *pLineEdit = qobject_cast<QLineEdit *>(pField)) {
        if (bRedo)
            pLineEdit->redo();
        else
            pLineEdit->undo();
    } else if (QTextDocument *pDocument = textDocumentOf(pField)) {
        if (bRedo)
            pDocument->redo();
        else
            pDocument->undo();
    }
}

// Popups (menus, the command palette) take the focus only while they are open.
bool isPopup(const QWidget *pWidget)
{
    return pWidget && pWidget->window()->windowType() == Qt::Popup;
}

} // namespace

UndoRedoCommands::UndoRedoCommands(QWidget *pMainWindow, ActionContainer *pEditMenu)
    : QObject(pMainWindow)
{
    m_pUndoAction = new QAction(pMainWindow);
    m_pRedoAction = new QAction(pMainWindow);
    connect(m_pUndoAction, &QAction::triggered, this, &UndoRedoCommands::undo);
    connect(m_pRedoAction, &QAction::triggered, this, &UndoRedoCommands::redo);
    update();

    ContextAction *pUndo = ActionManager::registerAction(m_pUndoAction, QStringLiteral("Edit.Undo"), pMainWindow);
    pUndo->setDefaultKeySequences(QKeySequence::keyBindings(QKeySequence::Undo));
    pUndo->setDescription(tr("Undo the last change"));
    ContextAction *pRedo = ActionManager::registerAction(m_pRedoAction, QStringLiteral("Edit.Redo"), pMainWindow);
    pRedo->setDefaultKeySequences(QKeySequence::keyBindings(QKeySequence::Redo));
    pRedo->setDescription(tr("Redo the last undone change"));
    // The menu entries carry the name of what they undo.
    for (ContextAction *pCommand : {pUndo, pRedo}) {
        if (auto *pProxy = qobject_cast<ProxyAction *>(pCommand->getAction()))
            pProxy->setAttribute(ProxyAction::FollowText);
    }
    if (pEditMenu) {
        pEditMenu->insertAction(pUndo);
        pEditMenu->insertAction(pRedo);
        pEditMenu->insertSeparator();
    }

    if (QUndoGroup *pGroup = DocumentManager::getUndoGroup()) {
        connect(pGroup, &QUndoGroup::canUndoChanged, this, &UndoRedoCommands::update);
        connect(pGroup, &QUndoGroup::canRedoChanged, this, &UndoRedoCommands::update);
        connect(pGroup, &QUndoGroup::undoTextChanged, this, &UndoRedoCommands::update);
        connect(pGroup, &QUndoGroup::redoTextChanged, this, &UndoRedoCommands::update);
        connect(pGroup, &QUndoGroup::activeStackChanged, this, &UndoRedoCommands::update);
    }
    connect(qApp, &QApplication::focusChanged, this, &UndoRedoCommands::followFocus);
    qApp->installEventFilter(this);
}

UndoRedoCommands::~UndoRedoCommands()
{
    disconnect(m_fieldChanged);
}

QWidget *UndoRedoCommands::focusedTextField(bool bEditableOnly)
{
    QWidget *pFocus = QApplication::focusWidget();
    if (QLineEdit *pLineEdit = lineEditOf(pFocus))
        return bEditableOnly && pLineEdit->isReadOnly() ? nullptr : pLineEdit;
    if (auto *pTextEdit = qobject_cast<QTextEdit *>(pFocus))
        return bEditableOnly && pTextEdit->isReadOnly() ? nullptr : pTextEdit;
    if (auto *pPlainTextEdit = qobject_cast<QPlainTextEdit *>(pFocus))
        return bEditableOnly && pPlainTextEdit->isReadOnly() ? nullptr : pPlainTextEdit;
    return nullptr;
}

bool UndoRedoCommands::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    // A text field claims the Undo and Redo keys for itself, whether it has
    // anything to undo or not; it keeps them only while it has. The claim
    // travels up the field's parents, which are all told the same.
    if (pEvent->type() == QEvent::ShortcutOverride && pWatched->isWidgetType()) {
        auto *pKeyEvent = static_cast<QKeyEvent *>(pEvent);
        const bool bUndo = pKeyEvent->matches(QKeySequence::Undo);
        const bool bRedo = pKeyEvent->matches(QKeySequence::Redo);
        QWidget *pField = (bUndo || bRedo) ? focusedTextField() : nullptr;
        if (pField && !isPopup(pField) && !fieldCanUndo(pField, bRedo)) {
            pKeyEvent->ignore();
            return true;
        }
    }
    return QObject::eventFilter(pWatched, pEvent);
}

void UndoRedoCommands::undo()
{
    QWidget *pField = focusedTextField();
    if (pField && fieldCanUndo(pField, false))
        fieldUndo(pField, false);
    else if (QUndoGroup *pGroup = DocumentManager::getUndoGroup())
        pGroup->undo();
    update();
}

void UndoRedoCommands::redo()
{
    QWidget *pField = focusedTextField();
    if (pField && fieldCanUndo(pField, true))
        fieldUndo(pField, true);
    else if (QUndoGroup *pGroup = DocumentManager::getUndoGroup())
        pGroup->redo();
    update();
}

void UndoRedoCommands::update()
{
    QUndoGroup *pGroup = DocumentManager::getUndoGroup();
    // A "&" in a step's name is shown, not taken for a mnemonic.
    const auto named = [](const QString &strText) { return QString(strText).replace(QLatin1Char('&'), QLatin1String("&&")); };

    if (m_pField && fieldCanUndo(m_pField, false)) {
        m_pUndoAction->setText(tr("&Undo Typing"));
        m_pUndoAction->setEnabled(true);
    } else {
        const bool bCan = pGroup && pGroup->canUndo();
        m_pUndoAction->setText(bCan && !pGroup->undoText().isEmpty() ? tr("&Undo %1").arg(named(pGroup->undoText()))
                                                                      : tr("&Undo"));
        m_pUndoAction->setEnabled(bCan);
    }
    if (m_pField && fieldCanUndo(m_pField, true)) {
        m_pRedoAction->setText(tr("&Redo Typing"));
        m_pRedoAction->setEnabled(true);
    } else {
        const bool bCan = pGroup && pGroup->canRedo();
        m_pRedoAction->setText(bCan && !pGroup->redoText().isEmpty() ? tr("&Redo %1").arg(named(pGroup->redoText()))
                                                                      : tr("&Redo"));
        m_pRedoAction->setEnabled(bCan);
    }
}

void UndoRedoCommands::followFocus()
{
    // Opening a menu or the palette leaves the field where it was.
    if (isPopup(QApplication::focusWidget()))
        return;
    QWidget *pField = focusedTextField();
    if (pField != m_pField) {
        disconnect(m_fieldChanged);
        m_pField = pField;
        if (auto *pLineEdit = qobject_cast<QLineEdit *>(pField))
            m_fieldChanged = connect(pLineEdit, &QLineEdit::textChanged, this, &UndoRedoCommands::update);
        else if (QTextDocument *pDocument = textDocumentOf(pField))
            m_fieldChanged = connect(pDocument, &QTextDocument::contentsChanged, this, &UndoRedoCommands::update);
    }
    update();
}
