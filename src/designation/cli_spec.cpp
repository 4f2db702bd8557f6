#include "designation/cli_spec.h"

#include "common/commandline.h"
#include "data/database.h"
#include "designation/calculator.h"
#include "designation/databaserows.h"
#include "sections/materialoption.h"
#include "sections/materials.h"

#include <QCoreApplication>
#include <cmath>
#include <memory>

namespace mhbk {

namespace {

struct Arguments {
    QString designation;
    QString length; // L=
    QString count;  // n=
    QString material;
    QString density;
    QString databasePath;
    bool help = false;
};

void printUsage(QTextStream &stream)
{
    stream << "用法 / usage: mhbk-cli spec DESIGNATION [L=LEN] [n=COUNT] [--material NAME | --density G_CM3] [--db FILE]\n"
              "Reads a designation as drawings write it and prints what it was read as, the unit weight,\n"
              "the cross-section area, the outer surface per metre (all faces, and without the top face),\n"
              "where the figures come from, and with L (m) and n the totals.\n"
           << QString::fromUtf8("可接受的写法：\n") << designation::acceptedForms() << '\n';
}

Arguments parseArguments(const QStringList &args)
{
    // "-10×200" is a flat bar, not an option: unknown dashes stay positional.
    const CommandLine line = parseCommandLine(args,
                                              {{{QStringLiteral("--help"), QStringLiteral("-h")}},
                                               {{QStringLiteral("--db")}, true},
                                               {{QStringLiteral("--density")}, true},
                                               {{QStringLiteral("--material")}, true}},
                                              UnknownOptions::AsPositional);
    Arguments parsed;
    parsed.help = line.has(QStringLiteral("--help"));
    if (parsed.help)
        return parsed;
    if (line.error)
        throw CliError{QStringLiteral("%1 需要一个值 / %1 needs a value").arg(line.error->argument), CliError::WithoutUsage};
    parsed.databasePath = singleValue(line, QStringLiteral("--db"), QStringLiteral("数据库文件名"));
    // An empty name or density is a mistake, not a request for steel.
    parsed.density = singleValue(line, QStringLiteral("--density"), QStringLiteral("密度 (g/cm3)"));
    parsed.material = singleValue(line, QStringLiteral("--material"), QStringLiteral("材料名"));
    QStringList words;
    for (const QString &arg : line.positional) {
        const auto assignment = splitAssignment(arg);
        if (assignment && assignment->first == QLatin1String("L"))
            parsed.length = assignment->second;
        else if (assignment && assignment->first.compare(QLatin1String("n"), Qt::CaseInsensitive) == 0)
            parsed.count = assignment->second;
        else
            words << arg; // a designation may be given in pieces ("HN 400×200") or contain '=' ("t=10")
    }
    parsed.designation = words.join(QLatin1Char(' '));
    if (parsed.designation.isEmpty())
        throw CliError{QStringLiteral("需要一个规格 / a designation expected")};
    return parsed;
}

std::unique_ptr<HandbookDatabase> openDatabase(const Arguments &args)
{
    QString path = args.databasePath;
    if (path.isEmpty())
        path = locateSharedDatabase(QCoreApplication::applicationDirPath());
    auto db = std::make_unique<HandbookDatabase>(path);
    db->connection();
    return db;
}

weights::Material chosenMaterial(const Arguments &args, HandbookDatabase &db)
{
    const auto material = materialFromOptions(args.density, args.material, [&]() -> HandbookDatabase & { return db; });
    return material ? *material : weights::steel();
}

// A positive finite number below a sane limit, or the Chinese reason it is not.
double positive(const QString &text, const QString &name, double limit)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0 || value > limit)
        throw CliError{QStringLiteral("%1 须是大于 0、不超过 %2 的数 / bad %1: %3").arg(name).arg(limit).arg(text),
                       CliError::WithoutUsage};
    return value;
}

void printAnswer(const designation::Answer &a, const weights::Material &material, QTextStream &out)
{
    out << "读作=" << a.readAs << '\n';
    for (const QString &note : a.notes)
        out << "说明=" << note << '\n';
    if (!material.name.isEmpty() || material.densityText != QLatin1String("7.85"))
        out << "材料=" << (material.name.isEmpty() ? QStringLiteral("—") : material.name) << "，密度="
            << weights::densityCaption(material) << '\n';
    out << "单位重量=" << a.weightText << ' ' << a.weightUnit << '\n';
    out << "截面面积=" << a.areaText << (a.areaText == QStringLiteral("—") ? "" : " cm2") << '\n';
    const QString per = a.weightUnit == QLatin1String("kg/m") ? QStringLiteral(" m2/m") : QStringLiteral(" m2/m2");
    out << "外表面积=" << a.surfaceText << per << '\n';
    out << "外表面积(不含顶面)=" << a.surfaceWithoutTopText << per << '\n';
    out << "来源=" << a.source << '\n';
    out << "核验=" << (a.check.isEmpty() ? (a.fromTable ? QStringLiteral("通过") : QStringLiteral("—（按几何计算）"))
                                         : QStringLiteral("未通过，仅供参考：") + a.check)
        << '\n';
}

void runSpec(const Arguments &args, QTextStream &out)
{
    const auto db = openDatabase(args);
    const weights::Material material = chosenMaterial(args, *db);
    const designation::DatabaseRows rows(*db);
    const designation::AnswerResult result =
        designation::answerFor(args.designation, rows, material.density.toDouble());
    if (!result.answer)
        throw CliError{result.error, CliError::WithoutUsage};
    const designation::Answer &a = *result.answer;
    if (!rows.missingTables().isEmpty())
        out << "注意=数据库中缺少表 " << rows.missingTables().join(QStringLiteral("、")) << "，这些型钢只能按几何计算\n";
    const bool byArea = a.weightUnit != QLatin1String("kg/m");
    double length = a.reading.pieceLength && !byArea ? *a.reading.pieceLength / 1000 : 0;
    if (!args.length.isEmpty())
        length = positive(args.length, QStringLiteral("L"), 1e6);
    const int count = args.count.isEmpty() ? 1 : static_cast<int>(positive(args.count, QStringLiteral("n"), 1e6));
    if (!args.count.isEmpty() && args.count.toDouble() != count)
        throw CliError{QStringLiteral("n 须是整数 / n must be a whole number: %1").arg(args.count), CliError::WithoutUsage};
    printAnswer(a, material, out);
    if (length <= 0)
        return;
    const designation::Totals t = designation::totalsFor(a, length, count);
    out << (byArea ? "总面积=" : "总长=") << designation::fixedText(t.length, 3) << (byArea ? " m2" : " m") << '\n';
    out << "总重=" << designation::fixedText(t.weight, 3) << " kg\n";
    out << "总外表面积=" << designation::fixedText(t.surface, 3) << " m2\n";
}

} // namespace

int runSpecCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    return runSubcommand(err, printUsage, AppErrorText::FullStop, [&] {
        const Arguments parsed = parseArguments(args);
        if (parsed.help)
            printUsage(out);
        else
            runSpec(parsed, out);
        return 0;
    });
}

} // namespace mhbk
