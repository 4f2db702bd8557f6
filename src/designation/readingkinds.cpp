// What the numbers of each kind of designation mean, and the checks that keep a reading a
// section that can exist (a wall less than half the size, a web inside its flanges).
#include "designation/reading.h"
#include "designation/readingparts.h"

#include <QStringList>
#include <algorithm>

namespace mhbk::designation {

namespace {

using detail::Part;
using Failure = detail::ReadFailure;

constexpr double kMaxDimension = 20000;
constexpr double kMaxPieceLength = 200000;

QString countText(size_t count)
{
    return QString::number(static_cast<qulonglong>(count));
}

void requireCount(const std::vector<Part> &parts, std::initializer_list<size_t> allowed, const QString &what)
{
    if (std::find(allowed.begin(), allowed.end(), parts.size()) == allowed.end())
        throw Failure{QStringLiteral("%1，这里写了 %2 个数").arg(what, countText(parts.size()))};
}

std::vector<double> plainValues(const std::vector<Part> &parts, const QString &kind)
{
    std::vector<double> values;
    for (const Part &part : parts) {
        if (part.second)
            throw Failure{QStringLiteral("%1的尺寸“%2”不能写成范围或分数").arg(kind, part.text)};
        if (!part.grade.isEmpty())
            throw Failure{QStringLiteral("%1的尺寸“%2”后面不能带字母").arg(kind, part.text)};
        if (part.value > kMaxDimension)
            throw Failure{QStringLiteral("尺寸“%1”超过 %2 mm，不像型钢的尺寸").arg(part.text).arg(kMaxDimension)};
        values.push_back(part.value);
    }
    return values;
}

void requireWall(double wall, double size, const QString &what)
{
    if (wall * 2 >= size)
        throw Failure{QStringLiteral("%1 %2 mm 不小于尺寸 %3 mm 的一半，截面不成立")
                          .arg(what, numberText(wall), numberText(size))};
}

// H 400 B 200 t1 8 t2 13: the web fits between the flanges and inside the flange width.
void requireHShape(double h, double b, double t1, double t2, double flanges)
{
    if (t2 * flanges >= h)
        throw Failure{QStringLiteral("翼缘厚 %1 mm 的%2倍不小于高 %3 mm，截面不成立")
                          .arg(numberText(t2), flanges > 1 ? QStringLiteral("两") : QStringLiteral("一"), numberText(h))};
    if (t1 >= b)
        throw Failure{QStringLiteral("腹板厚 %1 mm 不小于翼缘宽 %2 mm，截面不成立").arg(numberText(t1), numberText(b))};
}

Reading hShape(Kind kind, const std::vector<double> &v, const QString &series)
{
    Reading r;
    r.kind = kind;
    r.dims = v;
    r.series = series;
    r.nominal = v.size() == 2;
    if (!r.nominal)
        requireHShape(v[0], v[1], v[2], v[3], kind == Kind::CutTee || kind == Kind::WeldedTee ? 1 : 2);
    return r;
}

// H500~800×400/300×16×22/20: heights at the two ends, top and bottom flange widths and thicknesses.
Reading taperedH(const std::vector<Part> &parts)
{
    requireCount(parts, {4}, QStringLiteral("变截面H型钢要写 高1~高2×宽×腹板厚×翼缘厚 四段"));
    for (const Part &part : parts)
        if (part.value > kMaxDimension || part.second.value_or(0) > kMaxDimension || !part.grade.isEmpty())
            throw Failure{QStringLiteral("尺寸“%1”不对").arg(part.text)};
    const Part &height = parts[0];
    const Part &width = parts[1];
    const Part &web = parts[2];
    const Part &flange = parts[3];
    if (height.second && height.joiner != u'~')
        throw Failure{QStringLiteral("两端的高请用“~”连接，如 500~800")};
    if (web.second)
        throw Failure{QStringLiteral("腹板厚“%1”只能写一个数").arg(web.text)};
    Reading r;
    r.kind = Kind::TaperedH;
    const double h1 = height.value;
    const double h2 = height.second.value_or(h1);
    const double b1 = width.value;
    const double b2 = width.second.value_or(b1);
    const double t2a = flange.value;
    const double t2b = flange.second.value_or(t2a);
    r.dims = {h1, h2, b1, b2, web.value, t2a, t2b};
    for (double h : {h1, h2})
        if (t2a + t2b >= h)
            throw Failure{QStringLiteral("两翼缘厚之和不小于高 %1 mm，截面不成立").arg(numberText(h))};
    if (web.value >= std::min(b1, b2))
        throw Failure{QStringLiteral("腹板厚不小于翼缘宽，截面不成立")};
    return r;
}

Reading readH(const QString &prefix, bool welded, std::vector<double> &bracket, std::vector<Part> &parts)
{
    const bool tapered = std::any_of(parts.begin(), parts.end(), [](const Part &p) { return p.second.has_value(); });
    if (tapered)
        return taperedH(parts);
    const bool hk = prefix == QLatin1String("HK");
    const QString series = prefix.size() == 2 && prefix != QLatin1String("WH") && !hk ? prefix : QString();
    welded = welded || prefix == QLatin1String("WH");
    const QString name = hk ? QStringLiteral("HK型钢") : QStringLiteral("H型钢");
    requireCount(parts, welded ? std::initializer_list<size_t>{4} : std::initializer_list<size_t>{2, 4},
                 welded ? QStringLiteral("焊接H型钢要写 高×宽×腹板厚×翼缘厚 四个数")
                        : QStringLiteral("%1要写 高×宽×腹板厚×翼缘厚 四个数，或公称尺寸 高×宽 两个数").arg(name));
    std::vector<double> v = plainValues(parts, name);
    if (!bracket.empty()) {
        if (v.size() != 2 || bracket.size() != 4)
            throw Failure{QStringLiteral("括号里要写实际尺寸 高×宽×腹板厚×翼缘厚，如 HK300×300(308×305×9.9×15.4)")};
        v = bracket;
    }
    if (welded && !series.isEmpty())
        throw Failure{QStringLiteral("%1 是热轧H型钢的系列代号，焊接H型钢请写 H 或 WH").arg(series)};
    return hShape(welded ? Kind::WeldedH : (hk ? Kind::HKBeam : Kind::HBeam), v, series);
}

Reading readT(const QString &prefix, bool welded, std::vector<Part> &parts)
{
    const QString series = prefix.size() == 2 && prefix != QLatin1String("T=") ? prefix : QString();
    requireCount(parts, welded ? std::initializer_list<size_t>{4} : std::initializer_list<size_t>{2, 4},
                 QStringLiteral("T型钢要写 高×宽×腹板厚×翼缘厚 四个数，或公称尺寸 高×宽 两个数"));
    const std::vector<double> v = plainValues(parts, QStringLiteral("T型钢"));
    return hShape(welded ? Kind::WeldedTee : Kind::CutTee, v, series);
}

// I20a, [20a, 20a#工字钢: the number (h in cm) and its grade.
Reading readNumbered(Kind kind, std::vector<Part> &parts)
{
    const QString name = kind == Kind::IBeam ? QStringLiteral("工字钢") : QStringLiteral("槽钢");
    requireCount(parts, {1}, QStringLiteral("%1只写号数（如 20a），这里写了多段").arg(name));
    const Part &part = parts.front();
    if (part.second)
        throw Failure{QStringLiteral("%1号数“%2”不对").arg(name, part.text)};
    if (part.value > 100)
        throw Failure{QStringLiteral("%1号数“%2”太大（号数是以厘米计的高，如 20a）").arg(name, part.text)};
    Reading r;
    r.kind = kind;
    r.dims = {part.value};
    r.grade = part.grade;
    return r;
}

// ∠63×6, ∠100×63×8, and the old ∠10/6.3×8 whose leg widths are in centimetres.
Reading readAngle(std::vector<Part> &parts)
{
    if (parts.size() == 1)
        throw Failure{QStringLiteral("角钢要写边宽和边厚，如 ∠63×6；只写“%1”无法计重").arg(parts.front().text)};
    requireCount(parts, {2, 3}, QStringLiteral("角钢要写 边宽×边厚 或 长边×短边×边厚"));
    Reading r;
    if (parts.size() == 2 && parts[0].second) {
        if (parts[0].joiner != u'/')
            throw Failure{QStringLiteral("角钢号数“%1”不对").arg(parts[0].text)};
        const double big = parts[0].value * 10;
        const double small = *parts[0].second * 10;
        std::vector<Part> rest(parts.begin() + 1, parts.end());
        const double d = plainValues(rest, QStringLiteral("角钢")).front();
        r.kind = Kind::UnequalAngle;
        r.dims = {big, small, d};
    } else {
        const std::vector<double> v = plainValues(parts, QStringLiteral("角钢"));
        r.kind = v.size() == 2 ? Kind::EqualAngle : Kind::UnequalAngle;
        r.dims = v;
        if (v.size() == 3 && v[0] < v[1])
            std::swap(r.dims[0], r.dims[1]);
    }
    const double d = r.dims.back();
    const double narrow = r.kind == Kind::EqualAngle ? r.dims[0] : r.dims[1];
    if (d >= narrow)
        throw Failure{QStringLiteral("边厚 %1 mm 不小于边宽 %2 mm，截面不成立").arg(numberText(d), numberText(narrow))};
    return r;
}

Reading readBox(const QString &prefix, const QString &word, std::vector<Part> &parts)
{
    const std::vector<double> v = plainValues(parts, QStringLiteral("方矩管"));
    Reading r;
    if (v.size() == 1) {
        if (prefix == QLatin1String("F") || prefix == QLatin1String("J") || word == QStringLiteral("□"))
            throw Failure{QStringLiteral("空心型钢要写边长和壁厚，如 □100×6")};
        r.kind = Kind::SquareBar;
        r.dims = v;
        return r;
    }
    if (word == QLatin1String("SB"))
        throw Failure{QStringLiteral("方钢只写边长，如 方钢20")};
    if (prefix == QLatin1String("F"))
        requireCount(parts, {2}, QStringLiteral("F 方形空心型钢写 边长×壁厚，如 F100×6"));
    if (prefix == QLatin1String("J"))
        requireCount(parts, {3}, QStringLiteral("J 矩形空心型钢写 长边×短边×壁厚，如 J150×100×6"));
    requireCount(parts, {2, 3}, QStringLiteral("方矩管要写 高×宽×壁厚 或 边长×壁厚"));
    r.kind = Kind::RectHollow;
    r.dims = v.size() == 2 ? std::vector<double>{v[0], v[0], v[1]} : v;
    if (r.dims[0] < r.dims[1])
        std::swap(r.dims[0], r.dims[1]);
    requireWall(r.dims[2], r.dims[1], QStringLiteral("壁厚"));
    return r;
}

Reading readRound(const QString &prefix, const QString &word, std::vector<Part> &parts)
{
    const std::vector<double> v = plainValues(parts, QStringLiteral("圆管"));
    Reading r;
    if (v.size() == 1) {
        if (prefix == QLatin1String("D") || word == QStringLiteral("Φ"))
            throw Failure{QStringLiteral("钢管要写外径和壁厚，如 Φ219×8")};
        r.kind = Kind::RoundBar;
        r.dims = v;
        return r;
    }
    if (word == QLatin1String("RB"))
        throw Failure{QStringLiteral("圆钢只写直径，如 圆钢Φ20")};
    requireCount(parts, {2}, QStringLiteral("圆管要写 外径×壁厚，如 Φ219×8"));
    r.kind = Kind::RoundHollow;
    r.dims = v;
    requireWall(v[1], v[0], QStringLiteral("壁厚"));
    return r;
}

// PL10×200(×1000), -10×200, 钢板10: the thickness first; "-200×10" is read with the smaller number
// as the thickness, and says so.
Reading readPlate(const QString &prefix, std::optional<double> &bracketLength, std::vector<Part> &parts)
{
    requireCount(parts, prefix == QLatin1String("-") ? std::initializer_list<size_t>{2, 3}
                                                      : std::initializer_list<size_t>{1, 2, 3},
                 prefix == QLatin1String("-") ? QStringLiteral("扁钢写 -厚×宽，如 -10×200")
                                              : QStringLiteral("钢板写 PL厚×宽 或 PL厚×宽×长"));
    Reading r;
    r.kind = prefix == QLatin1String("-") ? Kind::Flat : Kind::Plate;
    const size_t dims = std::min<size_t>(parts.size(), 2);
    std::vector<Part> sizes(parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(dims));
    r.dims = plainValues(sizes, QStringLiteral("钢板"));
    if (parts.size() == 3) {
        const Part &length = parts[2];
        if (length.second || !length.grade.isEmpty() || length.value > kMaxPieceLength)
            throw Failure{QStringLiteral("长度“%1”不对").arg(length.text)};
        r.pieceLength = length.value;
    }
    if (bracketLength) {
        if (r.pieceLength || *bracketLength > kMaxPieceLength)
            throw Failure{QStringLiteral("长度写了两次或太长")};
        r.pieceLength = bracketLength;
    }
    if (r.dims.size() == 2 && r.dims[0] > r.dims[1]) {
        std::swap(r.dims[0], r.dims[1]);
        r.swapped = true;
    }
    return r;
}

Reading readLipped(Kind kind, std::vector<Part> &parts)
{
    const QString name = kind == Kind::CPurlin ? QStringLiteral("C型钢") : QStringLiteral("Z型钢");
    requireCount(parts, {4}, QStringLiteral("%1要写 高×宽×卷边×壁厚 四个数").arg(name));
    Reading r;
    r.kind = kind;
    r.dims = plainValues(parts, name);
    const double t = r.dims[3];
    requireWall(t, r.dims[1], QStringLiteral("壁厚"));
    if (t >= r.dims[2])
        throw Failure{QStringLiteral("壁厚 %1 mm 不小于卷边 %2 mm，截面不成立").arg(numberText(t), numberText(r.dims[2]))};
    if (r.dims[1] * 2 > r.dims[0] * 4)
        throw Failure{QStringLiteral("翼缘宽与腹板高不像冷弯型钢（%1×%2）").arg(numberText(r.dims[0]), numberText(r.dims[1]))};
    return r;
}

} // namespace

Reading detail::readKind(const QString &family, const QString &prefix, const QString &word, bool welded,
                 std::vector<double> &bracket, std::optional<double> &bracketLength, std::vector<Part> &parts)
{
    if (!bracket.empty() && family != QLatin1String("H"))
        throw Failure{QStringLiteral("括号里的尺寸只用于 HK、H 的公称尺寸")};
    if (bracketLength && family != QLatin1String("PL"))
        throw Failure{QStringLiteral("括号里的长度只用于钢板，其他型钢的长度请写在长度栏")};
    const bool numbered = family == QLatin1String("I") || family == QLatin1String("[");
    if (!numbered)
        for (const Part &part : parts)
            if (!part.grade.isEmpty() && family != QLatin1String("H"))
                throw Failure{QStringLiteral("尺寸“%1”后面不能带字母").arg(part.text)};
    if (family == QLatin1String("H"))
        return readH(prefix.isEmpty() && word == QLatin1String("H") ? QStringLiteral("H") : prefix, welded, bracket,
                     parts);
    if (family == QLatin1String("T"))
        return readT(prefix, welded, parts);
    if (family == QLatin1String("I"))
        return readNumbered(Kind::IBeam, parts);
    if (family == QLatin1String("["))
        return readNumbered(Kind::Channel, parts);
    if (family == QString(QChar(0x2220)))
        return readAngle(parts);
    if (family == QString(QChar(0x25A1)))
        return readBox(prefix, word, parts);
    if (family == QString(QChar(0x03A6)))
        return readRound(prefix, word, parts);
    if (family == QLatin1String("PL"))
        return readPlate(word == QLatin1String("-") && prefix.isEmpty() ? QStringLiteral("-") : prefix, bracketLength,
                         parts);
    if (family == QLatin1String("C"))
        return readLipped(Kind::CPurlin, parts);
    if (family == QLatin1String("Z"))
        return readLipped(Kind::ZPurlin, parts);
    throw Failure{QStringLiteral("不认识代号“%1”").arg(prefix)};
}

} // namespace mhbk::designation
