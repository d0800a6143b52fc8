#pragma once

#include <QLibraryInfo>
#include <QString>

// Where Qt's own catalogues (qtbase_de.qm, ...) are installed. Qt 6 renamed
// the call; the programs of this tree that show Qt's dialogs or command-line
// texts load their translations from here.
inline QString qtTranslationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}
