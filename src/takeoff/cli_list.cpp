#include "takeoff/cli_list.h"

#include "common/commandline.h"
#include "common/errors.h"
#include "data/database.h"
#include "data/gbk.h"
#include "designation/databaserows.h"
#include "takeoff/materiallist.h"
#include "takeoff/takeoffbook.h"
#include "takeoff/takeofffile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cmath>

namespace mhbk {

namespace {

using namespace takeoff;

void printUsage(QTextStream &stream)
{
    stream << "用法 / usage:\n"
              "  mhbk-cli list add FILE.mhbkl --item TEXT --quantity N --unit-weight KG [--designation TEXT]\n"
              "                               [--material TEXT] [--unit TEXT] [--remark TEXT]\n"
              "      adds a line (the file is made when it does not exist; unit defaults to m)\n"
              "  mhbk-cli list import FILE.mhbkl LIST.csv [--db FILE]\n"
              "      weighs each row of a material list (designation, length, count, remark; comma- or\n"
              "      tab-separated, captions optional) and adds it; unreadable rows are kept, marked\n"
              "  mhbk-cli list show FILE.mhbkl      prints the lines and the totals\n"
              "  mhbk-cli list export FILE.mhbkl OUT.xlsx|OUT.xls   writes the list with live formulas\n";
}

double numberOption(const CommandLine &line, const QString &name)
{
    if (!line.has(name))
        throw CliError{QStringLiteral("缺少 %1 / %1 is missing").arg(name)};
    bool ok = false;
    const double value = line.value(name).trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw CliError{QStringLiteral("%1 应为数 / %1 needs a number: %2").arg(name, line.value(name))};
    return value;
}

int addLine(const QStringList &args, QTextStream &out)
{
    const QStringList texts = {QStringLiteral("--item"), QStringLiteral("--designation"), QStringLiteral("--material"),
                               QStringLiteral("--unit"), QStringLiteral("--remark"), QStringLiteral("--quantity"),
                               QStringLiteral("--unit-weight")};
    std::vector<OptionSpec> specs;
    for (const QString &name : texts)
        specs.push_back({{name}, true});
    const CommandLine line = parseCommandLine(args, specs);
    if (line.error && line.error->kind == CommandLineError::Kind::MissingValue)
        throw CliError{QStringLiteral("%1 缺少参数 / %1 needs a value").arg(line.error->argument)};
    if (line.error)
        throw CliError{QStringLiteral("未知参数 / unknown argument: %1").arg(line.error->argument)};
    if (line.positional.size() != 1)
        throw CliError{QStringLiteral("需要一个清单文件 / one FILE is needed")};
    if (line.value(QStringLiteral("--item")).trimmed().isEmpty())
        throw CliError{QStringLiteral("缺少 --item / --item is missing")};
    Line added;
    added.item = line.value(QStringLiteral("--item")).trimmed();
    added.designation = line.value(QStringLiteral("--designation")).trimmed();
    added.material = line.value(QStringLiteral("--material")).trimmed();
    added.unit = line.has(QStringLiteral("--unit")) ? line.value(QStringLiteral("--unit")).trimmed() : QStringLiteral("m");
    added.remark = line.value(QStringLiteral("--remark"));
    added.quantity = numberOption(line, QStringLiteral("--quantity"));
    added.unitWeight = numberOption(line, QStringLiteral("--unit-weight"));
    const QString path = line.positional.first();
    List list = QFileInfo::exists(path) ? loadList(path) : List{};
    list.push_back(added);
    saveList(list, path);
    out << list.size() << '\t' << weightText(added.totalWeight()) << " kg\n";
    return 0;
}

// A material list file as text: UTF-8, or the GBK a Chinese spreadsheet program saves CSV in.
QString materialText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("无法打开材料表“%1”：%2").arg(path, file.errorString()));
    constexpr qint64 kMaxBytes = 64 * 1024 * 1024;
    if (file.size() > kMaxBytes)
        throw AppError(QStringLiteral("材料表“%1”过大（超过 64 MiB）").arg(path));
    return decodeSpreadsheetText(file.readAll());
}

int importList(const QStringList &args, QTextStream &out)
{
    const CommandLine line = parseCommandLine(args, {{{QStringLiteral("--db")}, true}});
    if (line.error)
        throw CliError{QStringLiteral("未知参数 / unknown argument: %1").arg(line.error->argument)};
    if (line.positional.size() != 2)
        throw CliError{QStringLiteral("需要清单文件和材料表 / FILE and LIST.csv are needed")};
    const QString listPath = line.positional.at(0);
    const QString sourcePath = line.positional.at(1);
    if (QFileInfo(sourcePath).suffix().toLower() != QLatin1String("csv")
        && QFileInfo(sourcePath).suffix().toLower() != QLatin1String("txt"))
        throw CliError{QStringLiteral("材料表须为 .csv 或 .txt（Excel 中另存为 CSV）/ LIST needs .csv or .txt: %1").arg(sourcePath)};
    const QString text = materialText(sourcePath);
    QString dbPath = singleValue(line, QStringLiteral("--db"), QStringLiteral("数据库文件名"));
    if (dbPath.isEmpty())
        dbPath = locateSharedDatabase(QCoreApplication::applicationDirPath()); // the program's own copy
    HandbookDatabase db(dbPath);
    const designation::DatabaseRows tables(db);
    const List imported = importMaterialList(text, tables);
    List list = QFileInfo::exists(listPath) ? loadList(listPath) : List{};
    list.insert(list.end(), imported.begin(), imported.end());
    saveList(list, listPath);
    int unread = 0;
    for (const Line &added : imported) {
        if (!added.counted()) {
            out << "未计入\t" << added.problem << '\n';
            ++unread;
        }
    }
    Totals totals = totalsOf(imported);
    out << "加入 " << imported.size() << " 行，其中 " << unread << " 行无法识别、未计入合计；计入 "
        << weightText(totals.grandTotal) << " kg，" << surfaceText(totals.grandSurface) << " m2\n";
    return 0;
}

void printList(const List &list, QTextStream &out)
{
    out << "序号\t项目\t规格\t材质\t数量\t单位\t单重(kg)\t总重(kg)\t表面积(m2)\t备注\n";
    int number = 0;
    for (const Line &line : list) {
        out << ++number << '\t' << line.item << '\t' << line.designation << '\t' << line.material << '\t'
            << numberText(line.quantity) << '\t' << line.unit << '\t' << weightText(line.unitWeight) << '\t'
            << weightText(line.totalWeight()) << '\t' << surfaceText(line.totalSurface()) << '\t' << line.remark;
        if (!line.counted())
            out << "\t未计入：" << line.problem;
        out << '\n';
    }
    const Totals totals = totalsOf(list);
    out << "按项目合计\n";
    for (const Total &total : totals.byItem)
        out << '\t' << total.item << '\t' << weightText(total.weight) << '\t' << surfaceText(total.surface) << '\n';
    out << "按规格合计\n";
    for (const Total &total : totals.byDesignation)
        out << '\t' << total.item << '\t' << total.designation << '\t' << weightText(total.weight) << '\t'
            << surfaceText(total.surface) << '\n';
    out << "总计\t" << weightText(totals.grandTotal) << " kg\t" << surfaceText(totals.grandSurface) << " m2\n";
    if (totals.uncounted > 0)
        out << "未计入合计\t" << totals.uncounted << " 行（无法识别，待修改）\n";
}

int run(const QStringList &args, QTextStream &out)
{
    const QString action = args.first();
    const QStringList rest = args.mid(1);
    if (action == QLatin1String("add"))
        return addLine(rest, out);
    if (action == QLatin1String("import"))
        return importList(rest, out);
    if (action == QLatin1String("show")) {
        if (rest.size() != 1)
            throw CliError{QStringLiteral("需要一个清单文件 / one FILE is needed")};
        printList(loadList(rest.first()), out);
        return 0;
    }
    if (action == QLatin1String("export")) {
        if (rest.size() != 2)
            throw CliError{QStringLiteral("需要清单文件和导出文件 / FILE and OUT are needed")};
        const QString suffix = QFileInfo(rest.at(1)).suffix().toLower();
        if (suffix != QLatin1String("xls") && suffix != QLatin1String("xlsx"))
            throw CliError{QStringLiteral("导出文件须为 .xls 或 .xlsx / export needs .xls or .xlsx: %1").arg(rest.at(1))};
        exportList(loadList(rest.first()), rest.at(1),
                   suffix == QLatin1String("xlsx") ? xlsout::ExcelFormat::Xlsx : xlsout::ExcelFormat::Xls);
        return 0;
    }
    throw CliError{QStringLiteral("未知操作 / unknown action: %1").arg(action)};
}

} // namespace

int runListCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printUsage(args.isEmpty() ? err : out);
        return args.isEmpty() ? 1 : 0;
    }
    return runSubcommand(err, printUsage, AppErrorText::AsIs, [&] { return run(args, out); });
}

} // namespace mhbk
