#include "core/updater/updatestatement.h"

#include <QList>

static const char s_header[] = "zelto-update 1";
static const char s_file[] = "file: ";
static const char s_version[] = "version: ";
static const char s_platform[] = "platform: ";
static const char s_sha512[] = "sha512: ";
static const int s_nDigestSize = 64;
// Far more than any real statement; anything longer is not one.
static const int s_nMaxTextSize = 4096;

// A value fits on its line when it is not empty and holds no control
// character, so no value can end its line early or add one.
static bool fitsOnLine(const QString &strValue)
{
    if (strValue.isEmpty())
        return false;
    for (const QChar c : strValue) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

QByteArray UpdateStatement::text() const
{
    if (!fitsOnLine(strFile) || !fitsOnLine(strVersion) || !fitsOnLine(strPlatform) || sha512.size() != s_nDigestSize)
        return QByteArray();
    return QByteArray(s_header) + '\n' + s_file + strFile.toUtf8() + '\n' + s_version + strVersion.toUtf8() + '\n'
        + s_platform + strPlatform.toUtf8() + '\n' + s_sha512 + sha512.toHex() + '\n';
}

bool UpdateStatement::parse(const QByteArray &text, UpdateStatement *pStatement)
{
    if (text.size() > s_nMaxTextSize || !text.endsWith('\n'))
        return false;
    const QList<QByteArray> lines = text.chopped(1).split('\n');
    if (lines.size() != 5 || lines.at(0) != s_header)
        return false;
    const auto value = [&lines](int nLine, const char *prefix, QByteArray *pValue) {
        if (!lines.at(nLine).startsWith(prefix))
            return false;
        *pValue = lines.at(nLine).mid(int(qstrlen(prefix)));
        return true;
    };
    QByteArray file;
    QByteArray version;
    QByteArray platform;
    QByteArray digest;
    if (!value(1, s_file, &file) || !value(2, s_version, &version) || !value(3, s_platform, &platform)
        || !value(4, s_sha512, &digest))
        return false;

    UpdateStatement read;
    read.strFile = QString::fromUtf8(file);
    read.strVersion = QString::fromUtf8(version);
    read.strPlatform = QString::fromUtf8(platform);
    read.sha512 = QByteArray::fromHex(digest);
    // Written back, it must be the very text read: no stray characters, no
    // upper-case digits, no byte that is not UTF-8.
    if (read.text() != text)
        return false;
    *pStatement = read;
    return true;
}
