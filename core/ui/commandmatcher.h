#pragma once

#include <QString>
#include <QStringList>

// How well the words a user typed match a command, for the command palette.
//
// Every word must be found in the command's text, as a piece of it or as its
// letters in order with others between them, the first at the start of a
// word ("exht" finds "Export to HTML5"), or as a piece of its menu path.
// Pieces beat scattered letters, a match at the start of a word beats one
// inside it, letters close together beat letters far apart, and a match in
// the text beats one in the path. Letter case is ignored.
class CommandMatcher
{
public:
    explicit CommandMatcher(const QString &strQuery);

    bool isEmpty() const { return m_lstWords.isEmpty(); }
    // The score of a command whose text and path were lowered with key();
    // higher is better, -1 when a word is found in neither.
    int score(const QString &strTextKey, const QString &strPathKey) const;

    // The form of a text that score() compares: lower case.
    static QString key(const QString &strText);
    // How well strWord is found in strKey (both keys); -1 when it is not.
    // Scattered letters count only with bScattered.
    static int wordScore(const QString &strKey, const QString &strWord, bool bScattered);

private:
    QStringList m_lstWords;
};
