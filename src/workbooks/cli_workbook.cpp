#include "workbooks/cli_workbook.h"

#include "common/commandline.h"
#include "common/errors.h"
#include "common/pageregistry.h"
#include "data/database.h"
#include "data/datasets.h"
#include "workbooks/engine/address.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/export/workbookexport.h"
#include "workbooks/pages/ductselection.h"
#include "workbooks/pages/reportstore.h"
#include "workbooks/pages/workbookfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <utility>
#include <vector>

namespace mhbk {

namespace {

struct Arguments {
    int page = -1;
    std::vector<std::pair<QString, QString>> sets;   // cell, text, in the order given
    QStringList gets;
    QString exportPath;
    QString openPath;
    QString savePath;
    QString databasePath;
    bool run = false;
    bool help = false;
};

int pageIndex(const QString &text)
{
    bool ok = false;
    const int page = text.toInt(&ok);
    if (!ok || !pages::isIndex(page))
        throw CliError{QStringLiteral("页号应为 0~%1 / PAGE must be 0 to %1: %2").arg(kPageCount - 1).arg(text)};
    return page;
}

Arguments parseArguments(const QStringList &args)
{
    const CommandLine line = parseCommandLine(args, {{{QStringLiteral("--help"), QStringLiteral("-h")}},
                                                     {{QStringLiteral("--set")}, true},
                                                     {{QStringLiteral("--get")}, true},
                                                     {{QStringLiteral("--run")}},
                                                     {{QStringLiteral("--export")}, true},
                                                     {{QStringLiteral("--open")}, true},
                                                     {{QStringLiteral("--save")}, true},
                                                     {{QStringLiteral("--db")}, true}});
    Arguments parsed;
    parsed.help = line.has(QStringLiteral("--help"));
    if (parsed.help)
        return parsed;
    if (line.error && line.error->kind == CommandLineError::Kind::MissingValue)
        throw CliError{QStringLiteral("%1 缺少参数 / %1 needs a value").arg(line.error->argument)};
    if (line.error)
        throw CliError{QStringLiteral("未知参数 / unknown argument: %1").arg(line.error->argument)};
    if (line.positional.isEmpty())
        throw CliError{QStringLiteral("缺少页号 / PAGE is missing")};
    parsed.page = pageIndex(line.positional.first());
    if (line.positional.size() > 1)
        throw CliError{QStringLiteral("未知参数 / unknown argument: %1").arg(line.positional.at(1))};
    for (const QString &pair : line.values(QStringLiteral("--set"))) {
        const auto assignment = splitAssignment(pair);
        if (!assignment)
            throw CliError{QStringLiteral("--set 需要 单元格=文本 / --set needs CELL=TEXT: %1").arg(pair)};
        parsed.sets.push_back(*assignment);
    }
    parsed.gets = line.values(QStringLiteral("--get"));
    parsed.run = line.has(QStringLiteral("--run"));
    const QString fileName = QStringLiteral("文件名");
    parsed.exportPath = singleValue(line, QStringLiteral("--export"), fileName);
    parsed.openPath = singleValue(line, QStringLiteral("--open"), fileName);
    parsed.savePath = singleValue(line, QStringLiteral("--save"), fileName);
    parsed.databasePath = singleValue(line, QStringLiteral("--db"), QStringLiteral("数据库文件名"));
    return parsed;
}

void printUsage(QTextStream &stream)
{
    stream << "用法 / usage: mhbk-cli workbook PAGE [--set CELL=TEXT ...] [--run] [--get CELL ...]\n"
              "                                [--export FILE.xls|FILE.xlsx] [--open FILE.mhbk] [--save FILE.mhbk]\n"
              "                                [--db FILE]\n"
              "  PAGE     page index of a workbook page ("
           << pages::rangesText(pages::ofKind(PageKind::Workbook))
           << ")\n"
              "  --set    types TEXT into CELL (A1 notation), in the order given\n"
              "  --run    runs the duct plate thickness and quota selection (pages "
           << pages::rangesText(workbooks::ductPageIndexes())
           << ")\n"
              "  --get    prints the cell's displayed text, one line per --get\n"
              "  --export writes the workbook as an Excel file (.xls or .xlsx)\n"
              "  --open   starts from a workbook saved for this page (.mhbk) instead of the blank one\n"
              "  --save   writes the filled workbook as a .mhbk file, which the program opens with Ctrl+O\n";
}

wb::CellAddress cellAddress(const QString &text)
{
    const auto address = wb::parseAddress(text);
    if (!address)
        throw CliError{QStringLiteral("无效的单元格 / not a cell address: %1").arg(text)};
    return *address;
}

wb::Workbook loadPage(QueryDataset &query, int page, int *kind)
{
    const auto stored = workbooks::readStoredWorkbook(query, page);
    if (!stored)
        throw CliError{QStringLiteral("第 %1 页没有工作簿 / page %1 has no workbook").arg(page)};
    wb::LoadError error;
    auto book = wb::loadWorkbook(stored->bytes, &error);
    if (!book)
        throw AppError(QStringLiteral("第 %1 页的工作簿无法读取：%2").arg(page).arg(error.message));
    *kind = stored->kind;
    return std::move(*book);
}

void exportBook(const wb::Workbook &book, const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("xls") && suffix != QLatin1String("xlsx"))
        throw CliError{QStringLiteral("导出文件须为 .xls 或 .xlsx / export needs .xls or .xlsx: %1").arg(path)};
    xlsout::exportWorkbook(book, path,
                           suffix == QLatin1String("xlsx") ? xlsout::ExcelFormat::Xlsx : xlsout::ExcelFormat::Xls);
}

int runCommand(const Arguments &args, QTextStream &out)
{
    const QString path = !args.databasePath.isEmpty()
                             ? args.databasePath
                             : locateSharedDatabase(QCoreApplication::applicationDirPath());
    HandbookDatabase db(path);
    QueryDataset query(db);
    int kind = 0;
    wb::Workbook book = loadPage(query, args.page, &kind);
    if (!args.openPath.isEmpty()) {
        workbooks::PageWorkbook opened = workbooks::readPageWorkbookFile(args.openPath);
        if (opened.pageIndex != args.page)
            throw CliError{QStringLiteral("%1 属于第 %2 页，不是第 %3 页 / %1 belongs to page %2, not %3")
                               .arg(args.openPath)
                               .arg(opened.pageIndex)
                               .arg(args.page)};
        book = std::move(opened.book);
    }
    const int sheet = book.activeSheet();
    for (const auto &[cell, text] : args.sets) {
        const wb::CellAddress at = cellAddress(cell);
        book.setInput(sheet, at.row, at.col, text);
    }
    if (args.run) {
        const workbooks::DuctPage *duct = workbooks::ductPage(args.page);
        if (!duct || kind != workbooks::kDuctPageKind)
            throw CliError{QStringLiteral("--run 只用于风管板厚、定额选择页 (%1) / --run is for pages %1")
                               .arg(pages::rangesText(workbooks::ductPageIndexes()))};
        workbooks::runDuctSelection(book, sheet, *duct);
    }
    for (const QString &cell : args.gets) {
        const wb::CellAddress at = cellAddress(cell);
        out << book.displayText(sheet, at.row, at.col) << '\n';
    }
    if (!args.exportPath.isEmpty())
        exportBook(book, args.exportPath);
    if (!args.savePath.isEmpty())
        workbooks::writePageWorkbookFile(args.savePath, args.page, book);
    return 0;
}

} // namespace

int runWorkbookCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    return runSubcommand(err, printUsage, AppErrorText::AsIs, [&] {
        const Arguments parsed = parseArguments(args);
        if (parsed.help) {
            printUsage(out);
            return 0;
        }
        return runCommand(parsed, out);
    });
}

} // namespace mhbk
