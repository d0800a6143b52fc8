#include "core/ui/menumnemonics.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

namespace {

// The text with its "&" escaped and one placed before the letter at nIndex
// (an index into the shown text).
QString withMnemonicAt(const QString &strShown, int nIndex)
{
    QString strText;
    strText.reserve(strShown.size() + 4);
    for (int i = 0; i < strShown.size(); ++i) {
        if (i == nIndex)
            strText += QLatin1Char('&');
        strText += strShown.at(i);
        if (strShown.at(i) == QLatin1Char('&'))
            strText += QLatin1Char('&');
    }
    return strText;
}

// The first letter or digit of strShown that is not taken: at the start of a
// word if there is one, else anywhere; -1 when every one is taken.
int freeLetter(const QString &strShown, const QSet<QChar> &setTaken)
{
    int nAnywhere = -1;
    for (int i = 0; i < strShown.size(); ++i) {
        const QChar letter = strShown.at(i);
        if (!letter.isLetterOrNumber() || setTaken.contains(letter.toLower()))
            continue;
        if (i == 0 || !strShown.at(i - 1).isLetterOrNumber())
            return i;
        if (nAnywhere < 0)
            nAnywhere = i;
    }
    return nAnywhere;
}

} // namespace

MenuMnemonics::MenuMnemonics(QObject *parent)
    : QObject(parent)
{
}

QString MenuMnemonics::strip(const QString &strText)
{
    QString strShown;
    strShown.reserve(strText.size());
    for (int i = 0; i < strText.size(); ++i) {
        if (strText.at(i) == QLatin1Char('&') && i + 1 < strText.size())
            ++i;   // the next character is shown as it is, "&" included
        else if (strText.at(i) == QLatin1Char('&'))
            continue;
        strShown += strText.at(i);
    }
    return strShown;
}

QChar MenuMnemonics::mnemonicOf(const QString &strText)
{
    for (int i = 0; i + 1 < strText.size(); ++i) {
        if (strText.at(i) != QLatin1Char('&'))
            continue;
        if (strText.at(i + 1) != QLatin1Char('&'))
            return strText.at(i + 1).toLower();
        ++i;
    }
    return QChar();
}

void MenuMnemonics::assign(const QList<QAction *> &lstActions)
{
    QSet<QChar> setTaken;
    QList<QAction *> lstWithout;
    for (QAction *pAction : lstActions) {
        if (pAction->isSeparator() || !pAction->isVisible() || pAction->text().isEmpty())
            continue;
        const QChar mnemonic = mnemonicOf(pAction->text());
        if (mnemonic.isNull() || setTaken.contains(mnemonic))
            lstWithout.append(pAction);
        else
            setTaken.insert(mnemonic);
    }
    for (QAction *pAction : qAsConst(lstWithout)) {
        const QString strShown = strip(pAction->text());
        const int nIndex = freeLetter(strShown, setTaken);
        if (nIndex < 0)
            continue;   // a crowded menu: this entry is reached with the arrow keys
        setTaken.insert(strShown.at(nIndex).toLower());
        pAction->setText(withMnemonicAt(strShown, nIndex));
    }
}

bool MenuMnemonics::eventFilter(QObject *pWatched, QEvent *pEvent)
{
    // Setting a text changes the action, which the menu bar reports again.
    if (m_bAssigning)
        return false;
    const QEvent::Type type = pEvent->type();
    QWidget *pMenu = nullptr;
    if (type == QEvent::Show && qobject_cast<QMenu *>(pWatched))
        pMenu = static_cast<QWidget *>(pWatched);
    else if ((type == QEvent::Show || type == QEvent::ActionAdded || type == QEvent::ActionChanged)
             && qobject_cast<QMenuBar *>(pWatched))
        pMenu = static_cast<QWidget *>(pWatched);
    if (pMenu) {
        m_bAssigning = true;
        assign(pMenu->actions());
        m_bAssigning = false;
    }
    return false;
}
