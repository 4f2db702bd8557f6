// The figures in exported files equal the engine's: read back by independent readers, and
// recalculated by LibreOffice where it is installed.
#include "pyreader.h"
#include "workbooks_engine/criteriatable.h"

#include "workbooks/engine/formula.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/export/workbookexport.h"
#include "workbooks/export/xlsformula.h"
#include "workbooks/export/xlswriter.h"
#include "workbooks/export/xlsxexport.h"
#include "support/libreoffice.h"
#include "support/missingtool.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace mhbk;

namespace {

// Formulas of the kinds the estimating sheets use, with a parameter sheet referred to by name.
wb::Workbook formulaBook()
{
    wb::Workbook book;
    const int calc = book.addSheet(QStringLiteral("计算"));
    const int par = book.addSheet(QStringLiteral("参数"));
    book.setInput(par, 0, 0, QStringLiteral("7.85"));
    book.setInput(par, 1, 0, QStringLiteral("3.1416"));
    const QStringList constants[] = {{QStringLiteral("10"), QString(), QString(), QStringLiteral("10"), QStringLiteral("a")},
                                     {QStringLiteral("2"), QString(), QString(), QStringLiteral("15"), QStringLiteral("b")},
                                     {QString(), QString(), QString(), QStringLiteral("20"), QStringLiteral("c")}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < constants[r].size(); ++c)
            if (!constants[r][c].isEmpty())
                book.setInput(calc, r, c, constants[r][c]);
    const QStringList formulas = {
        "=ROUND(参数!A2*(A1/2)^2*参数!A1/1000,6)", "=B1*A2", "=SUM(A1:B2)", "=IF(B3>10,\"大\",\"小\")",
        "=CONCATENATE(\"直径\",A1,\"mm\")", "=MID(\"焊接钢管DN20\",3,2)", "=LEN(\"焊接钢管\")", "=VLOOKUP(15,D1:E3,2)",
        "=IFERROR(1/0,-1)", "=1/0", "=TEXT(B1,\"0.00\")", "=50%*A1", "=-2^2", "=2^3^2", "=MOD(-7,3)",
        "=ROUNDUP(2.341,1)", "=INT(-2.5)", "=AND(A1>5,A2<3)", "=SUMPRODUCT(A1:A2,A1:A2)", "=INDEX(D1:E3,2,2)",
        "=MATCH(20,D1:D3,0)", "=AVERAGE(A1:A2)", "=MAX(D1:D3)", "=SQRT(2)", "=PI()*A1", "=COUNTIF(D1:D3,\">12\")",
        "=SUMIF(D1:D3,\">12\",D1:D3)", "=FLOOR(7.5,2)", "=CEILING(7.1,0.5)", "=\"a\"&TRUE", "=LOG10(1000)",
        "=DEGREES(PI())", "=ISBLANK(C1)", "=VALUE(\"12.5\")*2", "=POWER(2,10)", "=ROUNDDOWN(-2.567,2)",
        "=TRUNC(-8.9)", "=EXP(1)*LN(10)", "=HLOOKUP(10,D1:E3,3,FALSE)", "=MIN(D1:D3,A2)", "=COUNTA(D1:E3)",
        "=LEFT(\"镀锌钢管\",2)&RIGHT(\"ab\",1)", "=ISNUMBER(E1)", "=CHOOSE(2,\"x\",\"y\")", "=ISNUMBER(E9)",
        "=SIN(RADIANS(30))+COS(0)+TAN(0)", "=ABS(-3)*PRODUCT(2,3)", "=OR(FALSE,NOT(TRUE))", "=COUNT(A1:E3)",
        // Equal in their first 15 significant digits, so equal (F1 holds 0.3).
        "=0.1+0.2=0.3", "=0.1+0.2<>0.3", "=MATCH(0.1+0.2,F1:F1,0)", "=VLOOKUP(0.1+0.2,F1:F1,1,FALSE)",
        "=COUNTIF(F1,0.1+0.2)", "=IF(1.1*3=3.3,\"同\",\"异\")", "=0.1+0.2>0.3", "=1+1E-13=1",
        "=SUMPRODUCT(--EXACT(E1:E3,\"B\"),D1:D3)", "=SUMPRODUCT(--EXACT(E1:E3,\"b\"),D1:D3)",
    };
    book.setInput(calc, 0, 5, QStringLiteral("0.3"));
    for (int i = 0; i < formulas.size(); ++i)
        book.setInput(calc, i, 1, formulas[i]);
    return book;
}

struct Mismatch {
    QString where, expected, actual;
};

QString describe(const QJsonObject &cell)
{
    return QString::fromUtf8(QJsonDocument(cell).toJson(QJsonDocument::Compact));
}

// Compares every formula cell (or every cell) of the book with a reader's JSON. Booleans may
// come back as 1/0 and errors as their text from readers that do not know the types.
std::vector<Mismatch> compare(const wb::Workbook &book, const QJsonObject &read, bool formulasOnly,
                              const QStringList &skip = {})
{
    std::vector<Mismatch> out;
    const QJsonArray sheets = read[QStringLiteral("sheets")].toArray();
    for (int s = 0; s < book.sheetCount(); ++s) {
        const wb::Sheet &sheet = book.sheet(s);
        const QJsonObject cells = sheets.at(s).toObject()[QStringLiteral("cells")].toObject();
        for (const wb::CellAddress &a : sheet.cells()) {
            if (formulasOnly && !sheet.isFormula(a.row, a.col))
                continue;
            const wb::Value v = sheet.value(a.row, a.col);
            const QJsonObject c = cells[QStringLiteral("%1,%2").arg(a.row).arg(a.col)].toObject();
            bool ok = false;
            QString expected;
            switch (v.kind()) {
            case wb::Value::Kind::Number:
                expected = QString::number(v.asNumber(), 'g', 17);
                ok = c.contains(QStringLiteral("number")) &&
                     std::abs(c[QStringLiteral("number")].toDouble() - v.asNumber()) <= 1e-12 * std::max(1.0, std::abs(v.asNumber()));
                break;
            case wb::Value::Kind::Text:
                expected = v.asText();
                ok = c[QStringLiteral("text")].toString() == v.asText() && c.contains(QStringLiteral("text"));
                break;
            case wb::Value::Kind::Boolean:
                expected = v.asBoolean() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
                ok = (c.contains(QStringLiteral("boolean")) && c[QStringLiteral("boolean")].toBool() == v.asBoolean()) ||
                     (c.contains(QStringLiteral("number")) && c[QStringLiteral("number")].toDouble() == double(v.asBoolean()));
                break;
            case wb::Value::Kind::Error:
                expected = wb::errorText(v.asError());
                ok = c[QStringLiteral("error")].toString() == expected || c[QStringLiteral("text")].toString() == expected;
                break;
            case wb::Value::Kind::Empty:
                ok = true;
                break;
            }
            const QString where = sheet.name() + QLatin1Char('!') + wb::addressText(a.row, a.col);
            if (!ok && !skip.contains(where))
                out.push_back({where, expected, describe(c)});
        }
    }
    return out;
}

void expectNoMismatch(const std::vector<Mismatch> &mismatches)
{
    for (const Mismatch &m : mismatches)
        ADD_FAILURE() << m.where.toStdString() << ": engine " << m.expected.toStdString() << ", file "
                      << m.actual.toStdString();
}

// The description carries the engine's parse of every formula, shared down a column and read
// at the cell's own row: its tokens are those of the cell's own text parsed where it stands.
TEST(EngineExport, EveryFormulaCarriesTheEnginesParseForItsRow)
{
    wb::Workbook book = formulaBook();
    const int calc = book.sheetIndex(QStringLiteral("计算"));
    for (int r = 0; r < 30; ++r) {
        book.setInput(calc, 10 + r, 0, QString::number(r * 1.5));
        book.setInput(calc, 10 + r, 1, QStringLiteral("=A%1*参数!$A$1+SUM($A$11:A%1)-A%2").arg(11 + r).arg(10 + r));
    }
    const xlsout::Book description = xlsout::describeWorkbook(book);
    int shared = 0;
    for (std::size_t s = 0; s < description.sheets.size(); ++s) {
        for (const xlsout::Cell &c : description.sheets[s].cells) {
            if (c.formula.isEmpty())
                continue;
            ASSERT_NE(c.parsed, nullptr) << c.formula.toStdString();
            shared += c.parsedRowOffset != 0;
            const xlsout::FormulaPlace place{int(s)};
            const wb::ParsedFormula own = wb::parseFormula(
                QStringView(c.formula).mid(1), int(s), [&book](const QString &name) { return book.sheetIndex(name); });
            ASSERT_TRUE(own.tree) << c.formula.toStdString();
            EXPECT_EQ(xlsout::formulaTokens(*c.parsed, place, c.parsedRowOffset), xlsout::formulaTokens(own.tree->root(), place))
                << wb::addressText(c.row, c.col).toStdString() << " " << c.formula.toStdString();
        }
    }
    EXPECT_GE(shared, 28);   // the column shares one parse
}

TEST(EngineExport, XlsHoldsTheEnginesFigures)
{
    QTemporaryDir dir;
    const wb::Workbook book = formulaBook();
    xlsout::exportWorkbook(book, dir.filePath(QStringLiteral("book.xls")), xlsout::ExcelFormat::Xls);
    READ_OR_SKIP(read, test::runPythonReader(QStringLiteral("read_xls.py"), QStringLiteral("xlrd"),
                                             {dir.filePath(QStringLiteral("book.xls"))}),
                 "python3-xlrd");
    expectNoMismatch(compare(book, read, false));
}

TEST(EngineExport, XlsxHoldsTheEnginesFiguresAndFormulas)
{
    QTemporaryDir dir;
    const wb::Workbook book = formulaBook();
    xlsout::exportWorkbook(book, dir.filePath(QStringLiteral("book.xlsx")), xlsout::ExcelFormat::Xlsx);
    READ_OR_SKIP(read, test::runPythonReader(QStringLiteral("read_xlsx.py"), QStringLiteral("openpyxl"),
                                             {dir.filePath(QStringLiteral("book.xlsx"))}),
                 "python3-openpyxl");
    expectNoMismatch(compare(book, read, false));
    const QJsonObject cells = read[QStringLiteral("sheets")].toArray().at(0).toObject()[QStringLiteral("cells")].toObject();
    EXPECT_EQ(cells[QStringLiteral("0,1")].toObject()[QStringLiteral("formula")].toString(),
              QStringLiteral("ROUND(参数!A2*(A1/2)^2*参数!A1/1000,6)"));
}

// Converts `input` to .xlsx in dir/out with LibreOffice, which recalculates on load whatever
// wrote the file. Returns the converted file.
QString recalculateWithLibreOffice(const QString &soffice, const QTemporaryDir &dir, const QString &input)
{
    const QString outDir = dir.filePath(QStringLiteral("out"));
    const test::LibreOfficeRun lo = test::convertWithLibreOffice(
        soffice, {dir.filePath(QStringLiteral("profile")), QStringLiteral("xlsx"), outDir, true}, {input});
    if (!lo.succeeded())
        ADD_FAILURE() << "LibreOffice failed: " << lo.errors.toStdString();
    return outDir + QLatin1Char('/') + QFileInfo(input).completeBaseName() + QStringLiteral(".xlsx");
}

// LibreOffice opens the exported .xlsx with no cached results, recalculates every formula and
// saves it again; its results must be the engine's. It must also read our .xls as formulas and
// recalculate them to the same figures. Skipped when LibreOffice is not installed.
TEST(EngineExport, LibreOfficeRecalculatesTheSameFigures)
{
    MHBK_SOFFICE_OR_SKIP(soffice);
    if (test::pythonWith(QStringLiteral("openpyxl")).isEmpty())
        MHBK_SKIP_WITHOUT("python3-openpyxl");
    QTemporaryDir dir;
    const wb::Workbook book = formulaBook();
    xlsout::writeXlsxFile(xlsout::describeWorkbook(book), dir.filePath(QStringLiteral("recalc.xlsx")), xlsout::XlsxOptions{false});
    // Without cached results, LibreOffice's figures are its own recalculation of our tokens.
    xlsout::writeXlsFile(xlsout::describeWorkbook(book), dir.filePath(QStringLiteral("values.xls")),
                         xlsout::XlsOptions{true, false});
    const QString recalculated = recalculateWithLibreOffice(soffice, dir, dir.filePath(QStringLiteral("recalc.xlsx")));
    const QString fromXls = recalculateWithLibreOffice(soffice, dir, dir.filePath(QStringLiteral("values.xls")));
    READ_OR_SKIP(read, test::runPythonReader(QStringLiteral("read_xlsx.py"), QStringLiteral("openpyxl"), {recalculated}),
                 "python3-openpyxl");
    // LibreOffice joins TRUE to a text as "1"; Excel, like the engine, gives "aTRUE".
    expectNoMismatch(compare(book, read, true, {QStringLiteral("计算!B30")}));
    READ_OR_SKIP(readXls, test::runPythonReader(QStringLiteral("read_xlsx.py"), QStringLiteral("openpyxl"), {fromXls}),
                 "python3-openpyxl");
    expectNoMismatch(compare(book, readXls, false, {QStringLiteral("计算!B30")}));
    const QJsonObject cells = readXls[QStringLiteral("sheets")].toArray().at(0).toObject()[QStringLiteral("cells")].toObject();
    for (const wb::CellAddress &a : book.sheet(0).cells()) {
        if (book.sheet(0).isFormula(a.row, a.col)) {
            EXPECT_TRUE(cells[QStringLiteral("%1,%2").arg(a.row).arg(a.col)].toObject().contains(QStringLiteral("formula")))
                << wb::addressText(a.row, a.col).toStdString() << " lost its formula";
        }
    }
}

// LibreOffice's recalculation of the criteria table gives the engine's COUNTIF and SUMIF figures.
TEST(EngineExport, LibreOfficeReadsTheCriteriaAsTheEngine)
{
    MHBK_SOFFICE_OR_SKIP(soffice);
    if (test::pythonWith(QStringLiteral("openpyxl")).isEmpty())
        MHBK_SKIP_WITHOUT("python3-openpyxl");
    QTemporaryDir dir;
    const wb::Workbook book = wb::test::criteriaBook(wb::test::libreOfficeCases(), wb::test::libreOfficeTruthCases());
    xlsout::writeXlsxFile(xlsout::describeWorkbook(book), dir.filePath(QStringLiteral("criteria.xlsx")),
                          xlsout::XlsxOptions{false});
    const QString recalculated = recalculateWithLibreOffice(soffice, dir, dir.filePath(QStringLiteral("criteria.xlsx")));
    READ_OR_SKIP(read, test::runPythonReader(QStringLiteral("read_xlsx.py"), QStringLiteral("openpyxl"), {recalculated}),
                 "python3-openpyxl");
    expectNoMismatch(compare(book, read, true));
}

} // namespace
