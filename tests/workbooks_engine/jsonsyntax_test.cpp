// Syntax errors in a stored workbook, as the loader reports them: the line and column an editor
// shows, and the reason.
#include "workbooks/engine/jsontree.h"
#include "workbooks/engine/workbookjson.h"

#include <string_view>
#include <gtest/gtest.h>

namespace mhbk::wb::test {
namespace {

using namespace std::literals;

QString loadMessage(std::string_view json)
{
    LoadError error;
    const auto book = loadWorkbook(QByteArray(json.data(), qsizetype(json.size())), &error);
    return book ? QStringLiteral("loaded") : error.message;
}

TEST(JsonSyntaxTest, BrokenDocumentsSayWhereAndWhy)
{
    struct Case
    {
        std::string_view json;
        const char *where;
        const char *reason;
    };
    const Case cases[] = {
        {""sv, "第 1 行第 1 列", "文件为空"},
        {" \n "sv, "第 2 行第 2 列", "文件为空"},
        {"\xEF\xBB\xBF"sv, "第 1 行第 1 列", "文件为空"},
        {"["sv, "第 1 行第 2 列", "文件意外结束"},
        {"{\"a\":"sv, "第 1 行第 6 列", "文件意外结束"},
        {"[1"sv, "第 1 行第 3 列", "数组缺少结尾的 ]"},
        {"{"sv, "第 1 行第 2 列", "对象缺少结尾的 }"},
        {"{\"a\":1"sv, "第 1 行第 7 列", "对象缺少结尾的 }"},
        {"[1,]"sv, "第 1 行第 4 列", "逗号后缺少值"},
        {"{\"a\":1,}"sv, "第 1 行第 8 列", "逗号后缺少键名"},
        {"[01]"sv, "第 1 行第 3 列", "缺少逗号"},
        {"[1 2]"sv, "第 1 行第 4 列", "缺少逗号"},
        {"[0x1]"sv, "第 1 行第 3 列", "应为逗号或 ]"},
        {"[1 }"sv, "第 1 行第 4 列", "应为逗号或 ]"},
        {"{\"a\":1 \"b\":2}"sv, "第 1 行第 8 列", "缺少逗号"},
        {"{\"a\":1 ]"sv, "第 1 行第 8 列", "应为逗号或 }"},
        {"{\"a\" 1}"sv, "第 1 行第 6 列", "缺少冒号"},
        {"{\"a\""sv, "第 1 行第 5 列", "缺少冒号"},
        {"{1:2}"sv, "第 1 行第 2 列", "应为带引号的键名"},
        {"[1,,2]"sv, "第 1 行第 4 列", "无效的值"},
        {"[\"abc"sv, "第 1 行第 2 列", "字符串没有结束"},
        {"[\"a\\\""sv, "第 1 行第 2 列", "字符串没有结束"},
        {"{\"ab"sv, "第 1 行第 2 列", "字符串没有结束"},
        {"[\"a\tb\"]"sv, "第 1 行第 4 列", "字符串里有未转义的控制字符"},
        {"[\"a\nb\"]"sv, "第 1 行第 4 列", "字符串里有未转义的控制字符"},
        {"[\"\\x\"]"sv, "第 1 行第 3 列", "无效的转义序列"},
        {"[\"ab\\u12\"]"sv, "第 1 行第 5 列", "无效的转义序列"},
        {"[\"\\ud800\\u12\"]"sv, "第 1 行第 9 列", "无效的转义序列"},
        {"[\"\\"sv, "第 1 行第 3 列", "无效的转义序列"},
        {"[\"\xFF\"]"sv, "第 1 行第 3 列", "无效的 UTF-8 编码"},
        {"[\"a\xED\xA0\x80\"]"sv, "第 1 行第 4 列", "无效的 UTF-8 编码"},   // a surrogate written out
        {"[\"\xC0\xAF\"]"sv, "第 1 行第 3 列", "无效的 UTF-8 编码"},          // overlong
        {"[\"\xE0\x9F\xBF\"]"sv, "第 1 行第 3 列", "无效的 UTF-8 编码"},      // overlong
        {"[\"\xE4\xB8\"]"sv, "第 1 行第 3 列", "无效的 UTF-8 编码"},          // cut short
        {"[\"\xF4\x90\x80\x80\"]"sv, "第 1 行第 3 列", "无效的 UTF-8 编码"},  // beyond U+10FFFF
        {"[\"\\n\x80\"]"sv, "第 1 行第 5 列", "无效的 UTF-8 编码"},           // after an escape
        {"[1.]"sv, "第 1 行第 4 列", "无效的数"},
        {"[1.e5]"sv, "第 1 行第 4 列", "无效的数"},
        {"[.5]"sv, "第 1 行第 2 列", "无效的值"},
        {"[-]"sv, "第 1 行第 3 列", "无效的数"},
        {"[-a]"sv, "第 1 行第 3 列", "无效的数"},
        {"[+1]"sv, "第 1 行第 2 列", "无效的值"},
        {"[1e]"sv, "第 1 行第 4 列", "无效的数"},
        {"[1e+]"sv, "第 1 行第 5 列", "无效的数"},
        {"[1e400]"sv, "第 1 行第 2 列", "数值超出范围"},
        {"[-1e400]"sv, "第 1 行第 2 列", "数值超出范围"},
        {"[2e-324]"sv, "第 1 行第 2 列", "数值超出范围"},
        {"[0e309]"sv, "第 1 行第 2 列", "数值超出范围"},   // the reader looks at the exponent alone
        {"[tru]"sv, "第 1 行第 2 列", "无效的值"},
        {"[True]"sv, "第 1 行第 2 列", "无效的值"},
        {"[nul"sv, "第 1 行第 2 列", "无效的值"},
        {"{} x"sv, "第 1 行第 4 列", "文档结尾有多余内容"},
        {"{}{}"sv, "第 1 行第 3 列", "文档结尾有多余内容"},
        {"1 2"sv, "第 1 行第 3 列", "文档结尾有多余内容"},

        // A NUL character, which the reader takes for the end of the text.
        {"[\"a\0b\"]"sv, "第 1 行第 4 列", "字符串里有未转义的控制字符"},
        {"{}\0"sv, "第 1 行第 3 列", "文档结尾有多余内容"},
        {"{} \0{"sv, "第 1 行第 4 列", "文档结尾有多余内容"},
        {"[1\0]"sv, "第 1 行第 3 列", "应为逗号或 ]"},
        {"[tr\0e]"sv, "第 1 行第 2 列", "无效的值"},
        {"\0"sv, "第 1 行第 1 列", "无效的值"},
        // The text ends inside a character.
        {"[\"\xE4"sv, "第 1 行第 3 列", "无效的 UTF-8 编码"},
        {"[\"\xF0\x9F\x98"sv, "第 1 行第 3 列", "无效的 UTF-8 编码"},
        {"{\"\xC3"sv, "第 1 行第 3 列", "无效的 UTF-8 编码"},
        // Lone surrogates are let through; what follows them is judged as usual.
        {"[\"\\ud800\\ud800\\uZ\"]"sv, "第 1 行第 15 列", "无效的转义序列"},
        {"[\"\\ud800\", \"\\udc00\" \"x\"]"sv, "第 1 行第 21 列", "缺少逗号"},
        // Lines and columns in characters.
        {"{\n\"a\":\n  tru}"sv, "第 3 行第 3 列", "无效的值"},
        {"{\"名称\": \"中文\",\r\n \"b\": [1,]}"sv, "第 2 行第 10 列", "逗号后缺少值"},
        {"\xEF\xBB\xBF{\"a\":1,}"sv, "第 1 行第 8 列", "逗号后缺少键名"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(loadMessage(c.json), QStringLiteral("工作簿文件%1格式错误：%2").arg(QString::fromUtf8(c.where), QString::fromUtf8(c.reason)))
            << c.json;
}

TEST(JsonSyntaxTest, NestingIsLimitedWhereTheLimitIsPassed)
{
    const QByteArray deepest = QByteArray(kMaxJsonDepth, '[') + QByteArray(kMaxJsonDepth, ']');
    EXPECT_EQ(loadMessage(deepest.toStdString()), QStringLiteral("工作簿文件应为一个 JSON 对象"));
    const QByteArray deeper = QByteArray(kMaxJsonDepth + 1, '[') + QByteArray(kMaxJsonDepth + 1, ']');
    EXPECT_EQ(loadMessage(deeper.toStdString()), QStringLiteral("工作簿文件第 1 行第 %1 列格式错误：嵌套层数过多").arg(kMaxJsonDepth + 1));
}

} // namespace
} // namespace mhbk::wb::test
