// Another program holding the handbook database: takes an exclusive lock on the file, says
// "locked" on stdout, and keeps the lock until a line arrives on stdin (or stdin closes); then
// it rolls back, says "released" and ends.
//   mhbk_reference_lock_child DATABASE
#include "support/scratchdb.h"

#include <QCoreApplication>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    try {
        mhbk::test::SqlFile file(QString::fromLocal8Bit(argv[1]));
        file.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        std::puts("locked");
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
        file.exec(QStringLiteral("ROLLBACK"));
    } catch (const std::exception &e) {
        std::printf("failed: %s\n", e.what());
        return 1;
    }
    std::puts("released");
    return 0;
}
