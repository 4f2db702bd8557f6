// Every workbook page prints as planned: headings repeat, no heading ends a page, no page
// starts with notes, and LibreOffice prints the exported .xls and .xlsx on as many pages as
// the program's own printout (when it is installed; under CI=true it must be).

#include "data/database.h"
#include "data/datasets.h"
#include "support/libreoffice.h"
#include "support/missingtool.h"
#include "support/testdb.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/export/workbookexport.h"
#include "workbooks/pages/reportstore.h"
#include "workbooks/view/sheetprint.h"

#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace mhbk::workbooks {
namespace {

const int kPages[] = {7, 8, 9, 10, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51};

std::map<int, wb::Workbook> storedBooks()
{
    test::TestDatabaseCopy copy;
    HandbookDatabase db(copy.path());
    QueryDataset query(db);
    std::map<int, wb::Workbook> books;
    for (int page : kPages) {
        const auto stored = readStoredWorkbook(query, page);
        wb::LoadError error;
        auto book = stored ? wb::loadWorkbook(stored->bytes, &error) : std::nullopt;
        if (book)
            books.emplace(page, std::move(*book));
        else
            ADD_FAILURE() << "page " << page << ": " << error.message.toStdString();
    }
    return books;
}

// The program's own printout of the page, as the preview and the printer draw it.
int printedPages(const wb::Workbook &book, const QString &pdfPath)
{
    QPdfWriter pdf(pdfPath);
    pdf.setResolution(150);
    view::applyPageSetup(book, 0, pdf);
    return view::printSheet(book, 0, pdf);
}

// Page objects of a PDF as LibreOffice writes it (no object streams); -1 when unreadable.
int pdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s])"));
    const QString text = QString::fromLatin1(file.readAll());
    int n = 0;
    for (auto it = page.globalMatch(text); it.hasNext(); it.next())
        ++n;
    return n;
}

bool filled(const wb::Sheet &sheet, int row)
{
    for (int c = 0; c < sheet.columnCount(); ++c)
        if (sheet.value(row, c).kind() != wb::Value::Kind::Empty)
            return true;
    return false;
}

bool listed(const std::vector<int> &rows, int row) { return std::binary_search(rows.begin(), rows.end(), row); }

// The first filled row at or after `row`, within `last`.
int firstFilled(const wb::Sheet &sheet, int row, int last)
{
    while (row < last && !filled(sheet, row))
        ++row;
    return row;
}

TEST(WorkbookPrinting, EveryPageBreaksCleanlyAndStartsWithHeadings)
{
    const auto books = storedBooks();
    int continued = 0;
    for (const auto &[page, book] : books) {
        const wb::Sheet &sheet = book.sheet(0);
        const wb::PageSetup &setup = sheet.pageSetup();
        EXPECT_EQ(setup.footer, QStringLiteral("第 &P 页 共 &N 页")) << page;
        const wb::PrintPlan plan = wb::planPrint(sheet, wb::printableArea(setup));
        ASSERT_FALSE(plan.pages.empty()) << page;
        for (std::size_t i = 1; i < plan.pages.size(); ++i) {
            ++continued;
            const wb::CellRange &p = plan.pages[i];
            EXPECT_FALSE(listed(setup.keepWithNext, plan.pages[i - 1].lastRow))
                << "page " << page << ": a heading ends sheet page " << i;
            const int first = firstFilled(sheet, p.firstRow, p.lastRow);
            EXPECT_FALSE(listed(setup.noteRows, first)) << "page " << page << ": sheet page " << i + 1 << " starts with notes";
            // Headings on top: the repeated ones, or the page begins a section with its own.
            EXPECT_TRUE(plan.withTitles[i] || listed(setup.keepWithNext, first))
                << "page " << page << ": sheet page " << i + 1 << " has no headings";
        }
    }
    EXPECT_GE(continued, 3);
}

// Pages 35 and 36 ask for the project name: the cell right of the label takes it, and it goes
// into the export like any other cell.
TEST(WorkbookPrinting, LedgerPagesHaveACellForTheProjectName)
{
    auto books = storedBooks();
    for (int page : {35, 36}) {
        wb::Workbook &book = books.at(page);
        const wb::Sheet &sheet = book.sheet(0);
        int label = -1;
        for (int c = 0; c < sheet.columnCount() && label < 0; ++c)
            if (sheet.value(1, c).isText() && sheet.value(1, c).asText().endsWith(QStringLiteral("工程名称：")))
                label = c;
        ASSERT_GE(label, 0) << page;
        int cell = label + 1;
        for (const wb::CellRange &m : sheet.merges())
            if (m.firstRow == 1 && m.firstCol == label)
                cell = m.lastCol + 1;
        ASSERT_TRUE(book.isEditable(0, 1, cell)) << page;
        EXPECT_TRUE(book.setInput(0, 1, cell, QStringLiteral("某住宅楼给排水工程")).ok) << page;
        const xlsout::Book out = xlsout::describeWorkbook(book);
        const auto &cells = out.sheets.at(0).cells;
        EXPECT_TRUE(std::any_of(cells.begin(), cells.end(), [&](const xlsout::Cell &c) {
            return c.row == 1 && c.col == cell && c.value.text == QStringLiteral("某住宅楼给排水工程");
        })) << page;
    }
}

// 80 rows of which 48 fit a page; rows 21-48 go with the next one, so the program breaks
// after row 20 and prints three pages where two would hold the rows: another program prints
// three only when it follows the exported breaks.
wb::Workbook earlyBreaks()
{
    wb::Workbook book;
    book.addSheet(QStringLiteral("表"));
    for (int r = 0; r < 80; ++r) {
        book.setInput(0, r, 0, QStringLiteral("第%1行").arg(r + 1));
        book.sheet(0).setRowHeight(r, 15);
    }
    wb::PageSetup &setup = book.sheet(0).pageSetup();
    setup.marginLeft = setup.marginRight = 0.5;
    setup.marginTop = setup.marginBottom = 0.6;
    setup.footer = QStringLiteral("第 &P 页 共 &N 页");
    for (int r = 20; r < 48; ++r)
        setup.keepWithNext.push_back(r);
    return book;
}

TEST(WorkbookPrinting, LibreOfficePrintsTheExportsOnAsManyPagesAsThePreview)
{
    MHBK_SOFFICE_OR_SKIP(soffice);
    QTemporaryDir dir;
    auto books = storedBooks();
    books.emplace(0, earlyBreaks());
    // Page 7 with text far below its table: the pages between would hold only the headings.
    wb::Workbook farText = std::move(storedBooks().at(7));
    farText.setInput(0, 119, 0, QStringLiteral("A120 的文字"));
    farText.setInput(0, 199, 1, QStringLiteral("B200 的文字"));
    books.emplace(1007, std::move(farText));
    std::map<int, int> preview;
    QStringList files;
    for (const auto &[page, book] : books) {
        preview[page] = printedPages(book, dir.filePath(QStringLiteral("preview%1.pdf").arg(page)));
        const QString xls = dir.filePath(QStringLiteral("p%1_xls.xls").arg(page));
        const QString xlsx = dir.filePath(QStringLiteral("p%1_xlsx.xlsx").arg(page));
        xlsout::exportWorkbook(book, xls, xlsout::ExcelFormat::Xls);
        xlsout::exportWorkbook(book, xlsx, xlsout::ExcelFormat::Xlsx);
        files << xls << xlsx;
    }
    const test::LibreOfficeRun lo = test::convertWithLibreOffice(
        soffice, {dir.filePath(QStringLiteral("profile")), QStringLiteral("pdf"), dir.filePath(QStringLiteral("pdf"))}, files);
    ASSERT_TRUE(lo.finished) << "LibreOffice did not finish";
    EXPECT_EQ(preview[0], 3);
    EXPECT_EQ(preview[1007], 3); // the table's page, A120's and B200's
    int multiPage = 0;
    for (const auto &[page, count] : preview) {
        EXPECT_GE(count, 1) << page;
        multiPage += count > 1;
        for (const char *kind : {"xls", "xlsx"})
            EXPECT_EQ(pdfPageCount(dir.filePath(QStringLiteral("pdf/p%1_%2.pdf").arg(page).arg(QLatin1String(kind)))), count)
                << "page " << page << " as ." << kind << ": " << lo.errors.toStdString();
    }
    EXPECT_GE(multiPage, 3); // the comparison covers continuation pages, not only single pages
}

} // namespace
} // namespace mhbk::workbooks
