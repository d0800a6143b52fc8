#include "core/actionmanager/shortcutsettings.h"

#include <QSettings>

bool ShortcutSettings::read(QSettings *pSettings, const QString &strId, QKeySequence *pSequence)
{
    if (!pSettings->contains(strId))
        return false;
    // Written as portable text; native-text parsing accepts that form as well
    // as the translated one.
    *pSequence = QKeySequence(pSettings->value(strId).toString(), QKeySequence::NativeText);
    return true;
}

void ShortcutSettings::write(QSettings *pSettings, const QString &strId, const QKeySequence &sequence,
                             const QKeySequence &defaultSequence)
{
    // A cleared shortcut is written as an empty value: a missing key would
    // give the command its default back at the next start.
    if (sequence.isEmpty() && defaultSequence.isEmpty())
        pSettings->remove(strId);
    else
        pSettings->setValue(strId, sequence.toString(QKeySequence::PortableText));
}
