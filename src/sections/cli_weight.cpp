#include "sections/cli_weight.h"

#include "common/commandline.h"
#include "numbers/numtext.h"
#include "data/database.h"
#include "data/datasets.h"
#include "sections/checkered.h"
#include "sections/materialoption.h"
#include "sections/materials.h"
#include "sections/sectiontables.h"
#include "sections/weights.h"

#include <QCoreApplication>
#include <QMap>
#include <memory>

namespace mhbk {

namespace {

const QString kBadDimension = QStringLiteral("出错！请检查输入的字符串！");

struct Arguments {
    QStringList positional;
    QMap<QString, QString> values; // NAME=VALUE, in any order
    QString databasePath;
    QString density;  // --density: g/cm³
    QString material; // --material: a name from the density table
    bool help = false;
};

Arguments parseArguments(const QStringList &args)
{
    const CommandLine line = parseCommandLine(
        args, {{{QStringLiteral("--help"), QStringLiteral("-h")}},
               {{QStringLiteral("--db")}, true},
               {{QStringLiteral("--density")}, true},
               {{QStringLiteral("--material")}, true}});
    Arguments parsed;
    parsed.help = line.has(QStringLiteral("--help"));
    if (parsed.help)
        return parsed;
    if (line.error && line.error->kind == CommandLineError::Kind::MissingValue) {
        if (line.error->argument == QLatin1String("--db"))
            throw CliError{QStringLiteral("--db 需要数据库文件名 / --db needs a file name"), CliError::WithoutUsage};
        throw CliError{QStringLiteral("%1 需要一个值 / %1 needs a value").arg(line.error->argument), CliError::WithoutUsage};
    }
    if (line.error)
        throw CliError{QStringLiteral("未知选项 / unknown option: %1").arg(line.error->argument)};
    parsed.databasePath = singleValue(line, QStringLiteral("--db"), QStringLiteral("数据库文件名"));
    // An empty name or density is a mistake, not a request for steel.
    parsed.density = singleValue(line, QStringLiteral("--density"), QStringLiteral("密度 (g/cm3)"));
    parsed.material = singleValue(line, QStringLiteral("--material"), QStringLiteral("材料名"));
    for (const QString &arg : line.positional) {
        if (const auto assignment = splitAssignment(arg))
            parsed.values.insert(assignment->first, assignment->second);
        else
            parsed.positional << arg;
    }
    return parsed;
}

std::unique_ptr<HandbookDatabase> openDatabase(const Arguments &args)
{
    QString path = args.databasePath;
    if (path.isEmpty()) {
        path = locateSharedDatabase(QCoreApplication::applicationDirPath());
    }
    auto db = std::make_unique<HandbookDatabase>(path);
    db->connection();
    return db;
}

void rejectUnknownNames(const Arguments &args, const QStringList &known)
{
    for (auto it = args.values.cbegin(); it != args.values.cend(); ++it) {
        if (!known.contains(it.key()))
            throw CliError{QStringLiteral("未知参数 / unknown parameter: %1").arg(it.key())};
    }
}

QString requiredValue(const Arguments &args, const QString &name)
{
    const QString value = args.values.value(name);
    if (value.isEmpty())
        throw CliError{QStringLiteral("缺少参数 / missing value: %1=").arg(name)};
    return value;
}

void printWeightUsage(QTextStream &stream)
{
    stream << "用法 / usage: mhbk-cli weight SHAPE NAME=VALUE ... [L=LEN] [M=KG]\n"
              "                              [--density G_CM3 | --material NAME] [--db FILE]\n"
              "  round d=     圆钢, diameter (mm)\n"
              "  square a=    方钢, side (mm)\n"
              "  rectangle a= b=   矩形钢, sides (mm)\n"
              "  hexagon a=   六角钢, across flats (mm)\n"
              "  flat W= D=   扁钢, width and thickness (mm)\n"
              "  plate d=     钢板, thickness (mm); G in kg/m2, L is an area (m2)\n"
              "  pipe R= d=   钢管, outer diameter and wall (mm)\n"
              "  checkered t= [w=] [l=]   花纹钢板: basic thickness, plate width and length (mm)\n"
              "Prints G (kg/m) and, with L (m), M = G x L (kg), as the calculator pages show them;\n"
              "with M (kg), the length L = M / G (m; the area in m2 for plate).\n"
              "Steel (7.85) unless --density (g/cm3, or a range 6.6~7.4) or --material says otherwise.\n"
              "--material takes a name from the density table: the row of exactly that name, else the row named\n"
              "by it (铝 is 纯铝, 金 is 金(参考值)), else the one row whose name contains it; when several fit\n"
              "equally the command fails and lists them.\n";
}

// The material to weigh: steel, a density given as a number, or one named from the density table.
std::optional<weights::Material> chosenMaterial(const Arguments &args)
{
    std::unique_ptr<HandbookDatabase> db;
    return materialFromOptions(args.density, args.material, [&]() -> HandbookDatabase & {
        db = openDatabase(args);
        return *db;
    });
}

// L or M as typed, once it is known to be a number that is not negative: a negative weight would
// otherwise give a negative length without a word.
QString checkedAmount(const QString &text, const QString &what)
{
    const auto value = parseReal(text);
    if (!value)
        throw CliError{conversionErrorText(text), CliError::WithoutUsage};
    if (*value < weights::Real(0))
        throw CliError{QStringLiteral("%1 不能是负数（%2）。请输入正数 / %1 must not be negative").arg(what, text),
                       CliError::WithoutUsage};
    return text;
}

// A figure beyond the arithmetic's range would print as "INF"; it is refused instead.
QString shownFigure(const weights::Real &value)
{
    if (!value.isFinite())
        throw CliError{QStringLiteral("结果超出可计算的范围。请检查输入的尺寸是否写错 / result out of range"),
                       CliError::WithoutUsage};
    return floatToStr(value);
}

void runShape(const weights::ShapeInfo &shape, const Arguments &args, QTextStream &out)
{
    rejectUnknownNames(args, shape.dimensions + QStringList{QStringLiteral("L"), QStringLiteral("M")});
    std::vector<weights::Real> dims;
    for (const QString &name : shape.dimensions) {
        const auto value = parseReal(requiredValue(args, name));
        if (!value)
            throw CliError{kBadDimension, CliError::WithoutUsage};
        if (!value->isFinite())
            throw CliError{QStringLiteral("尺寸 %1 超出可计算的范围。请检查输入 / %1 out of range").arg(name),
                           CliError::WithoutUsage};
        dims.push_back(*value);
    }
    const auto material = chosenMaterial(args);
    const weights::Real density = material ? material->density : weights::kSteelDensity;
    const QString g = shownFigure(weights::weightPerUnit(shape.shape, dims, density));
    const QString length = args.values.value(QStringLiteral("L"));
    const QString weight = args.values.value(QStringLiteral("M"));
    QString m;
    if (!length.isEmpty())
        m = shownFigure(weights::lengthWeight(g, checkedAmount(length, QStringLiteral("长度 L"))));
    QString reverse;
    if (!weight.isEmpty()) {
        const auto l = weights::lengthFromWeight(g, checkedAmount(weight, QStringLiteral("重量 M")));
        if (!l)
            throw CliError{weights::kNoLengthForWeight, CliError::WithoutUsage};
        reverse = shownFigure(*l);
    }
    if (material && !material->name.isEmpty())
        out << "材料=" << material->name << '\n';
    if (material)
        out << "密度=" << weights::densityCaption(*material) << '\n';
    out << "G=" << g << '\n';
    if (!length.isEmpty())
        out << "M=" << m << '\n';
    if (!weight.isEmpty())
        out << "L=" << reverse << '\n';
}

void runCheckered(const Arguments &args, QTextStream &out)
{
    rejectUnknownNames(args, {QStringLiteral("t"), QStringLiteral("w"), QStringLiteral("l")});
    if (!args.density.isEmpty() || !args.material.isEmpty())
        throw CliError{QStringLiteral("花纹钢板按表中重量计，不能换材料 / checkered plate weights come from its table")};
    const QString thickness = requiredValue(args, QStringLiteral("t"));
    const QString width = args.values.value(QStringLiteral("w"));
    const QString length = args.values.value(QStringLiteral("l"));
    if (!checkered::plateWeights(width, length, {}, {}))
        throw CliError{checkered::kNotNumericMessage, CliError::WithoutUsage};

    const auto db = openDatabase(args);
    QueryDataset query(*db);
    const auto patterns = checkered::lookupByValue(query, thickness);
    if (!patterns)
        throw CliError{QStringLiteral("花纹钢板表中没有基本厚度 %1 / no basic thickness: %1\n"
                                      "可用 mhbk-cli table steelboard_HW 查看表中的厚度。")
                           .arg(thickness),
                       CliError::WithoutUsage};
    const auto plates = checkered::plateWeights(width, length, patterns->rhombicWeight, patterns->lentilWeight);
    if (!plates)
        throw CliError{checkered::kNotNumericMessage, CliError::WithoutUsage};
    out << "WG_LX=" << patterns->rhombicRib << '\n'
        << "LLZL_LX=" << patterns->rhombicWeight << '\n'
        << "ZL_LX=" << floatToStr(plates->rhombic) << '\n'
        << "WG_BDX=" << patterns->lentilRib << '\n'
        << "LLZL_BDX=" << patterns->lentilWeight << '\n'
        << "ZL_BDX=" << floatToStr(plates->lentil) << '\n';
}

void runWeight(const Arguments &args, QTextStream &out)
{
    if (args.positional.size() != 1)
        throw CliError{QStringLiteral("需要一个截面名 / one shape expected")};
    const QString &name = args.positional.first();
    if (name == QLatin1String("checkered"))
        return runCheckered(args, out);
    const auto shape = weights::shapeByName(name);
    if (!shape)
        throw CliError{QStringLiteral("未知截面 / unknown shape: %1").arg(name)};
    runShape(*shape, args, out);
}

QString cellText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return QStringLiteral("<%1 bytes>").arg(value.toByteArray().size());
    // Tabs and line breaks inside a text would break the row structure of the output.
    QString text = value.toString();
    text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.remove(QLatin1Char('\r'));
}

void printTable(TableDataset &table, QTextStream &out)
{
    // A section table's first record holds the captions; other tables get their field names.
    const int shown = sectionTableShownFields(table.tableName());
    const int first = shown > 0 ? 1 : 0;
    const int last = shown > 0 ? std::min(shown, table.fieldCount() - 1) : table.fieldCount() - 1;
    if (shown == 0)
        out << table.fieldNames().mid(first, last - first + 1).join(QLatin1Char('\t')) << '\n';
    for (table.first(); !table.eof(); table.next()) {
        QStringList cells;
        for (int f = first; f <= last; ++f)
            cells << cellText(table.fieldValue(table.fieldNames().at(f)));
        out << cells.join(QLatin1Char('\t')) << '\n';
    }
}

int guarded(const QStringList &args, QTextStream &out, QTextStream &err, void (*usage)(QTextStream &),
            void (*body)(const Arguments &, QTextStream &))
{
    return runSubcommand(err, usage, AppErrorText::FullStop, [&] {
        const Arguments parsed = parseArguments(args);
        if (parsed.help)
            usage(out);
        else
            body(parsed, out);
        return 0;
    });
}

void printTableUsage(QTextStream &stream)
{
    stream << "用法 / usage: mhbk-cli table NAME [--db FILE]\n"
              "Prints a handbook table tab-separated: a section table (circle, sqare, Rectangle, ...,\n"
              "steelboard_HW) as its grid shows it, captions first; any other table with its field names.\n";
}

void runTable(const Arguments &args, QTextStream &out)
{
    if (args.positional.size() != 1 || !args.values.isEmpty() || !args.density.isEmpty() || !args.material.isEmpty())
        throw CliError{QStringLiteral("需要一个表名 / one table name expected")};
    const auto db = openDatabase(args);
    TableDataset table(*db);
    table.open(args.positional.first());
    printTable(table, out);
}

} // namespace

int runWeightCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    return guarded(args, out, err, printWeightUsage, runWeight);
}

int runTableCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    return guarded(args, out, err, printTableUsage, runTable);
}

} // namespace mhbk
