// Saves two large density lists in turn, forever, until its parent kills it.
#include "data/database.h"
#include "data/datasets.h"
#include "reference/itemsave.h"
#include "refdb.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const auto first = mhbk::test::makeItems(QStringLiteral("a"), std::atoi(argv[2]), 2);
    const auto second = mhbk::test::makeItems(QStringLiteral("b"), std::atoi(argv[3]), 2);
    mhbk::HandbookDatabase db(path);
    mhbk::TableDataset table(db);
    table.open(QStringLiteral("constdensity"));
    std::puts("started");
    std::fflush(stdout);
    for (int round = 0;; ++round)
        mhbk::reference::saveItems(table, 2, round % 2 == 0 ? first : second);
}
