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
    // Text that names no key ("Ctr", or modifiers alone) would become a
    // shortcut that never fires and is written back as another one; the
    // command keeps its default instead. A NUL ends the keys count() sees,
    // so the slots after it are checked too.
    const uint nCount = uint(sequence.count());
    for (uint i = 0; i < 4; ++i) {
        const int nKey = sequence[i] & ~Qt::KeyboardModifierMask;
        if (i < nCount ? nKey == 0 || nKey == Qt::Key_unknown : sequence[i] != 0) {
            qWarning("Ignoring the shortcut of %s in the settings: %s is no key sequence.", qUtf8Printable(strId.left(200)),
                     qUtf8Printable(strText.left(200)));
            return false;
        }
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
