#include "common/errors.h"
#include "takeoff/takeofffile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace mhbk::takeoff {
namespace {

List sampleList()
{
    return {Line{QStringLiteral("圆钢"), QStringLiteral("d=10"), QStringLiteral("Q235"), 6, QStringLiteral("m"), 0.617,
                 QStringLiteral("基础 \"甲\"\n第二行")},
            Line{QStringLiteral("钢板"), QStringLiteral("δ=10"), QString(), 2.5, QStringLiteral("m2"), 78.5, QString()},
            Line{QStringLiteral("工字钢"), QStringLiteral("20a"), QStringLiteral("Q345"), 1e-7, QStringLiteral("m"),
                 27.929, QStringLiteral("𠀀 outside the BMP")}};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(TakeoffFile, RoundTripKeepsEveryField)
{
    QTemporaryDir dir;
    for (const List &list : {List{}, sampleList()}) {
        const QString path = dir.filePath(QStringLiteral("清单.mhbkl"));
        saveList(list, path);
        EXPECT_EQ(loadList(path), list);
        EXPECT_EQ(fromJson(toJson(list)), list);
    }
}

TEST(TakeoffFile, SurfaceAndProblemRoundTripAndOldFilesStillOpen)
{
    List list = sampleList();
    list[0].unitSurface = 0.0314;
    list[1].problem = QStringLiteral("第 3 行：无法识别“HX400”");
    EXPECT_EQ(fromJson(toJson(list)), list);

    // A version 1 file, written before surfaces and problems: every line counted, no surface.
    const List old = fromJson(R"({"format":"mhbk-takeoff-list","version":1,"lines":[
        {"item":"工字钢","designation":"20a","material":"Q235","quantity":6,"unit":"m","unitWeight":27.929,"remark":""}]})");
    ASSERT_EQ(old.size(), 1u);
    EXPECT_TRUE(old[0].counted());
    EXPECT_EQ(old[0].unitSurface, 0);
    EXPECT_NEAR(totalsOf(old).grandTotal, 167.574, 1e-9);

    EXPECT_THROW(fromJson(R"({"format":"mhbk-takeoff-list","version":2,"lines":[
        {"quantity":1,"unitWeight":1,"unitSurface":"x"}]})"), AppError);
}

TEST(TakeoffFile, SaveReplacesWholeAndLeavesNoTemporaryFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.mhbkl"));
    saveList(sampleList(), path);
    saveList({sampleList().front()}, path);
    EXPECT_EQ(loadList(path).size(), 1u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(TakeoffFile, SaveIntoMissingFolderFailsNamingThePath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no/such/folder/a.mhbkl"));
    try {
        saveList(sampleList(), path);
        FAIL() << "saved into a missing folder";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(path)) << e.what();
    }
}

TEST(TakeoffFile, DamagedAndForeignFilesAreRefusedWithAReason)
{
    const QByteArray good = toJson(sampleList());
    QByteArray truncated = good.left(good.size() / 2);
    QByteArray wrongNumber = good;
    wrongNumber.replace("\"quantity\":6", "\"quantity\":\"six\"");
    QByteArray wrongText = good;
    wrongText.replace("\"item\":\"圆钢\"", "\"item\":12");
    ASSERT_NE(wrongNumber, good);
    ASSERT_NE(wrongText, good);
    const struct {
        const char *name;
        QByteArray bytes;
        const char *reason;
    } cases[] = {
        {"empty file", QByteArray(), "不是工程量清单文件"},
        {"truncated", truncated, "不是工程量清单文件"},
        {"a workbook file", R"({"format":"mhbk-workbook","version":1,"sheets":[]})", "不是工程量清单文件"},
        {"no format", R"({"version":1,"lines":[]})", "不是工程量清单文件"},
        {"JSON array", "[1,2,3]", "不是工程量清单文件"},
        {"binary junk", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0", 10), "不是工程量清单文件"},
        {"newer version", R"({"format":"mhbk-takeoff-list","version":3,"lines":[]})", "较新版本"},
        {"version not a number", R"({"format":"mhbk-takeoff-list","version":"1","lines":[]})", "版本号已损坏"},
        {"version zero", R"({"format":"mhbk-takeoff-list","version":0,"lines":[]})", "版本号已损坏"},
        {"fractional version", R"({"format":"mhbk-takeoff-list","version":1.5,"lines":[]})", "版本号已损坏"},
        {"lines missing", R"({"format":"mhbk-takeoff-list","version":1})", "没有清单各行"},
        {"line not an object", R"({"format":"mhbk-takeoff-list","version":1,"lines":[{"item":"a","quantity":1,"unitWeight":1},5]})",
         "第 2 行已损坏"},
        {"quantity not a number", wrongNumber, "第 1 行的“quantity”不是数"},
        {"quantity missing", R"({"format":"mhbk-takeoff-list","version":1,"lines":[{"item":"a","unitWeight":1}]})",
         "第 1 行的“quantity”不是数"},
        {"item not text", wrongText, "第 1 行的“item”不是文字"},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("bad.mhbkl"));
        writeFile(path, c.bytes);
        try {
            loadList(path);
            ADD_FAILURE() << "loaded";
        } catch (const AppError &e) {
            EXPECT_TRUE(e.message().contains(path)) << e.what();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.reason))) << e.what();
        }
    }
}

TEST(TakeoffFile, MissingFileIsReported)
{
    QTemporaryDir dir;
    EXPECT_THROW(loadList(dir.filePath(QStringLiteral("none.mhbkl"))), AppError);
}

} // namespace
} // namespace mhbk::takeoff

namespace mhbk::takeoff {
namespace {

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const AppError &e) {
        return e.message();
    }
    return QString();
}

// A list as long as the one reported written and then refused: written compactly it opens again.
TEST(TakeoffFile, ALongListIsWrittenCompactlyAndOpensAgain)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("长清单.mhbkl"));
    List list;
    for (int i = 0; i < 100048; ++i)
        list.push_back(Line{QStringLiteral("热轧无缝钢管"), QStringLiteral("Φ89×4-%1").arg(i), QStringLiteral("20#"), 6.5,
                            QStringLiteral("m"), 8.38, QStringLiteral("二层 %1 轴").arg(i % 40)});
    saveList(list, path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_FALSE(bytes.trimmed().contains('\n')) << "one line, without indentation";
    EXPECT_LT(bytes.size(), kMaxListFileBytes);
    EXPECT_EQ(loadList(path), list);
}

// The largest list the program writes is the largest it reads: at the limit it is written and
// read back, one byte more is not written (the file on disk stays), and is refused when met.
TEST(TakeoffFile, WhatIsWrittenOpensAgainUpToTheLimit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("满.mhbkl"));
    List list{Line{QStringLiteral("钢板"), QStringLiteral("δ10"), QString(), 1, QStringLiteral("m2"), 78.5, QString()}};
    const qint64 overhead = toJson(list).size();
    list.front().remark = QString(static_cast<qsizetype>(kMaxListFileBytes - overhead), QLatin1Char('r'));
    ASSERT_EQ(toJson(list).size(), kMaxListFileBytes);
    saveList(list, path);
    EXPECT_EQ(QFileInfo(path).size(), kMaxListFileBytes);
    EXPECT_EQ(loadList(path).front().remark.size(), list.front().remark.size());

    list.front().remark += QLatin1Char('r');
    EXPECT_TRUE(errorOf([&] { saveList(list, path); }).contains(QStringLiteral("超过本程序能打开的 64 MB")));
    EXPECT_EQ(QFileInfo(path).size(), kMaxListFileBytes) << "the file saved before is kept";

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(" ");
    file.close();
    EXPECT_TRUE(errorOf([&] { loadList(path); }).contains(QStringLiteral("文件超过 64 MB")));
}

} // namespace
} // namespace mhbk::takeoff
