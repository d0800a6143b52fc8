#include "core/ui/commandmatcher.h"

namespace {

// Letters that start a word: the first one, and those after a space or
// punctuation ("Save As > Other Project", "HTML5").
bool startsWord(const QString &strKey, int nIndex)
{
    return nIndex == 0 || !strKey.at(nIndex - 1).isLetterOrNumber();
}

} // namespace

CommandMatcher::CommandMatcher(const QString &strQuery)
    : m_lstWords(key(strQuery).split(QLatin1Char(' '), Qt::SkipEmptyParts))
{
}

QString CommandMatcher::key(const QString &strText)
{
    return strText.toLower();
}

// The letters of strWord in order from nStart on (where the first one is),
// each as early as possible
// but preferring the start of a word nearby; rewarded when they follow each
// other or start words, penalised for what lies between them.
static int scatteredScore(const QString &strKey, const QString &strWord, int nStart)
{
    int nScore = 0;
    int nPrevious = -2;
    int nFrom = nStart;
    for (const QChar letter : strWord) {
        int nAt = strKey.indexOf(letter, nFrom);
        if (nAt < 0)
            return -1;
        if (nAt != nPrevious + 1 && !startsWord(strKey, nAt)) {
            for (int nNext = strKey.indexOf(letter, nAt + 1); nNext >= 0 && nNext - nAt <= 12;
                 nNext = strKey.indexOf(letter, nNext + 1)) {
                if (startsWord(strKey, nNext)) {
                    nAt = nNext;
                    break;
                }
            }
        }
        if (nAt == nPrevious + 1)
            nScore += 8;
        else if (startsWord(strKey, nAt))
            nScore += 10;
        else
            nScore += 1;
        nScore -= qMin(nAt - nFrom, 10);
        nPrevious = nAt;
        nFrom = nAt + 1;
    }
    return qMax(nScore, 0);
}

int CommandMatcher::wordScore(const QString &strKey, const QString &strWord, bool bScattered)
{
    if (strWord.isEmpty())
        return 0;
    // A piece of the text: the earliest one at a word's start, else any.
    int nBest = -1;
    for (int nAt = strKey.indexOf(strWord); nAt >= 0; nAt = strKey.indexOf(strWord, nAt + 1)) {
        nBest = qMax(nBest, 100 + strWord.size() * 10 + (startsWord(strKey, nAt) ? 60 : 0) - qMin(nAt, 30));
        if (startsWord(strKey, nAt))
            break;
    }
    if (nBest >= 0 || !bScattered)
        return nBest;
    // Scattered letters, from a word that begins with the first of them
    // ("prj" reads best in "Project"); letters strewn from inside a word are
    // more noise than help.
    for (int nAt = strKey.indexOf(strWord.at(0)); nAt >= 0; nAt = strKey.indexOf(strWord.at(0), nAt + 1)) {
        if (startsWord(strKey, nAt))
            nBest = qMax(nBest, scatteredScore(strKey, strWord, nAt));
    }
    return nBest;
}

int CommandMatcher::score(const QString &strTextKey, const QString &strPathKey) const
{
    int nTotal = 0;
    for (const QString &strWord : m_lstWords) {
        const int nText = wordScore(strTextKey, strWord, true);
        const int nPath = wordScore(strPathKey, strWord, false);
        if (nText < 0 && nPath < 0)
            return -1;
        nTotal += qMax(nText * 2, nPath);
    }
    return nTotal;
}
