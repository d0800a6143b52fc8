// The shortcut and breakpoint readers over any settings file. What they read
// is written to a second file and read again to the same values. Both files
// live in a temporary folder.
#include "fuzzsupport.h"

#include "core/actionmanager/shortcutsettings.h"
#include "core/documents/breakpointsettings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QTemporaryDir *s_pDir = nullptr;

const char *const s_arrays[] = {"Horizontal", "Vertical"};

struct Read
{
    QList<QPair<QString, QKeySequence>> lstShortcuts;
    QList<QList<Breakpoint>> lstBreakpoints;
};

Read readAll(QSettings *pSettings, const QStringList &lstIds)
{
    Read read;
    pSettings->beginGroup(QStringLiteral("Shortcuts"));
    for (const QString &strId : lstIds) {
        QKeySequence sequence;
        if (ShortcutSettings::read(pSettings, strId, &sequence))
            read.lstShortcuts.append(qMakePair(strId, sequence));
    }
    pSettings->endGroup();
    pSettings->beginGroup(QStringLiteral("Breakpoints"));
    for (const char *pArray : s_arrays)
        read.lstBreakpoints.append(BreakpointSettings::read(pSettings, QLatin1String(pArray)));
    pSettings->endGroup();
    return read;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::initialize();
    s_pDir = new QTemporaryDir;
    return s_pDir->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    const QString strInput = s_pDir->filePath(QStringLiteral("input.ini"));
    const QString strOutput = s_pDir->filePath(QStringLiteral("output.ini"));
    {
        QFile file(strInput);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char *>(pData), qint64(nSize)) == qint64(nSize));
    }
    QFile::remove(strOutput);

    QSettings input(strInput, QSettings::IniFormat);
    input.beginGroup(QStringLiteral("Shortcuts"));
    QStringList lstIds = input.childKeys();
    input.endGroup();
    // Command ids are never empty.
    lstIds.removeAll(QString());
    const Read read = readAll(&input, lstIds);

    {
        QSettings output(strOutput, QSettings::IniFormat);
        // The file is thrown away: no need for the safe (and slow) replacing.
        output.setAtomicSyncRequired(false);
        output.beginGroup(QStringLiteral("Shortcuts"));
        // A default, so that a cleared shortcut is written too.
        for (const auto &shortcut : read.lstShortcuts)
            ShortcutSettings::write(&output, shortcut.first, shortcut.second, QKeySequence(Qt::Key_F12));
        output.endGroup();
        output.beginGroup(QStringLiteral("Breakpoints"));
        for (int i = 0; i < read.lstBreakpoints.size(); ++i)
            BreakpointSettings::write(&output, QLatin1String(s_arrays[i]), read.lstBreakpoints.at(i));
        output.endGroup();
        output.sync();
        FUZZ_CHECK(output.status() == QSettings::NoError);
    }
    QSettings output(strOutput, QSettings::IniFormat);
    QStringList lstWritten;
    for (const auto &shortcut : read.lstShortcuts)
        lstWritten.append(shortcut.first);
    const Read again = readAll(&output, lstWritten);
    FUZZ_CHECK(again.lstShortcuts == read.lstShortcuts);
    FUZZ_CHECK(again.lstBreakpoints == read.lstBreakpoints);
    return 0;
}
