#include "core/welcome/jsonkeyscanner.h"

#include <QtTest>

class tst_JsonKeyScanner : public QObject
{
    Q_OBJECT

private slots:
    void repeatedKeys_data();
    void repeatedKeys();
    void depth_data();
    void depth();
};

void tst_JsonKeyScanner::repeatedKeys_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("repeated");

    QTest::newRow("web channel call") << QByteArray(R"({"type":6,"object":"ztwelcome","method":10,"args":[],"id":1})")
                                      << false;
    QTest::newRow("same key, array values") << QByteArray(R"({"a":[1],"a":[2]})") << true;
    QTest::newRow("same key, inside an array") << QByteArray(R"([{"b":1},{"a":{"x":1,"x":2}}])") << true;
    QTest::newRow("after the object closed") << QByteArray(R"({"a":{"x":1},"b":2,"a":3})") << true;
    QTest::newRow("same key in sibling objects") << QByteArray(R"([{"a":1},{"a":2}])") << false;
    QTest::newRow("same key at two depths") << QByteArray(R"({"a":{"a":{"a":1}}})") << false;
    QTest::newRow("key text as a value") << QByteArray(R"({"a":"a","b":["a","a"]})") << false;
    QTest::newRow("braces and quotes in strings") << QByteArray(R"({"a":"}{\",","b\"":1,"b":2})") << false;
    QTest::newRow("escaped the same") << QByteArray(R"({"a":1,"\u0061":2})") << true;
    QTest::newRow("escaped pair, raw character") << QByteArray("{\"\xf0\x9f\x98\x80\":1,\"\\ud83d\\ude00\":2}") << true;
    QTest::newRow("escaped quote") << QByteArray(R"({"\"":1,"\u0022":2})") << true;
    QTest::newRow("lone surrogates differ") << QByteArray(R"({"\ud800":1,"\ud801":2})") << false;
    // Qt turns a lone surrogate into U+FFFD when it compares it with a key written without escapes.
    QTest::newRow("lone surrogate, raw U+FFFD") << QByteArray("{\"k\\ud83d\":[1],\"k\xef\xbf\xbd\":[2]}") << true;
    QTest::newRow("lone surrogate, escaped U+FFFD") << QByteArray(R"({"k\ud83d":1,"k\ufffd":2})") << false;

    // Past 16 keys an object is checked through a hash set.
    QByteArray many = "{";
    for (int i = 0; i < 40; ++i)
        many += "\"k" + QByteArray::number(i) + "\":" + QByteArray::number(i) + ",";
    QTest::newRow("many keys") << QByteArray(many + "\"end\":0}") << false;
    QTest::newRow("many keys, the first again") << QByteArray(many + "\"k0\":0}") << true;
    QTest::newRow("many keys in a closed object") << QByteArray("{\"o\":" + many + "\"end\":0},\"k1\":1}") << false;
    QTest::newRow("many keys, escaped then raw") << QByteArray("{\"\\u006b0x\":0," + many.mid(1) + "\"k0x\":1}") << true;
    QTest::newRow("unterminated") << QByteArray(R"({"a":1,"a)") << false;
}

void tst_JsonKeyScanner::repeatedKeys()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, repeated);
    QCOMPARE(JsonKeyScanner::hasRepeatedKey(json), repeated);
}

void tst_JsonKeyScanner::depth_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("finding");
    const auto nested = [](int nDepth) { return QByteArray(nDepth - 1, '[') + "{}" + QByteArray(nDepth - 1, ']'); };
    QTest::newRow("at the limit") << nested(4) << int(JsonKeyScanner::NoFinding);
    QTest::newRow("one level deeper") << nested(5) << int(JsonKeyScanner::TooDeep);
    QTest::newRow("brackets in strings") << QByteArray(R"({"a":"[[[[[{{{{{"})") << int(JsonKeyScanner::NoFinding);
    QTest::newRow("levels closed again") << QByteArray("[[[[]]],[[[]]]]") << int(JsonKeyScanner::NoFinding);
    QTest::newRow("repeated key first") << QByteArray(R"({"a":1,"a":[[[[[1]]]]]})") << int(JsonKeyScanner::RepeatedKey);
    QTest::newRow("too deep first") << QByteArray(R"({"a":[[[[[1]]]]],"a":1})") << int(JsonKeyScanner::TooDeep);
}

void tst_JsonKeyScanner::depth()
{
    QFETCH(QByteArray, json);
    QFETCH(int, finding);
    QCOMPARE(int(JsonKeyScanner::check(json, 4)), finding);
}

QTEST_APPLESS_MAIN(tst_JsonKeyScanner)
#include "tst_jsonkeyscanner.moc"
