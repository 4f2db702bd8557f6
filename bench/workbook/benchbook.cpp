#include "benchbook.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace mhbk::wb::bench {

QByteArray benchWorkbookJson()
{
    QJsonObject data, calc;
    for (int r = 1; r <= kRows; ++r) {
        const QString n = QString::number(r);
        data.insert(u'A' + n, r);
        data.insert(u'B' + n, r * 0.5 + 1);
        data.insert(u'C' + n, QStringLiteral("item %1").arg(r));
        calc.insert(u'A' + n, QStringLiteral("=Data!A%1*Data!B%1").arg(r));
        calc.insert(u'B' + n, r == 1 ? QStringLiteral("=ROUND(A1*1.05,2)")
                                     : QStringLiteral("=B%1+ROUND(A%2*1.05,2)").arg(r - 1).arg(r));
    }
    calc.insert(QStringLiteral("C1"), QStringLiteral("=SUM(B1:B%1)").arg(kRows));
    calc.insert(QStringLiteral("C2"), QStringLiteral("=VLOOKUP(500,Data!A1:B%1,2,FALSE)").arg(kRows));
    const QJsonObject root{
        {QStringLiteral("format"), QStringLiteral("mhbk-workbook")},
        {QStringLiteral("version"), 1},
        {QStringLiteral("sheets"),
         QJsonArray{QJsonObject{{QStringLiteral("name"), QStringLiteral("Data")}, {QStringLiteral("cells"), data}},
                    QJsonObject{{QStringLiteral("name"), QStringLiteral("Calc")}, {QStringLiteral("cells"), calc}}}}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

} // namespace mhbk::wb::bench
