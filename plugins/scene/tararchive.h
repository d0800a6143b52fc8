#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QString>

// A minimal POSIX ustar archive: regular files only, names up to 100 bytes.
// Packed projects use it because any common archive tool opens it.
class TarArchive
{
    Q_DECLARE_TR_FUNCTIONS(TarArchive)

public:
    using Entry = QPair<QString, QByteArray>;   // name inside the archive, content

    static QByteArray write(const QList<Entry> &lstEntries, QString *pError = nullptr);
    // Reads every regular file; directories are skipped, anything else or a
    // damaged header makes the whole archive invalid.
    static bool read(const QByteArray &data, QList<Entry> *pEntries, QString *pError);
    static bool looksLikeTar(const QByteArray &data);
};
