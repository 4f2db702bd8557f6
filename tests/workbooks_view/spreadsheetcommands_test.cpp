#include "viewfixture.h"

#include "common/reporter.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/view/spreadsheetcommands.h"
#include "workbooks/view/spreadsheetview.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace mhbk;
using namespace mhbk::view;

namespace {

class ScriptedPrompt : public SavePathPrompt {
public:
    std::vector<std::optional<QString>> answers;
    int asked = 0;
    std::optional<QString> askSavePath() override { return answers.at(std::size_t(asked++)); }
};

struct Pages {
    QWidget workbookPage, otherPage, emptyPage;
    SpreadsheetView *book;
    Pages()
    {
        book = new SpreadsheetView(&workbookPage);
        book->loadFromData(wb::saveWorkbook(test::priceList()));
        new QLabel(&workbookPage); // a panel after the control, as on the duct pages
        new QLabel(&otherPage);
        new SpreadsheetView(&otherPage); // not the first child
    }
};

TEST(WorkbookCommands, AvailableExactlyWhereTheFirstChildIsASpreadsheet)
{
    Pages pages;
    RecordingReporter reporter;
    WorkbookCommands commands(std::make_unique<ScriptedPrompt>(), reporter, nullptr);
    EXPECT_TRUE(commands.hasSpreadsheet(&pages.workbookPage));
    EXPECT_FALSE(commands.hasSpreadsheet(&pages.otherPage));
    EXPECT_FALSE(commands.hasSpreadsheet(&pages.emptyPage));
    EXPECT_FALSE(commands.hasSpreadsheet(nullptr));
}

TEST(WorkbookCommands, ExportWritesTheChosenFileWithTheUsersEdits)
{
    QTemporaryDir dir;
    Pages pages;
    auto prompt = std::make_unique<ScriptedPrompt>();
    ScriptedPrompt &p = *prompt;
    p.answers = {std::nullopt, dir.filePath(QStringLiteral("a.xls")), dir.filePath(QStringLiteral("b.XLSX"))};
    RecordingReporter reporter;
    WorkbookCommands commands(std::move(prompt), reporter, nullptr);
    pages.book->setCellText(3, 3, QStringLiteral("8"));

    commands.exportExcel(&pages.emptyPage); // no spreadsheet: not even asked
    EXPECT_EQ(p.asked, 0);
    commands.exportExcel(&pages.workbookPage); // cancelled
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    commands.exportExcel(&pages.workbookPage);
    commands.exportExcel(&pages.workbookPage);
    EXPECT_EQ(p.asked, 3);
    QFile xls(dir.filePath(QStringLiteral("a.xls"))), xlsx(dir.filePath(QStringLiteral("b.XLSX")));
    ASSERT_TRUE(xls.open(QIODevice::ReadOnly));
    ASSERT_TRUE(xlsx.open(QIODevice::ReadOnly));
    EXPECT_EQ(xls.read(4), QByteArray("\xD0\xCF\x11\xE0"));
    EXPECT_EQ(xlsx.read(2), QByteArray("PK"));
}

// An entry still being typed is part of what the export writes.
TEST(WorkbookCommands, ExportCommitsTheOpenEditorFirst)
{
    QTemporaryDir dir;
    Pages pages;
    auto prompt = std::make_unique<ScriptedPrompt>();
    prompt->answers = {dir.filePath(QStringLiteral("c.xlsx"))};
    RecordingReporter reporter;
    WorkbookCommands commands(std::move(prompt), reporter, nullptr);
    pages.workbookPage.show();
    pages.book->setCurrentCell(3, 3);
    QTest::keyClick(pages.book, '9');
    ASSERT_TRUE(pages.book->isEditing());
    commands.exportExcel(&pages.workbookPage);
    EXPECT_FALSE(pages.book->isEditing());
    EXPECT_EQ(pages.book->cellText(3, 3), QStringLiteral("9"));
    EXPECT_EQ(pages.book->cellText(3, 4), QStringLiteral("112.50"));
}

// The real dialog: its caption and filters, the suffix a bare name gets, and the last name
// offered again.
TEST(SaveDialogPrompt, OffersXlsFirstAndRemembersTheLastName)
{
    QTemporaryDir dir;
    QWidget window;
    SaveDialogPrompt prompt(&window);
    QFileDialog *d = prompt.dialog();
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setDirectory(dir.path());
    EXPECT_EQ(d->objectName(), QStringLiteral("SaveDialog"));
    EXPECT_EQ(d->windowTitle(), QStringLiteral("另存为Excel文件"));
    EXPECT_EQ(d->nameFilters(), QStringList({QStringLiteral("Excel文件(*.xls)"), QStringLiteral("Excel 2007文件(*.xlsx)")}));
    EXPECT_EQ(d->defaultSuffix(), QStringLiteral("xls"));
    EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);

    QString offered;
    auto answer = [&](const QString &typed) {
        QTimer::singleShot(0, d, [&, typed] {
            auto *edit = d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            offered = edit->text();
            edit->setText(typed);
            QMetaObject::invokeMethod(d, "accept");
        });
    };
    answer(QStringLiteral("报价"));
    const auto first = prompt.askSavePath();
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(QFileInfo(*first).fileName(), QStringLiteral("报价.xls"));
    answer(QStringLiteral("再次"));
    prompt.askSavePath();
    EXPECT_EQ(offered, QStringLiteral("报价.xls"));

    QTimer::singleShot(0, d, [d] { d->reject(); });
    EXPECT_FALSE(prompt.askSavePath().has_value());
}

} // namespace
