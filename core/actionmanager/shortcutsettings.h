#pragma once

#include <QKeySequence>
#include <QString>

QT_BEGIN_NAMESPACE
class QSettings;
QT_END_NAMESPACE

// One command's shortcut in the settings group "Shortcuts" (the caller has
// entered the group): the key is the command id, the value the key sequence
// in portable text, an empty value a shortcut the user cleared. Without a key
// the command keeps its default. Reads whatever a settings file holds.
class ShortcutSettings
{
public:
    // False when the settings hold nothing for strId; else *pSequence is the
    // user's choice (empty when cleared).
    static bool read(QSettings *pSettings, const QString &strId, QKeySequence *pSequence);
    // Writes the choice; a command without default and without shortcut
    // needs no key.
    static void write(QSettings *pSettings, const QString &strId, const QKeySequence &sequence,
                      const QKeySequence &defaultSequence);
};
