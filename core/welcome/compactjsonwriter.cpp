#include "core/welcome/compactjsonwriter.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <array>
#include <cmath>

// Doubles hold every integer up to 2^53 exactly; message ids and enum values
// are written as integers, like JSON peers expect them.
static const double kMaxExactInteger = 9007199254740992.0;

CompactJsonWriter::CompactJsonWriter(QString &out)
    : m_strOut(out)
{
}

QString CompactJsonWriter::toJson(const QJsonObject &object)
{
    QString strOut;
    strOut.reserve(256);
    appendJson(object, strOut);
    return strOut;
}

void CompactJsonWriter::appendJson(const QJsonObject &object, QString &out)
{
    CompactJsonWriter(out).writeObject(object);
}

void CompactJsonWriter::writeValue(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        m_strOut += value.toBool() ? QLatin1String("true") : QLatin1String("false");
        break;
    case QJsonValue::Double:
        writeNumber(value.toDouble());
        break;
    case QJsonValue::String:
        writeString(value.toString());
        break;
    case QJsonValue::Array:
        writeArray(value.toArray());
        break;
    case QJsonValue::Object:
        writeObject(value.toObject());
        break;
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        m_strOut += QLatin1String("null");
        break;
    }
}

void CompactJsonWriter::writeObject(const QJsonObject &object)
{
    m_strOut += QLatin1Char('{');
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (it != object.constBegin())
            m_strOut += QLatin1Char(',');
        writeString(it.key());
        m_strOut += QLatin1Char(':');
        writeValue(it.value());
    }
    m_strOut += QLatin1Char('}');
}

void CompactJsonWriter::writeArray(const QJsonArray &array)
{
    m_strOut += QLatin1Char('[');
    bool bFirst = true;
    for (const QJsonValue &value : array) {
        if (!bFirst)
            m_strOut += QLatin1Char(',');
        bFirst = false;
        writeValue(value);
    }
    m_strOut += QLatin1Char(']');
}

void CompactJsonWriter::writeNumber(double dValue)
{
    // JSON has no infinities or NaN; null is what JSON.stringify writes too.
    if (!std::isfinite(dValue))
        m_strOut += QLatin1String("null");
    else if (dValue == std::floor(dValue) && std::fabs(dValue) < kMaxExactInteger)
        m_strOut += QString::number(static_cast<qint64>(dValue));
    else
        m_strOut += QString::number(dValue, 'g', QLocale::FloatingPointShortest);
}

// ASCII characters that cannot stand in a JSON string as they are: the
// control characters, the quote and the backslash. A table keeps the scan
// over long paths to one load and one test per character.
static constexpr std::array<bool, 0x80> makeNeedsEscape()
{
    std::array<bool, 0x80> table{};
    for (std::size_t c = 0; c < 0x20; ++c)
        table[c] = true;
    table['"'] = true;
    table['\\'] = true;
    return table;
}
static constexpr std::array<bool, 0x80> kNeedsEscape = makeNeedsEscape();

void CompactJsonWriter::writeString(const QString &str)
{
    static const char kHexDigits[] = "0123456789abcdef";

    m_strOut += QLatin1Char('"');
    const QChar *pBegin = str.constData();
    const QChar *pEnd = pBegin + str.size();
    const QChar *pRun = pBegin;   // start of the characters not yet copied
    for (const QChar *p = pBegin; p != pEnd; ++p) {
        const char16_t c = p->unicode();
        // U+FFFD is escaped too: Qt's reader compares a key with escapes to
        // one without by turning its lone surrogates into U+FFFD, so the two
        // keys "\ud83dc" and "\ufffdc", one of them written as text, would
        // be read back as one.
        if (c < 0x80 ? !kNeedsEscape[c] : !QChar::isSurrogate(c) && c != 0xfffd)
            continue;
        if (QChar::isHighSurrogate(c) && p + 1 != pEnd && QChar::isLowSurrogate(p[1].unicode())) {
            ++p;
            continue;
        }
        m_strOut.append(pRun, int(p - pRun));
        pRun = p + 1;
        switch (c) {
        case u'"': m_strOut += QLatin1String("\\\""); break;
        case u'\\': m_strOut += QLatin1String("\\\\"); break;
        case u'\b': m_strOut += QLatin1String("\\b"); break;
        case u'\f': m_strOut += QLatin1String("\\f"); break;
        case u'\n': m_strOut += QLatin1String("\\n"); break;
        case u'\r': m_strOut += QLatin1String("\\r"); break;
        case u'\t': m_strOut += QLatin1String("\\t"); break;
        default: {
            // Other control characters, U+FFFD, and a surrogate without its
            // partner: UTF-8 cannot carry the latter, an escape keeps it intact.
            const char escape[] = { '\\', 'u', kHexDigits[(c >> 12) & 0xf], kHexDigits[(c >> 8) & 0xf],
                                    kHexDigits[(c >> 4) & 0xf], kHexDigits[c & 0xf] };
            m_strOut += QLatin1String(escape, int(sizeof(escape)));
            break;
        }
        }
    }
    m_strOut.append(pRun, int(pEnd - pRun));
    m_strOut += QLatin1Char('"');
}
