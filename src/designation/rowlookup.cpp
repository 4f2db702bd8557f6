#include "designation/rowlookup.h"

#include "designation/figures.h"

#include <QRegularExpression>
#include <cmath>

namespace mhbk::designation {

namespace {

bool sameNumber(const QString &text, double value)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok && std::fabs(v - value) < 1e-6;
}

// The rows whose named fields hold the reading's dimensions.
std::vector<TableRow> matching(const std::vector<TableRow> &rows, const QStringList &fields, const std::vector<double> &dims)
{
    std::vector<TableRow> found;
    for (const TableRow &row : rows) {
        bool all = true;
        for (int i = 0; i < fields.size() && all; ++i)
            all = sameNumber(row.value(fields.at(i)), dims[static_cast<size_t>(i)]);
        if (all)
            found.push_back(row);
    }
    return found;
}

std::vector<TableRow> withField(const std::vector<TableRow> &rows, const QString &field, const QString &value)
{
    std::vector<TableRow> found;
    for (const TableRow &row : rows)
        if (row.value(field) == value)
            found.push_back(row);
    return found;
}

QString sizeText(const TableRow &row, const QStringList &fields)
{
    QStringList parts;
    for (const QString &field : fields)
        parts << row.value(field);
    return parts.join(QChar(0x00D7));
}

// A group named by its nominal size: its base row, else the one size equal to the nominal, else
// the only one; with several and none of them chosen by the table, the user must write four numbers.
RowMatch resolveGroup(const std::vector<TableRow> &group, const QString &name, const QStringList &fields,
                      const std::vector<double> &nominal)
{
    RowMatch m;
    if (group.empty())
        return m;
    const std::vector<TableRow> base = withField(group, QStringLiteral("Base"), QStringLiteral("是"));
    const std::vector<TableRow> equal = matching(group, fields.mid(0, 2), nominal);
    if (!base.empty())
        m.row = base.front();
    else if (equal.size() == 1)
        m.row = equal.front();
    else if (group.size() == 1)
        m.row = group.front();
    if (m.row) {
        if (group.size() > 1)
            m.notes << QStringLiteral("%1 有 %2 种实际尺寸，取%3 %4；要指定其他尺寸请写四个数字")
                           .arg(name)
                           .arg(group.size())
                           .arg(base.empty() ? QStringLiteral("与公称尺寸相同的") : QStringLiteral("基准规格"),
                                sizeText(*m.row, fields));
        return m;
    }
    QStringList sizes;
    for (const TableRow &row : group)
        sizes << sizeText(row, fields);
    m.error = QStringLiteral("“%1”有 %2 种实际尺寸，表中没有标出基准规格，请写四个数字，如 %3。可选：%4")
                  .arg(name)
                  .arg(group.size())
                  .arg(name.left(name.indexOf(QRegularExpression(QStringLiteral("[0-9]")))) + sizeText(group.front(), fields),
                       sizes.join(QStringLiteral("、")));
    return m;
}

QStringList hFields(Kind kind)
{
    return kind == Kind::CutTee ? QStringList{QStringLiteral("h"), QStringLiteral("B"), QStringLiteral("t1"), QStringLiteral("t2")}
                                : QStringList{QStringLiteral("H"), QStringLiteral("B"), QStringLiteral("t1"), QStringLiteral("t2")};
}

RowMatch findH(const Reading &r, const SectionRows &rows)
{
    const QString table = tableOf(r.kind);
    const QStringList fields = hFields(r.kind);
    const std::vector<TableRow> &all = rows.rows(table);
    RowMatch m;
    if (!r.nominal) {
        const std::vector<TableRow> found = matching(all, fields, r.dims);
        if (!found.empty()) {
            m.row = found.front();
            m.table = table;
        } else if (r.kind == Kind::HBeam) {
            // H400×200×8×13 written for an HK size finds it in the HK table.
            const std::vector<TableRow> hk = matching(rows.rows(QStringLiteral("HKBeam")), fields, r.dims);
            if (!hk.empty()) {
                m.row = hk.front();
                m.table = QStringLiteral("HKBeam");
            }
        }
        if (m.row && !r.series.isEmpty() && m.row->value(QStringLiteral("Class2017")) != r.series)
            m.notes << QStringLiteral("此尺寸在 2017 版中%1，不是 %2")
                           .arg(m.row->value(QStringLiteral("No2017")).isEmpty()
                                    ? QStringLiteral("没有系列代号")
                                    : QStringLiteral("为 ") + m.row->value(QStringLiteral("No2017")),
                                r.series);
        return m;
    }
    const QString letter = r.kind == Kind::HKBeam ? QStringLiteral("HK") : (r.kind == Kind::CutTee ? QStringLiteral("T") : QStringLiteral("H"));
    const QString nominal = numberText(r.dims[0]) + QChar(0x00D7) + numberText(r.dims[1]);
    std::vector<TableRow> group;
    QString name = letter + nominal;
    if (!r.series.isEmpty()) {
        name = r.series + nominal;
        group = withField(all, QStringLiteral("No2017"), name);
        if (group.empty()) {
            group = withField(all, QStringLiteral("No"), letter + nominal);
            if (!group.empty())
                m.notes << QStringLiteral("2017 版没有 %1，按 2024 版 %2 组查").arg(name, letter + nominal);
        }
    } else {
        group = withField(all, QStringLiteral("No"), name);
    }
    RowMatch resolved = resolveGroup(group, name, fields, r.dims);
    resolved.notes = m.notes + resolved.notes;
    if (resolved.row)
        resolved.table = table;
    return resolved;
}

RowMatch findNumbered(const Reading &r, const SectionRows &rows)
{
    RowMatch m;
    const QString table = tableOf(r.kind);
    const QString number = numberText(r.dims[0]);
    const std::vector<TableRow> found = withField(rows.rows(table), QStringLiteral("No"), number + r.grade);
    if (!found.empty()) {
        m.row = found.front();
        m.table = table;
        return m;
    }
    if (r.grade.isEmpty()) {
        QStringList grades;
        for (const TableRow &row : rows.rows(table))
            if (row.value(QStringLiteral("No")).startsWith(number) && row.value(QStringLiteral("No")).size() == number.size() + 1)
                grades << (r.kind == Kind::IBeam ? QStringLiteral("I") : QStringLiteral("[")) + row.value(QStringLiteral("No"));
        if (!grades.isEmpty())
            m.error = QStringLiteral("%1 %2 号有 %3 几种，请写明 a、b 或 c").arg(kindName(r.kind), number, grades.join(QStringLiteral("、")));
    }
    return m;
}

RowMatch findByDims(const Reading &r, const SectionRows &rows, const QStringList &fields)
{
    RowMatch m;
    const QString table = tableOf(r.kind);
    const std::vector<TableRow> found = matching(rows.rows(table), fields, r.dims);
    if (!found.empty()) {
        m.row = found.front();
        m.table = table;
    }
    return m;
}

} // namespace

QString tableOf(Kind kind)
{
    switch (kind) {
    case Kind::HBeam: return QStringLiteral("HBeam");
    case Kind::HKBeam: return QStringLiteral("HKBeam");
    case Kind::CutTee: return QStringLiteral("CutTee");
    case Kind::IBeam: return QStringLiteral("IBeamProps");
    case Kind::Channel: return QStringLiteral("ChannelProps");
    case Kind::EqualAngle: return QStringLiteral("AngleProps");
    case Kind::UnequalAngle: return QStringLiteral("UnequalAngleProps");
    case Kind::RectHollow: return QStringLiteral("HollowRect");
    case Kind::RoundHollow: return QStringLiteral("HollowRound");
    case Kind::CPurlin: return QStringLiteral("PurlinC");
    case Kind::ZPurlin: return QStringLiteral("PurlinZ");
    default: return {};
    }
}

RowMatch findRow(const Reading &r, const SectionRows &rows)
{
    const auto f = [](std::initializer_list<const char *> names) {
        QStringList list;
        for (const char *n : names)
            list << QString::fromLatin1(n);
        return list;
    };
    switch (r.kind) {
    case Kind::HBeam:
    case Kind::HKBeam:
    case Kind::CutTee: return findH(r, rows);
    case Kind::IBeam:
    case Kind::Channel: return findNumbered(r, rows);
    case Kind::EqualAngle: return findByDims(r, rows, f({"b", "d"}));
    case Kind::UnequalAngle: return findByDims(r, rows, f({"B_long", "b", "d"}));
    case Kind::RectHollow: return findByDims(r, rows, f({"H", "B", "t"}));
    case Kind::RoundHollow: return findByDims(r, rows, f({"D", "t"}));
    case Kind::CPurlin:
    case Kind::ZPurlin: return findByDims(r, rows, f({"h", "b", "c", "t"}));
    default: return {};
    }
}

} // namespace mhbk::designation
