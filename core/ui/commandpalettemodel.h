#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QVector>

// The commands the command palette offers, filtered by what the user typed:
// best match first; among equals, and with nothing typed, the commands run
// most recently first, then the others in the order they were given.
class CommandPaletteModel : public QAbstractListModel
{
    Q_OBJECT

public:
    struct Entry
    {
        QString strId;
        QString strText;       // without mnemonics
        QString strPath;       // "File > Save As > Other Project"; empty outside the menus
        QString strShortcut;   // as the user's system writes it
        int nRecent = -1;      // 0 for the command run last, -1 for one not run lately
    };

    enum Role {
        IdRole = Qt::UserRole + 1,
        PathRole,
        ShortcutRole
    };

    explicit CommandPaletteModel(QObject *parent = nullptr);

    void setEntries(const QVector<Entry> &lstEntries);
    void setFilter(const QString &strFilter);
    QString idAt(int nRow) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int nRole = Qt::DisplayRole) const override;

private:
    struct Keyed
    {
        Entry entry;
        QString strTextKey;
        QString strPathKey;
    };

    QVector<Keyed> m_lstEntries;
    QVector<int> m_lstShown;   // indexes into m_lstEntries, in the order shown
};
