#include "core/updater/appcast.h"

#include "core/welcome/jsonkeyscanner.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

bool Appcast::parse(const QByteArray &data, const QString &strPlatform, Appcast *pEntry)
{
    if (JsonKeyScanner::hasRepeatedKey(data))
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(data);
    // An array is JSON all the same: an appcast without entries.
    if (document.isNull())
        return false;
    const QJsonObject platform =
        document.object().value(QStringLiteral("updates")).toObject().value(strPlatform).toObject();
    pEntry->strOpenUrl = platform.value(QStringLiteral("open-url")).toString();
    pEntry->strChangelog = platform.value(QStringLiteral("changelog")).toString();
    pEntry->strDownloadUrl = platform.value(QStringLiteral("download-url")).toString();
    pEntry->strLatestVersion = platform.value(QStringLiteral("latest-version")).toString();
    pEntry->strSha256 = platform.value(QStringLiteral("sha256")).toString();
    pEntry->strSignature = platform.value(QStringLiteral("ed25519-signature")).toString();
    pEntry->strStatement = platform.value(QStringLiteral("update-statement")).toString();
    pEntry->strStatementSignature = platform.value(QStringLiteral("update-signature")).toString();
    return true;
}

// A version part as compareVersions reads it: the sign and the digits
// without leading zeros of a whole number, or zero for any other part.
namespace {
struct VersionPart
{
    bool bNegative = false;
    QString digits;     // empty for zero
};
} // namespace

static VersionPart readVersionPart(const QString &part)
{
    const QString trimmed = part.trimmed();
    int nStart = 0;
    const bool bSign = trimmed.startsWith(QLatin1Char('+')) || trimmed.startsWith(QLatin1Char('-'));
    if (bSign)
        ++nStart;
    if (nStart == trimmed.size())
        return VersionPart();
    for (int i = nStart; i < trimmed.size(); ++i) {
        if (trimmed.at(i) < QLatin1Char('0') || trimmed.at(i) > QLatin1Char('9'))
            return VersionPart();
    }
    while (nStart < trimmed.size() && trimmed.at(nStart) == QLatin1Char('0'))
        ++nStart;
    VersionPart value;
    value.digits = trimmed.mid(nStart);
    value.bNegative = bSign && trimmed.at(0) == QLatin1Char('-') && !value.digits.isEmpty();
    return value;
}

// Negative, zero or positive as a is less than, equal to or greater than b.
static int compareVersionParts(const QString &a, const QString &b)
{
    const VersionPart valueA = readVersionPart(a);
    const VersionPart valueB = readVersionPart(b);
    if (valueA.bNegative != valueB.bNegative)
        return valueA.bNegative ? -1 : 1;
    // Without leading zeros, the longer number is the larger one.
    int nOrder = valueA.digits.size() - valueB.digits.size();
    if (nOrder == 0)
        nOrder = valueA.digits.compare(valueB.digits);
    return valueA.bNegative ? -nOrder : nOrder;
}

bool Appcast::compareVersions(const QString &x, const QString &y)
{
    const QStringList versionsX = x.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    const QStringList versionsY = y.split(QLatin1Char('.'), Qt::KeepEmptyParts);

    const int count = qMin(versionsX.count(), versionsY.count());
    for (int i = 0; i < count; ++i) {
        const int nOrder = compareVersionParts(versionsX.at(i), versionsY.at(i));
        if (nOrder != 0)
            return nOrder > 0;
    }
    return versionsX.count() > versionsY.count();
}
