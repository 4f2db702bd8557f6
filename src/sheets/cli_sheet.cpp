#include "sheets/cli_sheet.h"
#include "common/commandline.h"
#include "common/errors.h"
#include "sheets/sheetcalc.h"

namespace mhbk {

namespace {

using namespace sheets;

constexpr int kDefaultThickness = 20;
constexpr int kMaxThickness = 200;

const char kUsage[] =
    "usage: mhbk-cli sheet od|dn [--thickness W] [--length ROW=L ...]\n"
    "  od  sheet by pipe outer diameter, dn  sheet by nominal size\n"
    "  W   insulation thickness in mm, 0 to 200 (default 20)\n"
    "  ROW grid row of a data row, L the length in m as typed into the sheet\n";

struct SheetRequest {
    const SheetDescription *sheet = nullptr;
    int thickness = kDefaultThickness;
    std::vector<std::pair<int, QString>> lengths;
};

int parseThickness(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > kMaxThickness)
        throw AppError(QStringLiteral("thickness must be an integer from 0 to 200: '%1'").arg(text));
    return value;
}

// ROW=L, where L is what the entry filter would have let the user type.
std::pair<int, QString> parseLength(const SheetDescription &sheet, const QString &text)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    bool ok = false;
    const int row = eq > 0 ? text.left(eq).toInt(&ok) : -1;
    if (!ok || !isLengthCell(sheet, ColLength, row))
        throw AppError(QStringLiteral("'%1': ROW must be the number of a data row").arg(text));
    const QString length = text.mid(eq + 1);
    QString typed;
    for (QChar ch : length) {
        if (!acceptsChar(sheet, ColLength, row, ch, typed))
            throw AppError(QStringLiteral("'%1': a length takes only digits and one '.'").arg(text));
        typed += ch;
    }
    return {row, length};
}

SheetRequest parseRequest(const CommandLine &line)
{
    if (line.error && line.error->kind == CommandLineError::Kind::MissingValue)
        throw AppError(QStringLiteral("option without value: %1").arg(line.error->argument));
    if (line.error)
        throw AppError(QStringLiteral("unknown option: %1").arg(line.error->argument));
    SheetRequest request;
    if (line.positional.isEmpty())
        throw AppError(QStringLiteral("missing sheet: od or dn"));
    const QString &name = line.positional.first();
    if (name == QLatin1String("od"))
        request.sheet = &outerDiameterSheet();
    else if (name == QLatin1String("dn"))
        request.sheet = &nominalSizeSheet();
    else
        throw AppError(QStringLiteral("unknown sheet '%1': od or dn").arg(name));
    if (line.positional.size() > 1)
        throw AppError(QStringLiteral("unknown option: %1").arg(line.positional.at(1)));

    for (const auto &[option, value] : line.options) {
        if (option == QLatin1String("--thickness"))
            request.thickness = parseThickness(value);
        else if (option == QLatin1String("--length"))
            request.lengths.push_back(parseLength(*request.sheet, value));
    }
    return request;
}

} // namespace

int runSheetCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const CommandLine line = parseCommandLine(args, {{{QStringLiteral("--help")}},
                                                     {{QStringLiteral("--thickness")}, true},
                                                     {{QStringLiteral("--length")}, true}});
    if (line.has(QStringLiteral("--help"))) {
        out << kUsage;
        return 0;
    }
    try {
        const SheetRequest request = parseRequest(line);
        TextGrid grid = createSheet(*request.sheet, request.thickness);
        for (const auto &[row, length] : request.lengths)
            grid.setCell(ColLength, row, length);
        // As on screen: a length that is no number counts as 0, the sheet is shown and the
        // lengths are named; the status tells a script that not every length was used.
        const std::vector<BadLength> bad = calculateAll(*request.sheet, grid);
        out << toTabSeparated(grid);
        if (bad.empty())
            return 0;
        err << badLengthMessage(*request.sheet, bad) << '\n';
        return 1;
    } catch (const AppError &error) {
        err << error.message() << '\n' << kUsage;
        return 1;
    }
}

} // namespace mhbk
