// The other process of the fault tests.
//   fault_child lock DB        holds an exclusive lock on the database until its input closes
//   fault_child export OUT FMT exports a stored workbook to OUT (xls or xlsx) over and over,
//                              until it is killed
#include "data/database.h"
#include "data/datasets.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/export/workbookexport.h"
#include "workbooks/pages/reportstore.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

int holdLock(const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
    db.setDatabaseName(path);
    if (!db.open())
        return 3;
    QSqlQuery query(db);
    // An exclusive transaction keeps every other connection from reading or writing.
    if (!query.exec(QStringLiteral("BEGIN EXCLUSIVE"))) {
        std::fprintf(stderr, "%s\n", qPrintable(query.lastError().text()));
        return 4;
    }
    std::puts("locked");
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    query.exec(QStringLiteral("ROLLBACK"));
    return 0;
}

int exportForever(const QString &databasePath, const QString &out, const QString &format)
{
    mhbk::HandbookDatabase db(databasePath);
    mhbk::QueryDataset query(db);
    // Page 49 holds the largest stored workbook.
    const auto stored = mhbk::workbooks::readStoredWorkbook(query, 49);
    if (!stored)
        return 5;
    mhbk::wb::LoadError error;
    const auto book = mhbk::wb::loadWorkbook(stored->bytes, &error);
    if (!book)
        return 6;
    const auto kind = format == QLatin1String("xlsx") ? mhbk::xlsout::ExcelFormat::Xlsx : mhbk::xlsout::ExcelFormat::Xls;
    mhbk::xlsout::exportWorkbook(*book, out, kind);
    std::puts("started");
    std::fflush(stdout);
    for (;;)
        mhbk::xlsout::exportWorkbook(*book, out, kind);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("lock"))
        return holdLock(args[2]);
    if (args.size() == 5 && args[1] == QLatin1String("export"))
        return exportForever(args[2], args[3], args[4]);
    std::fprintf(stderr, "usage: fault_child lock DB | export DB OUT xls|xlsx\n");
    return 2;
}
