#include "search/cli_find.h"

#include "common/commandline.h"
#include "data/database.h"
#include "search/handbooksources.h"

#include <QCoreApplication>

namespace mhbk {

namespace {

void printUsage(QTextStream &stream)
{
    stream << "用法 / usage: mhbk-cli find QUERY [--db FILE]\n"
              "Searches every handbook table and page as the search field does, e.g. \"I20a\", \"[16a\",\n"
              "\"L50x5\", \"DN100\", \"89*4\", \"钢板 10\", \"铜 密度\"; prints one result a line, best first.\n";
}

} // namespace

int runFindCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const CommandLine line = parseCommandLine(
        args, {{{QStringLiteral("--help"), QStringLiteral("-h")}}, {{QStringLiteral("--db")}, true}});
    if (line.has(QStringLiteral("--help"))) {
        printUsage(out);
        return 0;
    }
    if (line.error || line.positional.isEmpty()) {
        printUsage(err);
        return 1;
    }
    // "钢板 10" may arrive as one argument or as two.
    const QString query = line.positional.join(QLatin1Char(' '));
    return runSubcommand(err, printUsage, AppErrorText::FullStop, [&] {
        QString path = line.value(QStringLiteral("--db"));
        if (path.isEmpty())
            path = locateSharedDatabase(QCoreApplication::applicationDirPath());
        HandbookDatabase database(path);
        const search::HandbookIndex index = search::buildHandbookIndex(database);
        const auto hits = index.find(query);
        if (hits.empty()) {
            err << "未找到 / no match: " << query << '\n';
            return 1;
        }
        for (const search::Hit &hit : hits)
            out << search::resultLine(*hit.entry) << '\n';
        return 0;
    });
}

} // namespace mhbk
