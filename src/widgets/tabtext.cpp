#include "widgets/tabtext.h"

namespace mhbk {

QString toTabText(const std::vector<QStringList> &rows)
{
    QStringList lines;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (QString cell : row) {
            for (QChar &ch : cell)
                if (ch == QLatin1Char('\t') || ch == QLatin1Char('\n') || ch == QLatin1Char('\r'))
                    ch = QLatin1Char(' ');
            cells << cell;
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

std::vector<QStringList> fromTabText(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    std::vector<QStringList> rows;
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        rows.push_back(line.split(QLatin1Char('\t')));
    }
    return rows;
}

} // namespace mhbk
