#pragma once

#include "core/options/ioptionpage.h"

#include <QKeySequence>
#include <QMap>
#include <QString>

QT_BEGIN_NAMESPACE
class QKeySequenceEdit;
class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
QT_END_NAMESPACE

// Every command of the application with its description and shortcut. Edits
// are kept on the page until they are saved; two commands on one shortcut
// are shown at once and must be settled before saving.
class ShortcutsOptionPage : public IOptionPage
{
    Q_OBJECT

public:
    explicit ShortcutsOptionPage(QWidget *parent);
    ~ShortcutsOptionPage() override;

    QKeySequence pendingShortcut(const QString &strId) const;
    void setPendingShortcut(const QString &strId, const QKeySequence &keySequence);
    // "Command A and Command B: Ctrl+K" for every shortcut used twice or more.
    QStringList conflicts() const;
    QTreeWidget *tree() const { return m_pTree; }

public slots:
    void initValues() override;
    void saveChanges() override;
    void discardChanges() override;
    void resetCurrent();
    void resetAll();
    void clearCurrent();

private slots:
    void onCurrentChanged();
    void onKeySequenceEdited();
    void filter(const QString &strText);

private:
    void refreshRows();
    QString currentId() const;
    // Every key that would run the command: its shortcut as edited, and the
    // default's other keys while that is the default.
    QList<QKeySequence> keysOf(const QString &strId) const;
    // How many commands each key (portable text) would run.
    QMap<QString, QStringList> usersOfKeys() const;

    QTreeWidget *m_pTree;
    QLineEdit *m_pFilterEdit;
    QKeySequenceEdit *m_pKeyEdit;
    QLabel *m_pConflictLabel;
    QMap<QString, QKeySequence> m_mapPending;   // every command's shortcut as edited
    bool m_bUpdating = false;
};
