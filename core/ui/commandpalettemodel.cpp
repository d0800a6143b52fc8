#include "core/ui/commandpalettemodel.h"

#include "core/ui/commandmatcher.h"

#include <algorithm>
#include <limits>

namespace {

// A recent command gets ahead of an equal match, and a little beyond.
const int s_nRecentBonus = 15;

} // namespace

CommandPaletteModel::CommandPaletteModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void CommandPaletteModel::setEntries(const QVector<Entry> &lstEntries)
{
    beginResetModel();
    m_lstEntries.clear();
    m_lstEntries.reserve(lstEntries.size());
    for (const Entry &entry : lstEntries)
        m_lstEntries.append({entry, CommandMatcher::key(entry.strText), CommandMatcher::key(entry.strPath)});
    m_lstShown.clear();
    endResetModel();
    setFilter(QString());
}

void CommandPaletteModel::setFilter(const QString &strFilter)
{
    const CommandMatcher matcher(strFilter);
    struct Ranked
    {
        int nScore;
        int nRecent;   // the most recent first; others after all recent ones
        int nIndex;
    };
    QVector<Ranked> lstRanked;
    lstRanked.reserve(m_lstEntries.size());
    for (int i = 0; i < m_lstEntries.size(); ++i) {
        const Keyed &keyed = m_lstEntries.at(i);
        const bool bRecent = keyed.entry.nRecent >= 0;
        int nScore = 0;
        if (!matcher.isEmpty()) {
            nScore = matcher.score(keyed.strTextKey, keyed.strPathKey);
            if (nScore < 0)
                continue;
            if (bRecent)
                nScore += s_nRecentBonus;
        }
        lstRanked.append({nScore, bRecent ? keyed.entry.nRecent : std::numeric_limits<int>::max(), i});
    }
    std::stable_sort(lstRanked.begin(), lstRanked.end(), [](const Ranked &a, const Ranked &b) {
        if (a.nScore != b.nScore)
            return a.nScore > b.nScore;
        return a.nRecent < b.nRecent;
    });

    beginResetModel();
    m_lstShown.resize(lstRanked.size());
    for (int i = 0; i < lstRanked.size(); ++i)
        m_lstShown[i] = lstRanked.at(i).nIndex;
    endResetModel();
}

QString CommandPaletteModel::idAt(int nRow) const
{
    return nRow >= 0 && nRow < m_lstShown.size() ? m_lstEntries.at(m_lstShown.at(nRow)).entry.strId : QString();
}

int CommandPaletteModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_lstShown.size();
}

QVariant CommandPaletteModel::data(const QModelIndex &index, int nRole) const
{
    if (!index.isValid() || index.row() >= m_lstShown.size())
        return QVariant();
    const Entry &entry = m_lstEntries.at(m_lstShown.at(index.row())).entry;
    switch (nRole) {
    case Qt::DisplayRole:
        return entry.strText;
    case Qt::ToolTipRole:
        return entry.strPath;
    case Qt::AccessibleTextRole: {
        // What a screen reader says for the row: all three parts.
        QStringList lstParts{entry.strText};
        if (!entry.strPath.isEmpty())
            lstParts << entry.strPath;
        if (!entry.strShortcut.isEmpty())
            lstParts << entry.strShortcut;
        return lstParts.join(QStringLiteral(", "));
    }
    case IdRole:
        return entry.strId;
    case PathRole:
        return entry.strPath;
    case ShortcutRole:
        return entry.strShortcut;
    default:
        return QVariant();
    }
}
