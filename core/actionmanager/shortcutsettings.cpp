#include "core/actionmanager/shortcutsettings.h"

#include <QSettings>

bool ShortcutSettings::read(QSettings *pSettings, const QString &strId, QKeySequence *pSequence)
{
    if (!pSettings->contains(strId))
        return false;
    // Written as portable text; native-text parsing accepts that form as well
    // as the translated one.
    const QString strText = pSettings->value(strId).toString();
    const QKeySequence sequence(strText, QKeySequence::NativeText);
    // Text that names no key ("Ctr", modifiers alone, a NUL between keys)
    // would become a shortcut that never fires and is written back as another
    // one: a shortcut must read back as itself once written. The command
    // keeps its default instead.
    if (QKeySequence(sequence.toString(QKeySequence::PortableText), QKeySequence::NativeText) != sequence) {
        qWarning("Ignoring the shortcut of %s in the settings: %s is no key sequence.", qUtf8Printable(strId.left(200)),
                 qUtf8Printable(strText.left(200)));
        return false;
    }
    *pSequence = sequence;
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
