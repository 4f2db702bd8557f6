// Formulas in the .xls file: the token arrays decompiled by python3-xlrd (which carries Excel's
// function table), the cached results, and the formulas that keep their value only.
#include "pyreader.h"

#include "workbooks/engine/functions.h"
#include "workbooks/engine/formula.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/export/workbookexport.h"
#include "workbooks/export/xlsformula.h"
#include "workbooks/export/xlswriter.h"
#include "workbooks/export/xlsxexport.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace mhbk;

namespace {

const QString kParams = QStringLiteral("参 数");

// A sheet with A1=10, A2=2, A3="钢" and a second sheet whose A1=7.85, A2=3; formulas go to
// column B of the first sheet, one a row.
wb::Workbook bookWith(const QStringList &formulas)
{
    wb::Workbook book;
    const int calc = book.addSheet(QStringLiteral("计算"));
    const int par = book.addSheet(kParams);
    book.setInput(calc, 0, 0, QStringLiteral("10"));
    book.setInput(calc, 1, 0, QStringLiteral("2"));
    book.setInput(calc, 2, 0, QStringLiteral("钢"));
    book.setInput(par, 0, 0, QStringLiteral("7.85"));
    book.setInput(par, 1, 0, QStringLiteral("3"));
    for (int i = 0; i < formulas.size(); ++i)
        book.setInput(calc, i, 1, formulas[i]);
    return book;
}

std::optional<QJsonObject> formulasOf(const QString &path)
{
    return test::runPythonReader(QStringLiteral("read_xls.py"), QStringLiteral("xlrd"), {QStringLiteral("--formulas"), path});
}

QJsonObject firstSheetFormulas(const QJsonObject &read)
{
    return read[QStringLiteral("sheets")].toArray().at(0).toObject()[QStringLiteral("formulas")].toObject();
}

QString key(int row, int col) { return QStringLiteral("%1,%2").arg(row).arg(col); }

// What xlrd reads as the cached result, in the engine's terms.
QString shown(const QJsonObject &v)
{
    if (v.contains(QStringLiteral("number")))
        return QString::number(v[QStringLiteral("number")].toDouble(), 'g', 15);
    if (v.contains(QStringLiteral("boolean")))
        return v[QStringLiteral("boolean")].toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (v.contains(QStringLiteral("error")))
        return QStringLiteral("error ") + v[QStringLiteral("error")].toString();
    return QStringLiteral("text ") + v[QStringLiteral("text")].toString();
}

QString shown(const wb::Value &v)
{
    switch (v.kind()) {
    case wb::Value::Kind::Number: return QString::number(v.asNumber(), 'g', 15);
    case wb::Value::Kind::Boolean: return v.asBoolean() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case wb::Value::Kind::Error: return QStringLiteral("error ") + wb::errorText(v.asError());
    case wb::Value::Kind::Text: return QStringLiteral("text ") + v.asText();
    case wb::Value::Kind::Empty: break;
    }
    return QStringLiteral("0");
}

class XlsFormulas : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir_.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir_;
};

// Every kind of token the writer makes, as xlrd decompiles it (xlrd prints numbers as floats,
// places its own parentheses and writes a one-cell 3-D reference as a range), and every kind
// of cached result.
TEST_F(XlsFormulas, TokensDecompileAsWrittenWithTheirResults)
{
    const struct {
        const char *formula;
        const char *decompiled;
    } cases[] = {
        {"=A1+A2", "A1+A2"},
        {"=$A$1*A$2-$A2/A1", "$A$1*A$2-$A2/A1"},
        {"=SUM(A1:A2)", "SUM(A1:A2)"},
        {"=SUM($A$1:A$2)", "SUM($A$1:A$2)"},
        {"=SUM(A:A)", "SUM(A1:A65536)"},
        {"='参 数'!A1*A1", "'参 数'!A1:A1*A1"},
        {"=SUM('参 数'!A1:A2)", "SUM('参 数'!A1:A2)"},
        {"='参 数'!$A$2", "'参 数'!$A$2"},
        {"=-A1", "-A1"},
        {"=+A1", "+A1"},
        {"=50%*A1", "50.0%*A1"},
        {"=(A1+A2)*3", "(A1+A2)*3.0"},
        {"=2^3^2", "2.0^3.0^2.0"},
        {"=A1&A3", "A1&A3"},
        {"=\"直径\"&A1", "\"直径\"&A1"},
        {"=A1=10", "A1=10.0"},
        {"=A1<>10", "A1<>10.0"},
        {"=A1<2", "A1<2.0"},
        {"=A1<=2", "A1<=2.0"},
        {"=A1>2", "A1>2.0"},
        {"=A1>=2", "A1>=2.0"},
        {"=1.5E-3*1000000", "0.0015*1000000.0"},
        {"=70000", "70000.0"},
        {"=TRUE", "TRUE"},
        {"=FALSE", "FALSE"},
        {"=#DIV/0!", "\"#DIV/0!\""},
        {"=1/0", "1.0/0.0"},
        {"=\"\"", "\"\""},
        {"=IF(A1>5,\"大\",\"小\")", "IF(A1>5.0,\"大\",\"小\")"},
        {"=IF(A1>5,,2)", "IF(A1>5.0,,2.0)"},
        {"=IFERROR(1/0,-1)", "IF(ISERROR(1.0/0.0),-1.0,1.0/0.0)"},
        {"=ROUND(A1/3,2)", "ROUND(A1/3.0,2.0)"},
        {"=PI()", "PI()"},
        {"=SUMPRODUCT(A1:A2*A1:A2)", "SUMPRODUCT(A1:A2*A1:A2)"},
        {"=INDEX(A1:A3,2)", "INDEX(A1:A3,2.0)"},
        {"=VLOOKUP(2,A1:A3,1,FALSE)", "VLOOKUP(2.0,A1:A3,1.0,FALSE)"},
        {"=ISBLANK(C1)", "ISBLANK(C1)"},
        {"=NA()", "NA()"},
    };
    QStringList formulas;
    for (const auto &c : cases)
        formulas << QString::fromUtf8(c.formula);
    const wb::Workbook book = bookWith(formulas);
    xlsout::exportWorkbook(book, path("tokens.xls"), xlsout::ExcelFormat::Xls);
    READ_OR_SKIP(read, formulasOf(path("tokens.xls")), "python3-xlrd");
    const QJsonObject cells = firstSheetFormulas(read);
    for (int i = 0; i < formulas.size(); ++i) {
        SCOPED_TRACE(cases[i].formula);
        const QJsonObject cell = cells[key(i, 1)].toObject();
        ASSERT_FALSE(cell.isEmpty()) << "no FORMULA record";
        EXPECT_EQ(cell[QStringLiteral("formula")].toString().toStdString(), cases[i].decompiled);
        EXPECT_EQ(shown(cell[QStringLiteral("value")].toObject()), shown(book.value(0, i, 1)));
    }
}

// xlrd drops tParen and shows only which parts of a reference are absolute; the bytes show both.
TEST_F(XlsFormulas, ParenthesesAndDollarSignsAreKeptAsTyped)
{
    const struct {
        const char *formula;
        const char *hex;
    } cases[] = {
        {"(A1)", "440000" "00c0" "15"},      // tRefV, both parts relative, tParen
        {"$A$1", "440000" "0000"},           // absolute row and column
        {"A$1", "440000" "0040"},            // column relative only
        {"$B1", "440000" "0180"},            // row relative only
        {"((1))", "1e0100" "15" "15"},       // tInt 1 in two pairs
        {"-(2)", "1e0200" "15" "13"},        // the parentheses belong to the operand
        {"SUM(A1:$B$2)", "25" "0000" "0100" "00c0" "0100" "420104" "00"}, // tAreaR, tFuncVarV SUM
    };
    for (const auto &c : cases) {
        const wb::ParsedFormula parsed = wb::parseFormula(QString::fromUtf8(c.formula), 0, [](const QString &) { return -1; });
        ASSERT_TRUE(parsed.tree) << c.formula;
        const auto tokens = xlsout::formulaTokens(parsed.tree->root(), xlsout::FormulaPlace{0});
        ASSERT_TRUE(tokens) << c.formula;
        EXPECT_EQ(tokens->toHex().toStdString(), c.hex) << c.formula;
    }
}

// Each engine function called with its fewest arguments (and most, where the engine limits
// them) decompiles under its own name, so its number and its fixed or variable argument count
// agree with Excel's table as xlrd knows it.
TEST_F(XlsFormulas, EveryEngineFunctionHasItsExcelNumberAndArgumentCount)
{
    QStringList formulas, expected;
    for (int i = 0; i < wb::functionCount(); ++i) {
        const wb::FunctionInfo &f = wb::functionInfo(i);
        const QString name = QString::fromLatin1(f.name);
        ASSERT_TRUE(xlsout::xlsFunction(name) || name == QLatin1String("IFERROR")) << f.name << " has no Excel entry";
        std::vector<int> counts{f.minArgs};
        if (f.maxArgs > f.minArgs)
            counts.push_back(f.maxArgs);
        for (int count : counts) {
            QStringList args, shownArgs;
            for (int a = 0; a < count; ++a) {
                args << QStringLiteral("1");
                shownArgs << QStringLiteral("1.0");
            }
            formulas << QStringLiteral("=%1(%2)").arg(name, args.join(u','));
            expected << (name == QLatin1String("IFERROR")
                             ? QStringLiteral("IF(ISERROR(1.0),1.0,1.0)")
                             : QStringLiteral("%1(%2)").arg(name, shownArgs.join(u',')));
        }
    }
    const wb::Workbook book = bookWith(formulas);
    xlsout::exportWorkbook(book, path("functions.xls"), xlsout::ExcelFormat::Xls);
    READ_OR_SKIP(read, formulasOf(path("functions.xls")), "python3-xlrd");
    const QJsonObject cells = firstSheetFormulas(read);
    for (int i = 0; i < formulas.size(); ++i)
        EXPECT_EQ(cells[key(i, 1)].toObject()[QStringLiteral("formula")].toString(), expected[i]) << formulas[i].toStdString();
}

// Formulas BIFF8 cannot hold are written as their values, which readers still see.
TEST_F(XlsFormulas, FormulasWithoutABiffFormKeepTheirValue)
{
    QStringList sumArgs;
    for (int i = 0; i < 31; ++i)
        sumArgs << QStringLiteral("1");
    const QStringList formulas = {
        QStringLiteral("=NOSUCHFUNCTION(1)"),                                      // unknown function
        QStringLiteral("=LEN(\"%1\")").arg(QString(256, u'长')),                    // text literal over 255
        QStringLiteral("=A70000+1"),                                               // row past 65536
        QStringLiteral("=IW1+1"),                                                  // column past IV
        QStringLiteral("=SUM(%1)").arg(sumArgs.join(u',')),                        // more than 30 arguments
    };
    const wb::Workbook book = bookWith(formulas);
    xlsout::exportWorkbook(book, path("values.xls"), xlsout::ExcelFormat::Xls);
    READ_OR_SKIP(read, formulasOf(path("values.xls")), "python3-xlrd");
    const QJsonObject cells = firstSheetFormulas(read);
    READ_OR_SKIP(all, test::runPythonReader(QStringLiteral("read_xls.py"), QStringLiteral("xlrd"), {path("values.xls")}),
                 "python3-xlrd");
    const QJsonObject values = all[QStringLiteral("sheets")].toArray().at(0).toObject()[QStringLiteral("cells")].toObject();
    for (int i = 0; i < formulas.size(); ++i) {
        SCOPED_TRACE(formulas[i].left(40).toStdString());
        EXPECT_FALSE(cells.contains(key(i, 1)));
        EXPECT_EQ(shown(values[key(i, 1)].toObject()), shown(book.value(0, i, 1)));
    }
}

} // namespace

namespace {

// Both files give each column the pixels the sheet has on screen, which readers compute as
// trunc((256 * width + 18) / 256 * 7) from the stored width.
TEST(ExportedColumns, WidthsMatchTheScreenInBothFormats)
{
    const double widths[] = {0.5, 1, 2.25, 8.43, 10, 12.5, 16, 25.7, 60};
    xlsout::Sheet sheet;
    for (int c = 0; c < int(std::size(widths)); ++c)
        sheet.columns.push_back({c, widths[c], false});
    xlsout::Book book;
    book.sheets.push_back(sheet);
    QTemporaryDir dir;
    xlsout::writeXlsFile(book, dir.filePath(QStringLiteral("w.xls")));
    xlsout::writeXlsxFile(book, dir.filePath(QStringLiteral("w.xlsx")));
    READ_OR_SKIP(xls, test::runPythonReader(QStringLiteral("read_xls.py"), QStringLiteral("xlrd"), {dir.filePath(QStringLiteral("w.xls"))}),
                 "python3-xlrd");
    READ_OR_SKIP(xlsx, test::runPythonReader(QStringLiteral("read_xlsx.py"), QStringLiteral("openpyxl"), {dir.filePath(QStringLiteral("w.xlsx"))}),
                 "python3-openpyxl");
    auto pixels = [](const QJsonObject &read, int col) {
        const double w = read[QStringLiteral("sheets")].toArray().at(0).toObject()[QStringLiteral("columns")].toObject()
                             [QString::number(col)].toObject()[QStringLiteral("width")].toDouble();
        return int(std::trunc((256 * w + 18) / 256 * 7));
    };
    for (int c = 0; c < int(std::size(widths)); ++c) {
        EXPECT_EQ(pixels(xls, c), wb::columnWidthPixels(widths[c])) << ".xls, width " << widths[c];
        EXPECT_EQ(pixels(xlsx, c), wb::columnWidthPixels(widths[c])) << ".xlsx, width " << widths[c];
    }
}

} // namespace

namespace {

// TRUE and FALSE come back as booleans, not as 1 and 0, typed or computed, in both formats.
TEST(ExportedBooleans, StayBooleans)
{
    const QStringList inputs = {QStringLiteral("TRUE"), QStringLiteral("FALSE"), QStringLiteral("=A1>5"),
                                QStringLiteral("=AND(A1>5,A2>5)"), QStringLiteral("=NOT(ISBLANK(A1))")};
    const wb::Workbook book = bookWith(inputs);
    QTemporaryDir dir;
    xlsout::exportWorkbook(book, dir.filePath(QStringLiteral("b.xls")), xlsout::ExcelFormat::Xls);
    xlsout::exportWorkbook(book, dir.filePath(QStringLiteral("b.xlsx")), xlsout::ExcelFormat::Xlsx);
    READ_OR_SKIP(xls, test::runPythonReader(QStringLiteral("read_xls.py"), QStringLiteral("xlrd"), {dir.filePath(QStringLiteral("b.xls"))}),
                 "python3-xlrd");
    READ_OR_SKIP(xlsx, test::runPythonReader(QStringLiteral("read_xlsx.py"), QStringLiteral("openpyxl"), {dir.filePath(QStringLiteral("b.xlsx"))}),
                 "python3-openpyxl");
    auto cell = [](const QJsonObject &read, int row) {
        return read[QStringLiteral("sheets")].toArray().at(0).toObject()[QStringLiteral("cells")].toObject()[key(row, 1)].toObject();
    };
    for (int i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(inputs[i].toStdString());
        ASSERT_TRUE(book.value(0, i, 1).isBoolean());
        const QJsonValue expected(book.value(0, i, 1).asBoolean());
        EXPECT_EQ(cell(xls, i).value(QStringLiteral("boolean")), expected) << ".xls";
        EXPECT_EQ(cell(xlsx, i).value(QStringLiteral("boolean")), expected) << ".xlsx";
    }
}

} // namespace
