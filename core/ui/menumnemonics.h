#pragma once

#include <QChar>
#include <QList>
#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QAction;
QT_END_NAMESPACE

// Gives every entry of every menu of the application a mnemonic of its own
// (the underlined letter that picks it with the keyboard), whoever made the
// menu and in whatever language: an entry without one, or whose letter an
// entry above it in the same menu has taken, gets the first free letter of
// its text, preferring the start of a word. Entries that have a mnemonic of
// their own keep it. Installed on the application, it looks at each menu as
// it shows and at the menu bar as menus join it.
class MenuMnemonics : public QObject
{
    Q_OBJECT

public:
    explicit MenuMnemonics(QObject *parent = nullptr);

    // Gives the entries of one menu (or menu bar) their mnemonics.
    static void assign(const QList<QAction *> &lstActions);
    // The text as shown: "&&" becomes "&", a single "&" goes.
    static QString strip(const QString &strText);
    // The entry's mnemonic in lower case, or a null QChar.
    static QChar mnemonicOf(const QString &strText);

protected:
    bool eventFilter(QObject *pWatched, QEvent *pEvent) override;

private:
    bool m_bAssigning = false;
};
