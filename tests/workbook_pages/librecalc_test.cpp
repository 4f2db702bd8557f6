// Each stored workbook, filled with inputs, written as .xlsx and recalculated by LibreOffice
// (when it is installed) shows the same formula values as the program. Skipped otherwise.

#include "data/database.h"
#include "data/datasets.h"
#include "support/testdb.h"
#include "workbooks/engine/formula.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/export/workbookexport.h"
#include "workbooks/export/xlsformula.h"
#include "workbooks/export/xlswriter.h"
#include "workbooks_export/pyreader.h"
#include "workbooks/pages/reportstore.h"
#include "support/libreoffice.h"
#include "support/missingtool.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <map>

namespace mhbk::workbooks {
namespace {

const int kPages[] = {7, 8, 9, 10, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51};

// Comma-separated rows; quoted fields may hold commas, quotes and line breaks.
std::vector<QStringList> readCsv(const QString &path)
{
    QFile file(path);
    std::vector<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    const QString text = QString::fromUtf8(file.readAll());
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += c, ++i;
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << field;
            field.clear();
        } else if (c == u'\n') {
            row << field;
            field.clear();
            rows.push_back(row);
            row.clear();
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows.push_back(row << field);
    return rows;
}

// Equal as shown, or as numbers within the last shown decimal.
bool sameValue(const QString &ours, const QString &theirs)
{
    if (ours == theirs)
        return true;
    bool ok1 = false, ok2 = false;
    const double a = ours.toDouble(&ok1);
    const double b = theirs.toDouble(&ok2);
    if (!ok1 || !ok2)
        return false;
    const qsizetype point = ours.indexOf(u'.');
    const int decimals = point < 0 ? 0 : int(ours.size() - point - 1);
    return std::fabs(a - b) <= 1.01 * std::pow(10.0, -decimals) + 1e-12;
}

// Types a number into every editable cell, so that the formulas compute something.
void fillInputs(wb::Workbook &book)
{
    wb::Sheet &sheet = book.sheet(0);
    int n = 0;
    for (const wb::CellAddress &cell : sheet.cells()) {
        if (book.isEditable(0, cell.row, cell.col) && !book.value(0, cell.row, cell.col).isText())
            book.setInput(0, cell.row, cell.col, QString::number(2 + (n++ % 5)));
    }
}

// Every workbook page from the shipped database, with numbers typed into its inputs.
void loadFilledPages(std::map<int, wb::Workbook> &books)
{
    test::TestDatabaseCopy copy;
    HandbookDatabase db(copy.path());
    QueryDataset query(db);
    for (int page : kPages) {
        const auto stored = readStoredWorkbook(query, page);
        ASSERT_TRUE(stored) << page;
        wb::LoadError error;
        auto book = wb::loadWorkbook(stored->bytes, &error);
        ASSERT_TRUE(book) << page << error.message.toStdString();
        fillInputs(*book);
        books.emplace(page, std::move(*book));
    }
}

TEST(LibreOfficeRecalculation, ExportedWorkbooksGiveTheProgramsValues)
{
    MHBK_SOFFICE_OR_SKIP(soffice);
    QTemporaryDir dir;
    std::map<int, wb::Workbook> books;
    ASSERT_NO_FATAL_FAILURE(loadFilledPages(books));
    QStringList files;
    for (const auto &[page, book] : books) {
        const QString path = dir.filePath(QStringLiteral("p%1.xlsx").arg(page));
        xlsout::exportWorkbook(book, path, xlsout::ExcelFormat::Xlsx);
        files << path;
    }
    const test::LibreOfficeRun lo = test::convertWithLibreOffice(
        soffice, {dir.filePath(QStringLiteral("profile")), QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"),
                  dir.filePath(QStringLiteral("csv")), true}, files);
    ASSERT_TRUE(lo.finished) << "LibreOffice did not finish";
    for (auto &[page, book] : books) {
        const auto rows = readCsv(dir.filePath(QStringLiteral("csv/p%1.csv").arg(page)));
        ASSERT_FALSE(rows.empty()) << "no CSV for page " << page << ": " << lo.errors.toStdString();
        const wb::Sheet &sheet = book.sheet(0);
        for (const wb::CellAddress &cell : sheet.cells()) {
            if (!sheet.isFormula(cell.row, cell.col))
                continue;
            const QString ours = book.displayText(0, cell.row, cell.col);
            const QString theirs = cell.row < int(rows.size()) && cell.col < rows[cell.row].size()
                                       ? rows[cell.row][cell.col] : QString();
            EXPECT_TRUE(sameValue(ours, theirs))
                << "page " << page << " " << wb::addressText(cell.row, cell.col).toStdString() << ": "
                << ours.toStdString() << " vs " << theirs.toStdString();
        }
    }
}

// What a reader found in one cell of an exported file, against the engine's value.
bool sameAsEngine(const wb::Value &v, const QJsonObject &cell)
{
    switch (v.kind()) {
    case wb::Value::Kind::Number:
        return cell.contains(QStringLiteral("number")) &&
               std::fabs(cell[QStringLiteral("number")].toDouble() - v.asNumber()) <= 1e-9 * std::max(1.0, std::fabs(v.asNumber()));
    case wb::Value::Kind::Text:
        return cell[QStringLiteral("text")].toString() == v.asText() ||
               (v.asText().isEmpty() && cell.contains(QStringLiteral("empty")));
    case wb::Value::Kind::Boolean: // LibreOffice saves a boolean result as 1 or 0
        return (cell.contains(QStringLiteral("boolean")) && cell[QStringLiteral("boolean")].toBool() == v.asBoolean()) ||
               (cell.contains(QStringLiteral("number")) && cell[QStringLiteral("number")].toDouble() == double(v.asBoolean()));
    case wb::Value::Kind::Error:
        return cell[QStringLiteral("error")].toString() == wb::errorText(v.asError()) ||
               cell[QStringLiteral("text")].toString() == wb::errorText(v.asError());
    case wb::Value::Kind::Empty:
        return true;
    }
    return false;
}

// Every formula cell of the page holds a formula in the file and the engine's value (the
// readers' JSON gives it beside the formula, or under "value"); formulas the .xls cannot hold
// are reported as such. Returns how many formulas it compared.
int expectLiveFormulas(int page, const wb::Workbook &book, const QJsonObject &cells, const QString &reader)
{
    const wb::Sheet &sheet = book.sheet(0);
    int checked = 0;
    for (const wb::CellAddress &a : sheet.cells()) {
        if (!sheet.isFormula(a.row, a.col))
            continue;
        ++checked;
        const QJsonObject cell = cells[QStringLiteral("%1,%2").arg(a.row).arg(a.col)].toObject();
        const QString formula = sheet.input(a.row, a.col);
        const wb::ParsedFormula parsed =
            wb::parseFormula(QStringView(formula).mid(1), 0, [&book](const QString &name) { return book.sheetIndex(name); });
        const bool writable = parsed.tree && xlsout::formulaTokens(parsed.tree->root(), xlsout::FormulaPlace{0}).has_value();
        EXPECT_EQ(cell.contains(QStringLiteral("formula")), writable)
            << reader.toStdString() << ", page " << page << " " << wb::addressText(a.row, a.col).toStdString() << ": "
            << formula.toStdString() << (writable ? " lost its formula" : " has no BIFF8 form");
        EXPECT_TRUE(sameAsEngine(sheet.value(a.row, a.col), cell.value(QStringLiteral("value")).isObject()
                                                                   ? cell[QStringLiteral("value")].toObject() : cell))
            << reader.toStdString() << ", page " << page << " " << wb::addressText(a.row, a.col).toStdString() << ": engine "
            << book.displayText(0, a.row, a.col).toStdString() << ", file "
            << QJsonDocument(cell).toJson(QJsonDocument::Compact).toStdString();
    }
    return checked;
}

// Each page's .xls holds live formulas: python3-xlrd decompiles them with the engine's cached
// results, and LibreOffice, given the formulas without results, recalculates the same figures.
TEST(LibreOfficeRecalculation, XlsExportsKeepLiveFormulasOnEveryPage)
{
    MHBK_SOFFICE_OR_SKIP(soffice);
    QTemporaryDir dir;
    std::map<int, wb::Workbook> books;
    ASSERT_NO_FATAL_FAILURE(loadFilledPages(books));
    QStringList bare;
    for (const auto &[page, book] : books) {
        const xlsout::Book description = xlsout::describeWorkbook(book);
        xlsout::writeXlsFile(description, dir.filePath(QStringLiteral("p%1.xls").arg(page)));
        bare << dir.filePath(QStringLiteral("bare%1.xls").arg(page));
        xlsout::writeXlsFile(description, bare.back(), xlsout::XlsOptions{true, false});
    }
    int compared = 0;
    for (const auto &[page, book] : books) {
        READ_OR_SKIP(read, test::runPythonReader(QStringLiteral("read_xls.py"), QStringLiteral("xlrd"),
                                                 {QStringLiteral("--formulas"), dir.filePath(QStringLiteral("p%1.xls").arg(page))}),
                     "python3-xlrd");
        const QJsonObject formulas =
            read[QStringLiteral("sheets")].toArray().at(0).toObject()[QStringLiteral("formulas")].toObject();
        compared += expectLiveFormulas(page, book, formulas, QStringLiteral("xlrd"));
    }
    const test::LibreOfficeRun lo = test::convertWithLibreOffice(
        soffice, {dir.filePath(QStringLiteral("profile")), QStringLiteral("xlsx"), dir.filePath(QStringLiteral("lo")), true}, bare);
    ASSERT_TRUE(lo.finished) << "LibreOffice did not finish";
    for (const auto &[page, book] : books) {
        const QString converted = dir.filePath(QStringLiteral("lo/bare%1.xlsx").arg(page));
        ASSERT_TRUE(QFile::exists(converted)) << "no .xlsx for page " << page << ": " << lo.errors.toStdString();
        READ_OR_SKIP(read, test::runPythonReader(QStringLiteral("read_xlsx.py"), QStringLiteral("openpyxl"), {converted}),
                     "python3-openpyxl");
        compared += expectLiveFormulas(page, book, read[QStringLiteral("sheets")].toArray().at(0).toObject()[QStringLiteral("cells")].toObject(),
                           QStringLiteral("LibreOffice"));
    }
    EXPECT_GT(compared, 2 * 1000); // both readers, over a thousand formulas on the pages
}

} // namespace
} // namespace mhbk::workbooks
