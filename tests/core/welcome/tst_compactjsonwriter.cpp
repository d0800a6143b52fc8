#include "core/welcome/compactjsonwriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <limits>

class tst_CompactJsonWriter : public QObject
{
    Q_OBJECT

private slots:
    void exactText_data();
    void exactText();
    void readsBackAsWritten_data();
    void readsBackAsWritten();
};

static QJsonObject one(const QJsonValue &value)
{
    return QJsonObject{ { QStringLiteral("v"), value } };
}

void tst_CompactJsonWriter::exactText_data()
{
    QTest::addColumn<QJsonObject>("object");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty object") << QJsonObject() << QStringLiteral("{}");
    QTest::newRow("empty containers") << QJsonObject{ { QStringLiteral("a"), QJsonArray() }, { QStringLiteral("o"), QJsonObject() } }
                                      << QStringLiteral("{\"a\":[],\"o\":{}}");
    QTest::newRow("web channel reply")
        << QJsonObject{ { QStringLiteral("type"), 10 }, { QStringLiteral("id"), 7 },
                        { QStringLiteral("data"), QJsonArray{ QStringLiteral("/a b.zelto"), QStringLiteral("/c.zelto") } } }
        << QStringLiteral("{\"data\":[\"/a b.zelto\",\"/c.zelto\"],\"id\":7,\"type\":10}");
    QTest::newRow("literals") << QJsonObject{ { QStringLiteral("f"), false }, { QStringLiteral("n"), QJsonValue() }, { QStringLiteral("t"), true } }
                              << QStringLiteral("{\"f\":false,\"n\":null,\"t\":true}");
    QTest::newRow("nested") << one(QJsonArray{ QJsonObject{ { QStringLiteral("x"), QJsonArray{ 1, QJsonArray{} } } } })
                            << QStringLiteral("{\"v\":[{\"x\":[1,[]]}]}");

    QTest::newRow("integers") << one(QJsonArray{ 0, -1, 123456, 2147483648.0, -9007199254740991.0 })
                              << QStringLiteral("{\"v\":[0,-1,123456,2147483648,-9007199254740991]}");
    QTest::newRow("fractions") << one(QJsonArray{ 0.1, -2.5, 1e-7 }) << QStringLiteral("{\"v\":[0.1,-2.5,1e-07]}");
    QTest::newRow("beyond exact integers") << one(1e300) << QStringLiteral("{\"v\":1e+300}");
    QTest::newRow("infinity") << one(std::numeric_limits<double>::infinity()) << QStringLiteral("{\"v\":null}");
    QTest::newRow("nan") << one(std::numeric_limits<double>::quiet_NaN()) << QStringLiteral("{\"v\":null}");

    QTest::newRow("quote and backslash") << one(QStringLiteral("say \"C:\\x\"")) << QStringLiteral("{\"v\":\"say \\\"C:\\\\x\\\"\"}");
    QTest::newRow("short escapes") << one(QStringLiteral("a\nb\rc\td\be\ff")) << QStringLiteral("{\"v\":\"a\\nb\\rc\\td\\be\\ff\"}");
    QTest::newRow("other control characters") << one(QString(QChar(0x01)) + QChar(0x1f) + QChar(0x00))
                                             << QStringLiteral("{\"v\":\"\\u0001\\u001f\\u0000\"}");
    QTest::newRow("slash and delete stay") << one(QStringLiteral("a/b\x7f")) << QStringLiteral("{\"v\":\"a/b\x7f\"}");
    QTest::newRow("escaped key") << QJsonObject{ { QStringLiteral("k\"1"), 1 } } << QStringLiteral("{\"k\\\"1\":1}");
    QTest::newRow("non-ASCII as is") << one(QString::fromUtf8("Größe 日本 \xF0\x9F\x8E\xAC"))
                                      << QString::fromUtf8("{\"v\":\"Größe 日本 \xF0\x9F\x8E\xAC\"}");
    // UTF-8 cannot carry a surrogate without its partner: the socket would
    // turn it into a replacement character, an escape keeps it.
    QTest::newRow("lone surrogates") << one(QString(QChar(0xd800)) + QLatin1Char('a') + QChar(0xdc00) + QChar(0xd83c))
                                     << QStringLiteral("{\"v\":\"\\ud800a\\udc00\\ud83c\"}");
}

// The exact text matters where a peer compares or logs frames; valid JSON
// alone would let an escape or a number format slip.
void tst_CompactJsonWriter::exactText()
{
    QFETCH(QJsonObject, object);
    QFETCH(QString, expected);
    QCOMPARE(CompactJsonWriter::toJson(object), expected);
}

void tst_CompactJsonWriter::readsBackAsWritten_data()
{
    QTest::addColumn<QJsonObject>("object");

    QString strAllControls;
    for (ushort c = 0; c < 0x20; ++c)
        strAllControls += QChar(c);
    QTest::newRow("every control character") << one(strAllControls);
    QTest::newRow("mixed document") << QJsonObject{
        { QStringLiteral("type"), 6 },
        { QStringLiteral("object"), QStringLiteral("ztwelcome") },
        { QStringLiteral("args"), QJsonArray{ QStringLiteral("File.Save"), QString::fromUtf8("\xC3\xA4\\\"\n"), 3.25, false, QJsonValue() } },
        { QStringLiteral("nested"), QJsonObject{ { QString::fromUtf8("schlüssel"), QJsonArray{ QJsonObject() } } } },
    };
    QTest::newRow("long string") << one(QString(5000, QLatin1Char('x')) + QLatin1Char('"') + QString(5000, QChar(0x263A)));
}

// Whatever is written must read back to the same object with Qt's parser,
// the one the other end of the transport uses in tests and in the page's
// own host.
void tst_CompactJsonWriter::readsBackAsWritten()
{
    QFETCH(QJsonObject, object);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(CompactJsonWriter::toJson(object).toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(doc.object(), object);
}

QTEST_GUILESS_MAIN(tst_CompactJsonWriter)
#include "tst_compactjsonwriter.moc"
