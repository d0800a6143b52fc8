#pragma once

#include "core/ui/commandpalettemodel.h"

#include <QFrame>
#include <QPointer>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QLabel;
class QLineEdit;
class QListView;
QT_END_NAMESPACE

// Finds a command by typing part of its name, and runs it: a popup over the
// main window that lists every command enabled where the focus was when it
// opened, with its menu path and shortcut, filtered as the user types. The
// arrow keys move through the list, Enter runs the chosen command in the
// place the focus came from, Escape closes the palette. The commands run from
// it come first the next time.
class CommandPalette : public QFrame
{
    Q_OBJECT

public:
    explicit CommandPalette(QWidget *pMainWindow);
    ~CommandPalette() override;

    // Lists the commands and shows the palette at the top of the main window.
    void popup();

    QLineEdit *filterEdit() const { return m_pFilterEdit; }
    QListView *list() const { return m_pList; }
    CommandPaletteModel *model() const { return m_pModel; }

    // How many recently run commands are remembered ("Zelto/RecentCommands").
    static const int s_nMaxRecent = 10;

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;
    void hideEvent(QHideEvent *pEvent) override;

private slots:
    void filter(const QString &strText);
    void runRow(int nRow);

private:
    QVector<CommandPaletteModel::Entry> collectEntries(const QStringList &lstRecent) const;
    void fitHeight();
    static QStringList recentCommands();
    static void rememberCommand(const QString &strId);

    QLineEdit *m_pFilterEdit;
    QListView *m_pList;
    QLabel *m_pEmptyLabel;
    CommandPaletteModel *m_pModel;
    QPointer<QWidget> m_pMainWindow;
    // The context the commands were listed for; they run in it.
    QPointer<QWidget> m_pContext;
    // Where the focus was before, and goes back to.
    QPointer<QWidget> m_pReturnFocus;
};
