#include "builder.h"
#include "csvsource.h"
#include "data/database.h"
#include "data/datasets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mhbk::handbook {
namespace {

// A copy of the real handbook sources that a test may break.
class HandbookCopy {
public:
    HandbookCopy()
    {
        copyTree(QStringLiteral(MHBK_HANDBOOK_DIR), dir_.path());
        output_ = QDir(dir_.path()).filePath(QStringLiteral("out/System.dat"));
        QDir().mkpath(QFileInfo(output_).path());
    }
    QString root() const { return dir_.path(); }
    const QString &output() const { return output_; }
    QString file(const QString &relative) const { return QDir(dir_.path()).filePath(relative); }
    void write(const QString &relative, const QByteArray &bytes) const
    {
        QFile f(file(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QString buildError() const
    {
        try {
            buildHandbook(root(), output_);
        } catch (const SourceError &e) {
            return e.message();
        }
        return QStringLiteral("<built>");
    }

private:
    static void copyTree(const QString &from, const QString &to)
    {
        QDir().mkpath(to);
        for (const QFileInfo &info : QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString target = QDir(to).filePath(info.fileName());
            if (info.isDir())
                copyTree(info.filePath(), target);
            else
                QFile::copy(info.filePath(), target);
        }
    }
    QTemporaryDir dir_;
    QString output_;
};

struct BadSource {
    const char *file;
    const char *content;
    const char *expected; // "file:line: ..." suffix that must appear
};

TEST(HandbookBuild, RejectsMalformedSourcesWithFileAndLine)
{
    const BadSource cases[] = {
        {"tables/circle.csv", "id:INTEGER,d:TEXT,G:TEXT\n0,直径(mm),重量(kg/m)\n1,10\n", "circle.csv:3: 2 fields"},
        {"tables/circle.csv", "id:INTEGER,d:TEXT,G:TXT\n", "circle.csv:1: column definition \"G:TXT\""},
        {"tables/circle.csv", "id:INTEGER,d:TEXT\n0,a\n", "circle.csv:1: table circle needs 3 columns"},
        {"tables/circle.csv", "id:INTEGER,d:TEXT,G:TEXT\n", "circle.csv:2: table circle needs its caption record"},
        {"tables/circle.csv", "id:INTEGER,d:TEXT,G:TEXT\n0,\"d,2\n1,10,0.617\n", "circle.csv:2: quoted field is not closed"},
        {"tables/circle.csv", "id:INTEGER,d:TEXT,G:TEXT\n0,a,b\nx,10,0.617\n", "circle.csv:3: \"x\" is not a value of INTEGER"},
        {"tables/circle.csv", "id:INTEGER,d:TEXT,G:TEXT\n0,a,b\n1,10,kg/m\xc2\xb2\n", "circle.csv:3: \"kg/m\xc2\xb2\" cannot be written in GBK"},
        {"tables/circle.csv", "id:INTEGER,d:TEXT,G:TEXT\n0,a,b\n1,1\xff,2\n", "circle.csv:3: not valid UTF-8"},
        {"tables/circle.csv", "id:INTEGER,d:TEXT,D:TEXT\n0,a,b\n", "circle.csv:1: column D defined twice"},
        {"tables/Rectangle.csv", "id:INTEGER,a:TEXT,N3:TEXT,b:TEXT\n0,a,b,c\n", "Rectangle.csv:1: field N3 must be at position 3"},
        {"tables/steelboard_HW.csv", "id:INTEGER,jbhd:TEXT,WG:TEXT,LLZL_LX:TEXT,WG_BDX:TEXT,LLZL_BDX:TEXT\n0,a,b,c,d,e\n",
         "steelboard_HW.csv:1: table steelboard_HW needs a field WG_LX"},
        {"tables/tmp.csv", "bchd:TEXT,deh:TEXT,gwb:REAL\n", "tmp.csv:1: field bchd must be REAL"},
        {"tables/Circle2.csv", "id:INTEGER\n", "Circle2.csv:1: no table \"Circle2\""},
        {"workbooks/manifest.csv", "Index:INTEGER,lx:INTEGER,file:TEXT\n12,0,missing.json\n",
         "manifest.csv:2: cannot read workbook"},
        {"workbooks/manifest.csv", "Index:INTEGER,lx:INTEGER,file:TEXT\n12,0,../tables/circle.csv\n",
         "manifest.csv:2: \"../tables/circle.csv\" must be a plain file name"},
        {"workbooks/manifest.csv", "Index:INTEGER,file:TEXT\n", "manifest.csv:1: the header must be"},
    };
    for (const BadSource &c : cases) {
        HandbookCopy copy;
        copy.write(QString::fromLatin1(c.file), QByteArray(c.content));
        const QString error = copy.buildError();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.expected))) << c.file << ": got " << error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(copy.output())) << "nothing is left behind";
        EXPECT_FALSE(QFileInfo::exists(copy.output() + QStringLiteral(".part")));
    }
}

TEST(HandbookBuild, FailedRebuildKeepsThePreviousDatabase)
{
    HandbookCopy copy;
    ASSERT_EQ(copy.buildError(), QStringLiteral("<built>"));
    const qint64 size = QFileInfo(copy.output()).size();
    copy.write(QStringLiteral("tables/sqare.csv"), "id:INTEGER\n");
    EXPECT_NE(copy.buildError(), QStringLiteral("<built>"));
    EXPECT_EQ(QFileInfo(copy.output()).size(), size);
}

TEST(HandbookBuild, WorkbooksGoIntoReportAndAbsentReferenceSourcesBecomeEmptyTables)
{
    HandbookCopy copy;
    QFile::remove(copy.file(QStringLiteral("tables/comunit.csv")));
    QFile::remove(copy.file(QStringLiteral("tables/constdensity.csv")));
    const QByteArray workbook = "{\"sheets\": [{\"name\": \"给水\"}]}";
    copy.write(QStringLiteral("workbooks/w12.json"), workbook);
    copy.write(QStringLiteral("workbooks/manifest.csv"), "Index:INTEGER,lx:INTEGER,file:TEXT\n12,1,w12.json\n");
    copy.write(QStringLiteral("tables/constformula.csv"),
               "id:INTEGER,a:TEXT,b:TEXT,c:TEXT\n0,名称,公式,单位\n1,圆钢,\"0.00617×d×d\",kg/m\n");

    const BuildSummary summary = buildHandbook(copy.root(), copy.output());
    EXPECT_EQ(summary.notes.size(), 2);

    HandbookDatabase db(copy.output());
    QueryDataset query(db);
    query.open(QStringLiteral("SELECT nr, lx FROM Report WHERE \"Index\"=?"), {12});
    ASSERT_EQ(query.recordCount(), 1);
    EXPECT_EQ(query.blob(QStringLiteral("nr")), workbook);
    EXPECT_EQ(query.field(QStringLiteral("lx")).toInt(), 1);
    TableDataset table(db);
    table.open(QStringLiteral("comunit"));
    EXPECT_EQ(table.recordCount(), 0);
    EXPECT_TRUE(table.fieldNames().contains(QStringLiteral("Number")));
    table.open(QStringLiteral("constformula"));
    ASSERT_EQ(table.recordCount(), 2);
    table.next();
    EXPECT_EQ(table.fieldText(2), QStringLiteral("0.00617×d×d"));
}

TEST(CsvSource, QuotingLineBreaksAndBom)
{
    const QByteArray bytes = "\xEF\xBB\xBFid:INTEGER,t:TEXT\r\n1,\"a \"\"quoted\"\", text\"\r\n2,\"two\nlines\"\n3,last";
    const TableSource source = parseTableSource(bytes, QStringLiteral("x.csv"), QStringLiteral("x"));
    ASSERT_EQ(source.records.size(), 3u);
    EXPECT_EQ(source.records[0].values[1], QStringLiteral("a \"quoted\", text"));
    EXPECT_EQ(source.records[1].values[1], QStringLiteral("two\nlines"));
    EXPECT_EQ(source.records[2].line, 5);
}

} // namespace
} // namespace mhbk::handbook
