// A reading in words: the kind and each dimension with its name, as the answer shows them.
#include "designation/reading.h"

#include <QStringList>

namespace mhbk::designation {

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::HBeam: return QStringLiteral("热轧H型钢");
    case Kind::HKBeam: return QStringLiteral("HK型钢");
    case Kind::WeldedH: return QStringLiteral("焊接H型钢");
    case Kind::TaperedH: return QStringLiteral("焊接变截面H型钢");
    case Kind::CutTee: return QStringLiteral("剖分T型钢");
    case Kind::WeldedTee: return QStringLiteral("焊接T型钢");
    case Kind::IBeam: return QStringLiteral("热轧工字钢");
    case Kind::Channel: return QStringLiteral("热轧槽钢");
    case Kind::EqualAngle: return QStringLiteral("等边角钢");
    case Kind::UnequalAngle: return QStringLiteral("不等边角钢");
    case Kind::RectHollow: return QStringLiteral("冷弯方矩形空心型钢");
    case Kind::RoundHollow: return QStringLiteral("圆管");
    case Kind::Plate: return QStringLiteral("钢板");
    case Kind::Flat: return QStringLiteral("扁钢（板条）");
    case Kind::CPurlin: return QStringLiteral("冷弯卷边C型钢");
    case Kind::ZPurlin: return QStringLiteral("冷弯卷边Z型钢");
    case Kind::RoundBar: return QStringLiteral("圆钢");
    case Kind::SquareBar: return QStringLiteral("方钢");
    }
    return {};
}

namespace {

// The names of the dimensions of each kind, in the order of Reading::dims.
QStringList dimensionNames(const Reading &r)
{
    switch (r.kind) {
    case Kind::HBeam:
    case Kind::HKBeam:
    case Kind::WeldedH:
        return r.nominal ? QStringList{QStringLiteral("公称高 H"), QStringLiteral("公称宽 B")}
                         : QStringList{QStringLiteral("高 H"), QStringLiteral("翼缘宽 B"), QStringLiteral("腹板厚 t1"),
                                       QStringLiteral("翼缘厚 t2")};
    case Kind::TaperedH:
        return {QStringLiteral("一端高 H1"), QStringLiteral("另一端高 H2"), QStringLiteral("上翼缘宽 B1"),
                QStringLiteral("下翼缘宽 B2"), QStringLiteral("腹板厚 t1"), QStringLiteral("上翼缘厚 t2"),
                QStringLiteral("下翼缘厚 t3")};
    case Kind::CutTee:
    case Kind::WeldedTee:
        return r.nominal ? QStringList{QStringLiteral("公称高 h"), QStringLiteral("公称宽 B")}
                         : QStringList{QStringLiteral("高 h"), QStringLiteral("翼缘宽 B"), QStringLiteral("腹板厚 t1"),
                                       QStringLiteral("翼缘厚 t2")};
    case Kind::IBeam:
    case Kind::Channel: return {QStringLiteral("号数")};
    case Kind::EqualAngle: return {QStringLiteral("边宽 b"), QStringLiteral("边厚 d")};
    case Kind::UnequalAngle: return {QStringLiteral("长边宽 B"), QStringLiteral("短边宽 b"), QStringLiteral("边厚 d")};
    case Kind::RectHollow: return {QStringLiteral("高 H"), QStringLiteral("宽 B"), QStringLiteral("壁厚 t")};
    case Kind::RoundHollow: return {QStringLiteral("外径 D"), QStringLiteral("壁厚 t")};
    case Kind::Plate:
    case Kind::Flat: return {QStringLiteral("厚 t"), QStringLiteral("宽 b")};
    case Kind::CPurlin:
    case Kind::ZPurlin:
        return {QStringLiteral("腹板高 h"), QStringLiteral("翼缘宽 b"), QStringLiteral("卷边高 c"), QStringLiteral("壁厚 t")};
    case Kind::RoundBar: return {QStringLiteral("直径 d")};
    case Kind::SquareBar: return {QStringLiteral("边长 a")};
    }
    return {};
}

} // namespace

QString dimensionsInWords(const Reading &reading)
{
    const QStringList names = dimensionNames(reading);
    QStringList parts;
    for (size_t i = 0; i < reading.dims.size() && i < static_cast<size_t>(names.size()); ++i) {
        const QString value = numberText(reading.dims[i]);
        if (reading.kind == Kind::IBeam || reading.kind == Kind::Channel)
            parts << QStringLiteral("号数 %1%2（高 h=%3 mm）").arg(value, reading.grade, numberText(reading.dims[i] * 10));
        else
            parts << QStringLiteral("%1=%2 mm").arg(names.at(static_cast<int>(i)), value);
    }
    if (!reading.series.isEmpty())
        parts << QStringLiteral("系列 %1").arg(reading.series);
    if (reading.pieceLength)
        parts << QStringLiteral("长 %1 mm").arg(numberText(*reading.pieceLength));
    if (reading.count > 1)
        parts << QStringLiteral("每件 %1 根").arg(reading.count);
    if (reading.swapped)
        parts << QStringLiteral("较小的数当作厚度");
    return parts.join(QStringLiteral("，"));
}

} // namespace mhbk::designation
