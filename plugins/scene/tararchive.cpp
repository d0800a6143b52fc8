#include "tararchive.h"

#include <QDateTime>

#include <cstring>

namespace {

const int s_nBlock = 512;

void writeOctal(char *pField, int nFieldSize, qint64 nValue)
{
    // nFieldSize - 1 digits, NUL terminated, zero padded.
    const QByteArray digits = QByteArray::number(nValue, 8).rightJustified(nFieldSize - 1, '0');
    std::memcpy(pField, digits.constData(), size_t(nFieldSize - 1));
    pField[nFieldSize - 1] = '\0';
}

bool readOctal(const char *pField, int nFieldSize, qint64 *pValue)
{
    QByteArray text(pField, nFieldSize);
    const int nEnd = text.indexOf('\0');
    if (nEnd >= 0)
        text.truncate(nEnd);
    text = text.trimmed();
    if (text.isEmpty()) {
        *pValue = 0;
        return true;
    }
    bool bOk = false;
    *pValue = text.toLongLong(&bOk, 8);
    return bOk && *pValue >= 0;
}

unsigned checksum(const char *pHeader)
{
    unsigned nSum = 0;
    for (int i = 0; i < s_nBlock; ++i) {
        // The checksum field itself counts as eight spaces.
        const bool bInField = i >= 148 && i < 156;
        nSum += bInField ? unsigned(' ') : unsigned(static_cast<unsigned char>(pHeader[i]));
    }
    return nSum;
}

} // namespace

QByteArray TarArchive::write(const QList<Entry> &lstEntries, QString *pError)
{
    QByteArray archive;
    const qint64 nNow = QDateTime::currentSecsSinceEpoch();
    for (const Entry &entry : lstEntries) {
        const QByteArray name = entry.first.toUtf8();
        if (name.isEmpty() || name.size() > 99) {
            if (pError)
                *pError = tr("The file name %1 is too long for a packed project.").arg(entry.first);
            return QByteArray();
        }
        char header[s_nBlock];
        std::memset(header, 0, sizeof header);
        std::memcpy(header, name.constData(), size_t(name.size()));
        writeOctal(header + 100, 8, 0644);
        writeOctal(header + 108, 8, 0);
        writeOctal(header + 116, 8, 0);
        writeOctal(header + 124, 12, entry.second.size());
        writeOctal(header + 136, 12, nNow);
        header[156] = '0';
        std::memcpy(header + 257, "ustar", 6);
        std::memcpy(header + 263, "00", 2);
        // Six octal digits, NUL, space: the form every tar reader accepts.
        const QByteArray sum = QByteArray::number(checksum(header), 8).rightJustified(6, '0');
        std::memcpy(header + 148, sum.constData(), 6);
        header[154] = '\0';
        header[155] = ' ';
        archive.append(header, s_nBlock);
        archive.append(entry.second);
        const int nPad = (s_nBlock - entry.second.size() % s_nBlock) % s_nBlock;
        archive.append(QByteArray(nPad, '\0'));
    }
    archive.append(QByteArray(2 * s_nBlock, '\0'));
    return archive;
}

bool TarArchive::looksLikeTar(const QByteArray &data)
{
    return data.size() >= s_nBlock && std::memcmp(data.constData() + 257, "ustar", 5) == 0;
}

bool TarArchive::read(const QByteArray &data, QList<Entry> *pEntries, QString *pError)
{
    pEntries->clear();
    const QString strDamaged = tr("The packed project is damaged.");
    qint64 nPos = 0;
    while (nPos + s_nBlock <= data.size()) {
        const char *pHeader = data.constData() + nPos;
        if (pHeader[0] == '\0')
            return true;   // end-of-archive blocks
        qint64 nStoredSum = 0;
        qint64 nSize = 0;
        if (!readOctal(pHeader + 148, 8, &nStoredSum) || nStoredSum != qint64(checksum(pHeader))
            || !readOctal(pHeader + 124, 12, &nSize)) {
            *pError = strDamaged;
            return false;
        }
        QByteArray name(pHeader, 100);
        name.truncate(name.indexOf('\0') < 0 ? 100 : name.indexOf('\0'));
        QByteArray prefix(pHeader + 345, 155);
        prefix.truncate(prefix.indexOf('\0') < 0 ? 155 : prefix.indexOf('\0'));
        if (std::memcmp(pHeader + 257, "ustar", 5) == 0 && !prefix.isEmpty())
            name = prefix + '/' + name;
        nPos += s_nBlock;
        if (nSize > data.size() - nPos) {
            *pError = strDamaged;
            return false;
        }
        const char cType = pHeader[156];
        if (cType == '0' || cType == '\0')
            pEntries->append(Entry(QString::fromUtf8(name), data.mid(int(nPos), int(nSize))));
        else if (cType != '5') {
            *pError = strDamaged;
            return false;
        }
        nPos += (nSize + s_nBlock - 1) / s_nBlock * s_nBlock;
    }
    // Archives without end blocks are accepted when they end on a block boundary.
    if (nPos != data.size()) {
        *pError = strDamaged;
        return false;
    }
    return true;
}
