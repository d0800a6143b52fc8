#include "shortcutsoptionpage.h"

#include "core/actionmanager/actionmanager.h"
#include "core/actionmanager/contextaction.h"
#include "core/coreids.h"
#include "core/icore.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column {
    CommandColumn,
    DescriptionColumn,
    ShortcutColumn
};

QString describe(const ContextAction *pCommand)
{
    QString strText = pCommand->getDescription();
    if (strText.isEmpty() && pCommand->getAction())
        strText = pCommand->getAction()->text();
    return strText.remove(QLatin1Char('&'));
}

// The key field's placeholder is Qt's own text, translated by Qt's catalogue
// where the system has one; naming it here puts it in ours as well.
[[maybe_unused]] const char *const s_keyEditPlaceholder = QT_TRANSLATE_NOOP("QKeySequenceEdit", "Press shortcut");

// The commands a user can give a key. The recent project entries change with
// every opened project: a shortcut would open whatever happens to be in that
// place. A hidden command is one the application offers no behaviour for.
bool takesShortcut(const ContextAction *pCommand)
{
    return !pCommand->isSeparator()
           && !pCommand->getId().startsWith(QLatin1String(CoreIds::FileRecentProjects) + QLatin1Char('.'))
           && pCommand->getAction()->isVisible();
}

} // namespace

ShortcutsOptionPage::ShortcutsOptionPage(QWidget *parent)
    : IOptionPage(parent)
{
    setWindowTitle(tr("Keyboard Shortcuts"));
    setObjectName(QStringLiteral("ShortcutsOptionPage"));
    m_pFilterEdit = new QLineEdit(this);
    m_pFilterEdit->setPlaceholderText(tr("Filter"));
    m_pFilterEdit->setClearButtonEnabled(true);
    m_pTree = new QTreeWidget(this);
    m_pTree->setObjectName(QStringLiteral("m_pShortcutTree"));
    m_pTree->setRootIsDecorated(false);
    m_pTree->setUniformRowHeights(true);
    m_pTree->setHeaderLabels({tr("Command"), tr("Description"), tr("Shortcut")});
    m_pTree->header()->setSectionResizeMode(CommandColumn, QHeaderView::ResizeToContents);
    m_pTree->header()->setSectionResizeMode(DescriptionColumn, QHeaderView::Stretch);
    m_pKeyEdit = new QKeySequenceEdit(this);
    m_pKeyEdit->setObjectName(QStringLiteral("m_pKeyEdit"));
    auto *pClearButton = new QPushButton(tr("Clear"), this);
    auto *pResetButton = new QPushButton(tr("Reset"), this);
    auto *pResetAllButton = new QPushButton(tr("Reset All"), this);
    m_pConflictLabel = new QLabel(this);
    m_pConflictLabel->setObjectName(QStringLiteral("m_pConflictLabel"));
    m_pConflictLabel->setWordWrap(true);
    m_pConflictLabel->setStyleSheet(QStringLiteral("color: #c62828;"));

    auto *pKeyRow = new QHBoxLayout();
    pKeyRow->addWidget(new QLabel(tr("Shortcut:"), this));
    pKeyRow->addWidget(m_pKeyEdit, 1);
    pKeyRow->addWidget(pClearButton);
    pKeyRow->addWidget(pResetButton);
    pKeyRow->addWidget(pResetAllButton);
    auto *pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pFilterEdit);
    pLayout->addWidget(m_pTree, 1);
    pLayout->addLayout(pKeyRow);
    pLayout->addWidget(m_pConflictLabel);

    connect(m_pFilterEdit, &QLineEdit::textChanged, this, &ShortcutsOptionPage::filter);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, &ShortcutsOptionPage::onCurrentChanged);
    connect(m_pKeyEdit, &QKeySequenceEdit::editingFinished, this, &ShortcutsOptionPage::onKeySequenceEdited);
    connect(pClearButton, &QPushButton::clicked, this, &ShortcutsOptionPage::clearCurrent);
    connect(pResetButton, &QPushButton::clicked, this, &ShortcutsOptionPage::resetCurrent);
    connect(pResetAllButton, &QPushButton::clicked, this, &ShortcutsOptionPage::resetAll);
}

ShortcutsOptionPage::~ShortcutsOptionPage() = default;

void ShortcutsOptionPage::initValues()
{
    IOptionPage::initValues();
    m_mapPending.clear();
    m_pTree->clear();
    for (const ContextAction *pCommand : ActionManager::getActions()) {
        if (!takesShortcut(pCommand))
            continue;
        m_mapPending.insert(pCommand->getId(), pCommand->getKeySequence());
        auto *pItem = new QTreeWidgetItem(m_pTree);
        pItem->setText(CommandColumn, pCommand->getId());
        pItem->setText(DescriptionColumn, describe(pCommand));
        pItem->setData(CommandColumn, Qt::UserRole, pCommand->getId());
    }
    refreshRows();
    filter(m_pFilterEdit->text());
    onCurrentChanged();
    setNeedInitConfig2UI();
}

QString ShortcutsOptionPage::currentId() const
{
    const QTreeWidgetItem *pItem = m_pTree->currentItem();
    return pItem ? pItem->data(CommandColumn, Qt::UserRole).toString() : QString();
}

QKeySequence ShortcutsOptionPage::pendingShortcut(const QString &strId) const
{
    return m_mapPending.value(strId);
}

void ShortcutsOptionPage::setPendingShortcut(const QString &strId, const QKeySequence &keySequence)
{
    if (!m_mapPending.contains(strId) || m_mapPending.value(strId) == keySequence)
        return;
    m_mapPending.insert(strId, keySequence);
    setChanged(true);
    emit dataChanged();
    refreshRows();
}

QList<QKeySequence> ShortcutsOptionPage::keysOf(const QString &strId) const
{
    const QKeySequence keySequence = m_mapPending.value(strId);
    if (keySequence.isEmpty())
        return {};
    const ContextAction *pCommand = ActionManager::getAction(strId);
    if (pCommand && keySequence == pCommand->getDefaultKeySequence())
        return pCommand->getDefaultKeySequences();
    return {keySequence};
}

QMap<QString, QStringList> ShortcutsOptionPage::usersOfKeys() const
{
    QMap<QString, QStringList> mapUsers;   // portable shortcut text -> commands
    for (auto it = m_mapPending.constBegin(); it != m_mapPending.constEnd(); ++it) {
        for (const QKeySequence &keySequence : keysOf(it.key()))
            mapUsers[keySequence.toString(QKeySequence::PortableText)].append(it.key());
    }
    return mapUsers;
}

QStringList ShortcutsOptionPage::conflicts() const
{
    const QMap<QString, QStringList> mapUsers = usersOfKeys();
    QStringList lstConflicts;
    for (auto it = mapUsers.constBegin(); it != mapUsers.constEnd(); ++it) {
        if (it.value().size() > 1)
            lstConflicts.append(tr("%1: %2")
                                    .arg(QKeySequence(it.key()).toString(QKeySequence::NativeText),
                                         it.value().join(tr(", "))));
    }
    return lstConflicts;
}

void ShortcutsOptionPage::refreshRows()
{
    const QStringList lstConflicts = conflicts();
    const QMap<QString, QStringList> mapUsers = usersOfKeys();
    for (int i = 0; i < m_pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pItem = m_pTree->topLevelItem(i);
        QStringList lstKeys;
        bool bConflict = false;
        for (const QKeySequence &keySequence : keysOf(pItem->data(CommandColumn, Qt::UserRole).toString())) {
            lstKeys << keySequence.toString(QKeySequence::NativeText);
            bConflict = bConflict || mapUsers.value(keySequence.toString(QKeySequence::PortableText)).size() > 1;
        }
        pItem->setText(ShortcutColumn, lstKeys.join(tr(", ")));
        for (int nColumn = 0; nColumn < m_pTree->columnCount(); ++nColumn)
            pItem->setForeground(nColumn, bConflict ? QBrush(QColor(0xc6, 0x28, 0x28)) : QBrush());
    }
    m_pConflictLabel->setText(lstConflicts.isEmpty()
                                  ? QString()
                                  : tr("Used more than once: %1").arg(lstConflicts.join(QStringLiteral("; "))));
    m_pConflictLabel->setVisible(!lstConflicts.isEmpty());
}

void ShortcutsOptionPage::onCurrentChanged()
{
    m_bUpdating = true;
    m_pKeyEdit->setEnabled(!currentId().isEmpty());
    m_pKeyEdit->setKeySequence(m_mapPending.value(currentId()));
    m_bUpdating = false;
}

void ShortcutsOptionPage::onKeySequenceEdited()
{
    if (m_bUpdating || currentId().isEmpty())
        return;
    // One key combination per command: a chord typed after a pause is a new
    // choice, not a second step.
    QKeySequence keySequence = m_pKeyEdit->keySequence();
    if (keySequence.count() > 1)
        keySequence = QKeySequence(keySequence[0]);
    setPendingShortcut(currentId(), keySequence);
}

void ShortcutsOptionPage::clearCurrent()
{
    setPendingShortcut(currentId(), QKeySequence());
    onCurrentChanged();
}

void ShortcutsOptionPage::resetCurrent()
{
    if (ContextAction *pCommand = ActionManager::getAction(currentId()))
        setPendingShortcut(currentId(), pCommand->getDefaultKeySequence());
    onCurrentChanged();
}

void ShortcutsOptionPage::resetAll()
{
    for (const ContextAction *pCommand : ActionManager::getActions()) {
        if (takesShortcut(pCommand))
            setPendingShortcut(pCommand->getId(), pCommand->getDefaultKeySequence());
    }
    onCurrentChanged();
}

void ShortcutsOptionPage::filter(const QString &strText)
{
    for (int i = 0; i < m_pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pItem = m_pTree->topLevelItem(i);
        const bool bMatch = strText.isEmpty() || pItem->text(CommandColumn).contains(strText, Qt::CaseInsensitive)
                            || pItem->text(DescriptionColumn).contains(strText, Qt::CaseInsensitive)
                            || pItem->text(ShortcutColumn).contains(strText, Qt::CaseInsensitive);
        pItem->setHidden(!bMatch);
    }
}

void ShortcutsOptionPage::saveChanges()
{
    for (auto it = m_mapPending.constBegin(); it != m_mapPending.constEnd(); ++it) {
        if (ContextAction *pCommand = ActionManager::getAction(it.key()))
            pCommand->setKeySequence(it.value());
    }
    ActionManager::saveSettings();
    ICore::saveSettings();
    IOptionPage::saveChanges();
}

void ShortcutsOptionPage::discardChanges()
{
    initValues();
    IOptionPage::discardChanges();
}
