#include "sectiontestdb.h"

#include "data/datasets.h"

namespace mhbk::test {

void SmallHandbook::dropTable(const QString &name)
{
    db_.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(quotedName(name)));
}

void SmallHandbook::addCaptionTable(const QString &name, const QStringList &captions,
                                    const std::vector<QStringList> &rows)
{
    dropTable(name);
    QStringList names;
    for (int i = 0; i < captions.size(); ++i)
        names << QStringLiteral("N%1").arg(i + 1);
    if (name == QLatin1String("steelboard_HW"))
        names = {"jbhd", "WG_LX", "LLZL_LX", "WG_BDX", "LLZL_BDX"};
    std::vector<QStringList> records{captions};
    records.insert(records.end(), rows.begin(), rows.end());
    db_.addTable(name, QStringLiteral("ID"), names, records);
}

void SmallHandbook::addNumberedTable(const QString &name, int fields, int sizes)
{
    QStringList captions;
    for (int f = 0; f < fields; ++f)
        captions << QStringLiteral("C%1").arg(f + 1);
    std::vector<QStringList> rows;
    for (int i = 1; i <= sizes; ++i) {
        QStringList row;
        for (int f = 0; f < fields; ++f)
            row << QStringLiteral("%1.%2").arg(i).arg(f + 1);
        rows.push_back(row);
    }
    addCaptionTable(name, captions, rows);
}

void SmallHandbook::addCheckeredTable(const std::vector<QStringList> &rows)
{
    addCaptionTable(QStringLiteral("steelboard_HW"),
                    {QStringLiteral("基本厚度"), QStringLiteral("菱形纹高"), QStringLiteral("菱形理论重量"),
                     QStringLiteral("扁豆形纹高"), QStringLiteral("扁豆形理论重量")},
                    rows);
}

void SmallHandbook::addDensityTable(const std::vector<QStringList> &rows)
{
    dropTable(QStringLiteral("constdensity"));
    db_.addTable(QStringLiteral("constdensity"), QStringLiteral("Number"), {QStringLiteral("Material"), QStringLiteral("Density")},
                 rows);
}

} // namespace mhbk::test
