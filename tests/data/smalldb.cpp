#include "smalldb.h"

namespace mhbk::test {

void SmallDatabase::addBlockTable(const QString &name, int fields, int dataRecords)
{
    QStringList columns;
    QStringList caption;
    for (int f = 1; f <= fields; ++f) {
        columns << QStringLiteral("f%1").arg(f);
        caption << QStringLiteral("C%1").arg(f);
    }
    std::vector<QStringList> records{caption};
    for (int i = 1; i <= dataRecords; ++i) {
        QStringList values;
        for (int f = 1; f <= fields; ++f)
            values << QStringLiteral("r%1f%2").arg(i).arg(f);
        records.push_back(values);
    }
    db_.addTable(name, QStringLiteral("id"), columns, records);
}

} // namespace mhbk::test
