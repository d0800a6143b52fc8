#include "notessettings.h"

#include "core/icore.h"

#include <QSettings>

namespace {
//! [settings-key]
const char WrapLinesKey[] = "Notes/WrapLines";
//! [settings-key]
} // namespace

namespace NotesSettings {

bool wrapLines()
{
    QSettings *pSettings = ICore::settings();
    return pSettings ? pSettings->value(QLatin1String(WrapLinesKey), true).toBool() : true;
}

//! [settings-write]
void setWrapLines(bool bWrap)
{
    // The host's settings object: written to disk by ICore::saveSettings(),
    // which the preferences dialog and the main window's close call.
    if (QSettings *pSettings = ICore::settings())
        pSettings->setValue(QLatin1String(WrapLinesKey), bWrap);
}
//! [settings-write]

} // namespace NotesSettings
