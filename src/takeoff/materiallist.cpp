#include "takeoff/materiallist.h"

#include "designation/calculator.h"

#include <QHash>
#include <QLocale>
#include <cmath>

namespace mhbk::takeoff {

namespace {

using designation::AnswerResult;

// One comma-separated row; "quoted, fields" keep their commas and "" stands for a quote.
QStringList splitComma(QStringView row)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < row.size(); ++i) {
        const QChar c = row[i];
        if (quoted && c == u'"' && i + 1 < row.size() && row[i + 1] == u'"') {
            field += c;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields << field.trimmed();
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field.trimmed();
    return fields;
}

QStringList splitRow(QStringView row)
{
    if (!row.contains(u'\t'))
        return splitComma(row);
    QStringList fields;
    for (QStringView field : row.split(u'\t'))
        fields << field.trimmed().toString();
    return fields;
}

std::optional<double> numberIn(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

bool looksLikeCaptions(const QStringList &fields)
{
    const auto numberAt = [&](int i) { return i < fields.size() && numberIn(fields.at(i)).has_value(); };
    return fields.size() >= 2 && !numberAt(1) && !numberAt(2);
}

QString cut(const QString &text)
{
    return text.size() <= kMaxKeptText ? text : text.left(kMaxKeptText) + QStringLiteral("…");
}

struct Quantities {
    double length = 0; // m
    int count = 1;
    QString problem;
};

constexpr double kLongestMember = 1000; // m
constexpr int kMostPieces = 100000;

Quantities quantitiesOf(const MaterialRow &row, const SplitRows &rows)
{
    Quantities q;
    const QString lengthText = row.fields.value(1);
    const QString countText = row.fields.value(2);
    if (lengthText.isEmpty()) {
        q.problem = QStringLiteral("缺少长度");
        return q;
    }
    const std::optional<double> length = numberIn(lengthText);
    if (!length) {
        q.problem = QStringLiteral("长度“%1”不是数").arg(cut(lengthText));
        return q;
    }
    const bool millimetres = rows.lengthInMillimetres || (!rows.lengthInMetres && *length > 100);
    q.length = millimetres ? *length / 1000 : *length;
    if (!(q.length > 0) || q.length > kLongestMember) {
        q.problem = QStringLiteral("长度 %1 不合理：应大于 0 且不超过 %2 m").arg(cut(lengthText)).arg(kLongestMember);
        return q;
    }
    if (countText.isEmpty())
        return q;
    const std::optional<double> count = numberIn(countText);
    if (!count || *count < 1 || *count > kMostPieces || *count != std::floor(*count)) {
        q.problem = QStringLiteral("数量“%1”应为 1 到 %2 的整数").arg(cut(countText)).arg(kMostPieces);
        return q;
    }
    q.count = static_cast<int>(*count);
    return q;
}

QString firstLine(const QString &text)
{
    const qsizetype end = text.indexOf(u'\n');
    return end < 0 ? text : text.left(end);
}

Line lineFor(const MaterialRow &row, const SplitRows &rows, const AnswerResult &answered, const ImportOptions &options)
{
    Line line;
    line.designation = row.fields.value(0);
    line.material = options.material;
    line.unit = QStringLiteral("m");
    const QString remark = QStringList(row.fields.mid(3)).join(QStringLiteral(", "));
    const Quantities q = quantitiesOf(row, rows);
    line.remark = cut(remark);
    if (q.problem.isEmpty())
        line.remark = QStringLiteral("L=%1 m×%2").arg(designation::numberText(q.length)).arg(q.count)
                      + (remark.isEmpty() ? QString() : QStringLiteral("；") + line.remark);
    if (line.designation.isEmpty()) {
        line.problem = QStringLiteral("第 %1 行缺少规格").arg(row.number);
    } else if (!answered.answer) {
        line.designation = cut(line.designation);
        line.problem = QStringLiteral("第 %1 行：%2").arg(row.number).arg(firstLine(answered.error));
    } else if (answered.answer->weightUnit != QLatin1String("kg/m")) {
        line.problem = QStringLiteral("第 %1 行：钢板只写了厚度，清单按长度计，请写出宽度（如 PL10×200）").arg(row.number);
    } else if (!q.problem.isEmpty()) {
        line.problem = QStringLiteral("第 %1 行：%2").arg(row.number).arg(q.problem);
    }
    if (answered.answer)
        line.item = designation::kindName(answered.answer->reading.kind);
    if (!line.problem.isEmpty()) {
        line.item = line.item.isEmpty() ? QStringLiteral("未识别") : line.item;
        return line;
    }
    const designation::Answer &a = *answered.answer;
    line.quantity = designation::totalsFor(a, q.length, q.count).length;
    line.unitWeight = a.weight;
    line.unitSurface = a.surface;
    if (!a.check.isEmpty())
        line.remark += QStringLiteral("（表中此行核验%1）").arg(a.check);
    return line;
}

} // namespace

SplitRows splitMaterialRows(const QString &text)
{
    SplitRows split;
    int number = 0;
    bool first = true;
    for (QStringView row : QStringView(text).split(u'\n')) {
        ++number;
        if (row.endsWith(u'\r'))
            row.chop(1);
        if (row.trimmed().isEmpty())
            continue;
        QStringList fields = splitRow(row);
        if (first && looksLikeCaptions(fields)) {
            const QString lengthCaption = fields.value(1).toLower();
            split.lengthInMillimetres = lengthCaption.contains(QLatin1String("mm"));
            split.lengthInMetres = !split.lengthInMillimetres && lengthCaption.contains(u'm');
            first = false;
            continue;
        }
        first = false;
        split.rows.push_back(MaterialRow{number, std::move(fields)});
    }
    return split;
}

List linesFromRows(const SplitRows &rows, const designation::SectionRows &tables, const ImportOptions &options)
{
    // Material lists repeat their designations: each is read and looked up once.
    QHash<QString, AnswerResult> answers;
    List list;
    list.reserve(rows.rows.size());
    for (const MaterialRow &row : rows.rows) {
        const QString text = row.fields.value(0);
        auto found = answers.find(text);
        if (found == answers.end())
            found = answers.insert(text, designation::answerFor(text, tables, options.density));
        list.push_back(lineFor(row, rows, *found, options));
    }
    return list;
}

} // namespace mhbk::takeoff
