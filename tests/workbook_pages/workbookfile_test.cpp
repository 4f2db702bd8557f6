// The .mhbk files of filled workbook pages: a round trip keeps every typed cell and the page,
// and every kind of file that is not one is refused with a message saying what is wrong.
#include "common/errors.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/pages/workbookfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mhbk::workbooks {
namespace {

wb::Workbook smallBook()
{
    wb::LoadError error;
    auto book = wb::loadWorkbook(R"({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "表1",
        "cells": {"A1": 2, "B1": "=A1*3", "C1": "钢管"}}]})",
                                 &error);
    EXPECT_TRUE(book) << error.message.toStdString();
    return std::move(*book);
}

TEST(WorkbookFile, RoundTripKeepsThePageAndTheTypedCells)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("保温.mhbk"));
    wb::Workbook book = smallBook();
    book.setInput(0, 0, 0, QStringLiteral("5"));
    writePageWorkbookFile(path, 7, book);
    const PageWorkbook opened = readPageWorkbookFile(path);
    EXPECT_EQ(opened.pageIndex, 7);
    EXPECT_EQ(opened.book.displayText(0, 0, 1), QStringLiteral("15"));
    EXPECT_EQ(opened.book.displayText(0, 0, 2), QStringLiteral("钢管"));
}

TEST(WorkbookFile, AFailedWriteLeavesTheEarlierFile)
{
    QTemporaryDir dir;
    EXPECT_THROW(writePageWorkbookFile(dir.filePath(QStringLiteral("no/such/folder/a.mhbk")), 7, smallBook()), AppError);
    const QString path = dir.filePath(QStringLiteral("a.mhbk"));
    writePageWorkbookFile(path, 7, smallBook());
    QFile(path).setPermissions(QFileDevice::ReadOwner);
    QFile(dir.path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    try {
        writePageWorkbookFile(path, 8, smallBook());
    } catch (const AppError &) {
        // expected unless running as root, which writes anyway
    }
    QFile(dir.path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const int page = readPageWorkbookFile(path).pageIndex;
    EXPECT_TRUE(page == 7 || page == 8); // one whole file or the other, never half
}

struct RefusedCase {
    const char *label;
    QByteArray bytes;
    const char *says;
};

class RefusedFile : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedFile, SaysWhatIsWrongAndWhatToDo)
{
    try {
        readPageWorkbook(GetParam().bytes, QStringLiteral("/tmp/x.mhbk"));
        ADD_FAILURE() << "accepted";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("无法打开文件“/tmp/x.mhbk”："))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QString::fromUtf8(GetParam().says))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("请"))) << "no advice: " << e.message().toStdString();
    }
}

const QByteArray kGoodWorkbook = R"({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "S"}]})";

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFile,
    ::testing::Values(
        RefusedCase{"Binary", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8), "不是本程序保存的工作簿文件"},
        RefusedCase{"Empty", QByteArray(), "不是本程序保存的工作簿文件"},
        RefusedCase{"OtherJson", R"({"name": "x"})", "不是本程序保存的工作簿文件"},
        RefusedCase{"BareWorkbook", kGoodWorkbook, "不是本程序保存的工作簿文件"},
        RefusedCase{"CutShort", R"({"format": "mhbk-page-workbook", "version": 1, "pa)", "文件已损坏"},
        RefusedCase{"Newer", R"({"format": "mhbk-page-workbook", "version": 9, "page": "page_zyb", "workbook": {}})",
                    "较新版本"},
        RefusedCase{"UnknownPage",
                    R"({"format": "mhbk-page-workbook", "version": 1, "page": "page_none", "workbook": )" + kGoodWorkbook + "}",
                    "page_none"},
        RefusedCase{"NotAWorkbookPage",
                    R"({"format": "mhbk-page-workbook", "version": 1, "page": "Page_comunit", "workbook": )" + kGoodWorkbook
                        + "}",
                    "不是本程序的工作簿页面"},
        RefusedCase{"NoWorkbook", R"({"format": "mhbk-page-workbook", "version": 1, "page": "page_zyb"})", "缺少工作簿内容"},
        RefusedCase{"BadFormula",
                    R"({"format": "mhbk-page-workbook", "version": 1, "page": "page_zyb", "workbook": {"format": "mhbk-workbook",
                        "version": 1, "sheets": [{"name": "S", "cells": {"A1": "=SUM(("}}]}})",
                    "文件已损坏"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(WorkbookFile, AMissingFileIsNamed)
{
    try {
        readPageWorkbookFile(QStringLiteral("/nonexistent/a.mhbk"));
        ADD_FAILURE() << "accepted";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("文件不存在"))) << e.message().toStdString();
    }
}

// The file is the stored workbook in a small wrapper, not the workbook re-indented (which made
// a large ledger four times as long as its stored form).
TEST(WorkbookFile, TheWrapperKeepsTheWorkbookCompact)
{
    wb::Workbook book = smallBook();
    for (int row = 0; row < 2000; ++row)
        book.setInput(0, row, 3, QStringLiteral("第 %1 行").arg(row));
    const QByteArray bytes = pageWorkbookBytes(7, book);
    EXPECT_FALSE(bytes.contains('\n'));
    EXPECT_LT(bytes.size(), wb::saveWorkbook(book).size() + 200);
}

// The largest workbook the program writes is one it opens: the largest file within the limit is
// written and read back (and so is one padded to the limit exactly); a workbook one character
// longer is not written, the earlier file is kept, and a file over the limit is refused.
TEST(WorkbookFile, WhatIsWrittenOpensAgainUpToTheLimit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("满.mhbk"));
    wb::Workbook book = smallBook();
    const auto withText = [&](qint64 length) {
        book.setInput(0, 1, 0, QString(static_cast<qsizetype>(length), QLatin1Char('t')));
        return static_cast<qint64>(pageWorkbookBytes(7, book).size());
    };
    const qint64 base = withText(1);
    const qint64 perCharacter = withText(2) - base;
    ASSERT_GE(perCharacter, 1);
    const qint64 largest = 1 + (kMaxWorkbookFileBytes - base) / perCharacter;
    withText(largest);
    writePageWorkbookFile(path, 7, book);
    ASSERT_LE(QFileInfo(path).size(), kMaxWorkbookFileBytes);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray(static_cast<qsizetype>(kMaxWorkbookFileBytes - file.size()), ' '));
    }
    ASSERT_EQ(QFileInfo(path).size(), kMaxWorkbookFileBytes);
    EXPECT_EQ(readPageWorkbookFile(path).book.displayText(0, 1, 0).size(), largest);

    book.setInput(0, 1, 0, QString(static_cast<qsizetype>(largest + 1), QLatin1Char('t')));
    try {
        writePageWorkbookFile(path, 7, book);
        ADD_FAILURE() << "a workbook over the limit was written";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("超过本程序能打开的 64 MB"))) << e.message().toStdString();
    }
    EXPECT_EQ(QFileInfo(path).size(), kMaxWorkbookFileBytes) << "the earlier file is kept";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(" ");
    }
    try {
        readPageWorkbookFile(path);
        ADD_FAILURE() << "a file over the limit was opened";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("文件超过 64 MB"))) << e.message().toStdString();
    }
}

} // namespace
} // namespace mhbk::workbooks
