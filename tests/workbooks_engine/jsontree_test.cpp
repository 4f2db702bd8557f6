#include "workbooks/engine/jsontree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <bit>
#include <string>
#include <gtest/gtest.h>

namespace mhbk::wb::test {
namespace {

// Anything beyond printable ASCII as \uXXXX code units.
QString escaped(const QString &text)
{
    QString out;
    for (const QChar c : text)
        out += c.unicode() >= 0x20 && c.unicode() < 0x7F ? QString(c) : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
    return out;
}

// The tree spelt out: members in the order the tree gives them, numbers with all their digits.
QString dumpTree(const JsonValue &v)
{
    switch (v.kind()) {
    case JsonValue::Kind::Undefined: return QStringLiteral("undefined");
    case JsonValue::Kind::Null: return QStringLiteral("null");
    case JsonValue::Kind::Bool: return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case JsonValue::Kind::Number: return QString::number(v.toDouble(), 'g', 17);
    case JsonValue::Kind::String: return u'\'' + escaped(v.toString()) + u'\'';
    case JsonValue::Kind::Array: {
        QStringList parts;
        for (qsizetype i = 0; i < v.size(); ++i)
            parts << dumpTree(v[i]);
        return u'[' + parts.join(u',') + u']';
    }
    case JsonValue::Kind::Object: {
        QStringList parts;
        for (const JsonValue::Member m : v.members())
            parts << escaped(m.key()) + u':' + dumpTree(m.value());
        return u'{' + parts.join(u',') + u'}';
    }
    }
    return {};
}

std::string dump(const JsonValue &v)
{
    return dumpTree(v).toStdString();
}

TEST(JsonTreeTest, ValidDocumentsReadAsWritten)
{
    struct Case
    {
        const char *json;
        const char *tree;
    };
    const Case cases[] = {
        {" \t\r\n{ \"b\" : 1 ,\n\"a\":[ true,false , null ],\"c\":{}} \n", "{a:[true,false,null],b:1,c:{}}"},
        {"[]", "[]"},
        {"{}", "{}"},
        {"[[],{},[[]],\"\"]", "[[],{},[[]],'']"},
        {"\xEF\xBB\xBF{\"a\":1}", "{a:1}"},
        {"1", "1"},
        {"\"x\"", "'x'"},
        {"null", "null"},
        // Escapes, and text beyond ASCII as it is and escaped.
        {R"(["\"\\\/\b\f\n\r\t"])", "['\"\\/\\u0008\\u000c\\u000a\\u000d\\u0009']"},
        {R"(["\u00e9\u4E2D\u0041"])", "['\\u00e9\\u4e2dA']"},
        {"[\"\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\"]", "['\\u00e9\\u4e2d\\ud83d\\ude00']"},
        {R"(["\ud83d\ude00", "\uD83D\uDE00x"])", "['\\ud83d\\ude00','\\ud83d\\ude00x']"},
        {R"(["a\u0000b"])", "['a\\u0000b']"},
        // U+FEFF starting a string is text, not a byte order mark.
        {"[\"\xEF\xBB\xBFx\", \"\\ufeff\\uFEFFy\", {\"\\ufeff\": 1}]", "['\\ufeffx','\\ufeff\\ufeffy',{\\ufeff:1}]"},
        // A lone surrogate is kept, and an escape after one is read on its own.
        {R"(["\ud800", "\udc00x", "\ud800\u0041", "x\ud800\ud800\udc00"])",
         "['\\ud800','\\udc00x','\\ud800A','x\\ud800\\ud800\\udc00']"},
        // Numbers, among them big integers rounded to the nearest double.
        {"[0, -1, 1E2, 1e+2, 1e-2, -1.5E-3, 0.1, 1.7976931348623157e308, 9007199254740993]",
         "[0,-1,100,100,0.01,-0.0015,0.10000000000000001,1.7976931348623157e+308,9007199254740992]"},
        {"[18446744073709551616, 123456789012345678901234567890, 0e308, 0.0e-99999]",
         "[1.8446744073709552e+19,1.2345678901234568e+29,0,0]"},
        // Members come sorted by code point; of repeated keys the last wins.
        {R"({"b":1,"aa":2,"a":3,"B":4})", "{B:4,a:3,aa:2,b:1}"},
        {"{\"\xC3\xA9\":1,\"zz\":2,\"z\":3,\"\xF0\x9F\x98\x80\":4,\"\\uFFFD\":5,\"\\ud800\":6,\"\\ue000\":7}",
         "{z:3,zz:2,\\u00e9:1,\\ud800:6,\\ue000:7,\\ufffd:5,\\ud83d\\ude00:4}"},
        {R"({"a":1,"b":0,"a":{"x":1},"a":3})", "{a:3,b:0}"},
        {R"({"a":{"k":1,"k":[2]}})", "{a:{k:[2]}}"},
    };
    for (const Case &c : cases) {
        const JsonTree tree{QByteArray(c.json)};
        EXPECT_TRUE(tree.isValid()) << c.json << " -> " << tree.error().reason.toStdString() << " at " << tree.error().offset;
        EXPECT_EQ(dump(tree.root()), c.tree) << c.json;
    }
}

// The reader refuses an unpaired high surrogate: such escapes are let through in a second
// reading and the strings mended, wherever they stand among pairs, lone low surrogates, keys
// and backslashes that are text.
TEST(JsonTreeTest, LoneSurrogatesAreKeptWhereverTheyStand)
{
    struct Case
    {
        const char *json;
        std::u16string expected;   // the first string of the array, or the one member's key and value
    };
    const Case cases[] = {
        {R"(["\udc01\ud802x"])", u"\xDC01\xD802x"},
        {R"(["\ud800\udc00\ud800"])", u"\U00010000\xD800"},
        {R"(["\\ud800", "\ud801"])", u"\\ud800"},   // an escaped backslash, then text
        {R"(["\\\ud800"])", u"\\\xD800"},
        {R"(["\uDBFF\uDFFF\uDC01\uDBFF"])", u"\U0010FFFF\xDC01\xDBFF"},
        {R"(["\ud800\u0041\udbff"])", u"\xD800" u"A\xDBFF"},
        {R"({"\ud801": "\udc02"})", u"\xD801=\xDC02"},
        {R"({"k\uDC03": "\uD804\uD805"})", u"k\xDC03=\xD804\xD805"},
    };
    for (const Case &c : cases) {
        const JsonTree tree{QByteArray(c.json)};
        ASSERT_TRUE(tree.isValid()) << c.json << " -> " << tree.error().reason.toStdString();
        const JsonValue root = tree.root();
        QString read;
        if (root.isArray()) {
            read = root[0].toString();
        } else {
            const JsonValue::Member m = *root.members().begin();
            read = m.key() + u'=' + m.value().toString();
        }
        EXPECT_EQ(read, QString::fromStdU16String(c.expected)) << c.json;
    }
    // What comes after the mended strings reads as usual.
    const JsonTree tree(R"(["\ud800", 1.5, {"b": "\udfff", "a": [true]}, "\u00e9"])");
    EXPECT_EQ(dump(tree.root()), "['\\ud800',1.5,{a:[true],b:'\\udfff'},'\\u00e9']");
}

TEST(JsonTreeTest, NumbersAreCorrectlyRounded)
{
    struct Case
    {
        const char *text;
        double value;
    };
    const Case cases[] = {
        {"-0", -0.0},   {"-0.0", -0.0},   {"0.0", 0.0},   {"1e308", 1e308},   {"5e-324", 5e-324},
        {"4.9e-324", 5e-324},   {"3e-324", 5e-324},   {"2.4703282292062328e-324", 5e-324},
        {"2.2250738585072014e-308", 2.2250738585072014e-308},   {"2.2250738585072011e-308", 2.2250738585072011e-308},
        {"1.7976931348623158e308", 1.7976931348623157e308},   {"0.1", 0.1},   {"0.3", 0.3},
        {"123456.789", 123456.789},   {"9007199254740993", 9007199254740992.0},   {"9007199254740995", 9007199254740996.0},
        {"1.00000000000000011102230246251565404236316680908203125", 1.0},
        {"1.00000000000000011102230246251565404236316680908203126", 1.0000000000000002},
        {"-12.5e-1", -1.25},   {"1E22", 1e22},   {"1E23", 1e23},   {"8.98846567431158e307", 8.98846567431158e307},
        {"123456789012345e22", 123456789012345e22},   {"999999999999999e-22", 999999999999999e-22},
        {"1234567890123456", 1234567890123456.0},   {"4.35", 4.35},   {"0.1e1", 1.0},   {"1e-22", 1e-22},
        {"1e00022", 1e22},   {"0.000000000000000000001e21", 1.0},   {"-0e5", -0.0},
    };
    for (const Case &c : cases) {
        const JsonTree tree{QByteArray("[") + c.text + ']'};
        ASSERT_TRUE(tree.isValid()) << c.text;
        EXPECT_EQ(std::bit_cast<quint64>(tree.root()[0].toDouble()), std::bit_cast<quint64>(c.value)) << c.text;
    }
}

TEST(JsonTreeTest, NestingIsLimited)
{
    for (const char *pair : {"[]", "{}"}) {
        const auto nested = [&](int depth) {
            QByteArray open, close;
            for (int i = 0; i < depth; ++i) {
                open += pair[0] == '[' ? QByteArray("[") : QByteArray("{\"k\":");
                close.prepend(pair[1]);
            }
            return open + "1" + close;
        };
        const JsonTree deepest(nested(kMaxJsonDepth));
        EXPECT_TRUE(deepest.isValid()) << pair;
        const JsonTree deeper(nested(kMaxJsonDepth + 1));
        EXPECT_EQ(deeper.error().reason, QStringLiteral("嵌套层数过多")) << pair;
        // Far deeper than any stack would take if it were followed.
        const JsonTree bomb(nested(200000));
        EXPECT_EQ(bomb.error().reason, QStringLiteral("嵌套层数过多")) << pair;
    }
}

TEST(JsonTreeTest, LookupsOutsideTheTreeGiveUndefined)
{
    const JsonTree tree(R"({"a": [1, 2.5, 3e9, -7], "s": "文字", "t": true, "o": {"x": null}})");
    const JsonValue root = tree.root();
    struct Case
    {
        JsonValue value;
        const char *expected;
    };
    const Case cases[] = {
        {root.value("missing"), "undefined"},
        {root.value(""), "undefined"},
        {root.value("a")[4], "undefined"},
        {root.value("a")[-1], "undefined"},
        {root.value("s")[0], "undefined"},
        {root[0], "undefined"},
        {root.value("a").value("x"), "undefined"},
        {root.value("o").value("x"), "null"},
        {root.value("o").value("x").value("y"), "undefined"},
        {JsonValue().value("a")[0], "undefined"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dump(c.value), c.expected);
    EXPECT_TRUE(root.contains("o") && !root.contains("O"));
    EXPECT_EQ(root.value("s").toString(), QStringLiteral("文字"));
    EXPECT_EQ(root.value("s").utf8(), "文字");
    EXPECT_TRUE(root.value("t").toString().isNull());
    EXPECT_EQ(root.value("t").toString(QStringLiteral("A4")), QStringLiteral("A4"));
    EXPECT_EQ(root.value("s").toString(QStringLiteral("A4")), QStringLiteral("文字"));
    EXPECT_EQ(root.value("a").members().begin(), root.value("a").members().end());
    EXPECT_EQ(root.value("s").size(), 0);
    // Whole numbers within int's range convert; others give the fallback.
    const JsonValue a = root.value("a");
    EXPECT_EQ(a[0].toInt(-1), 1);
    EXPECT_EQ(a[1].toInt(-1), -1);
    EXPECT_EQ(a[2].toInt(-1), -1);
    EXPECT_EQ(a[3].toInt(), -7);
    EXPECT_EQ(root.value("s").toInt(9), 9);
    EXPECT_EQ(root.value("t").toDouble(2), 2);
    EXPECT_TRUE(root.value("t").toBool());
    EXPECT_TRUE(root.value("s").toBool(true));
}

// What Qt's reader makes of the same text, for text both accept.
TEST(JsonTreeTest, CopiesForQtMatchQtsReading)
{
    const char *documents[] = {
        R"({"b":[1,2,{"c":null}],"a":"\u00e9\ud83d\ude00","d":-0.5,"e":true,"a":"last"})",
        R"([{"border":"thin","borderLeft":{"style":"medium","color":"#FF0000"}},[],{},""])",
    };
    for (const char *json : documents) {
        const JsonTree tree{QByteArray(json)};
        const QJsonDocument qt = QJsonDocument::fromJson(json);
        ASSERT_FALSE(qt.isNull());
        const QJsonValue ours = tree.root().toQJsonValue();
        EXPECT_EQ(ours, qt.isObject() ? QJsonValue(qt.object()) : QJsonValue(qt.array())) << json;
    }
}

} // namespace
} // namespace mhbk::wb::test
