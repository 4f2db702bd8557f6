#include "workbooks/engine/stylejson.h"

#include <QJsonValue>
#include <array>

namespace mhbk::wb {

namespace {

template<typename E>
struct Name
{
    E value;
    const char *text;
};

constexpr std::array<Name<HAlign>, 6> kHAligns{{{HAlign::General, "general"}, {HAlign::Left, "left"},
                                                {HAlign::Center, "center"}, {HAlign::Right, "right"},
                                                {HAlign::Justify, "justify"}, {HAlign::CenterAcross, "centerAcross"}}};
constexpr std::array<Name<VAlign>, 3> kVAligns{{{VAlign::Top, "top"}, {VAlign::Center, "center"}, {VAlign::Bottom, "bottom"}}};
constexpr std::array<Name<LineStyle>, 8> kLines{{{LineStyle::None, "none"}, {LineStyle::Thin, "thin"},
                                                 {LineStyle::Medium, "medium"}, {LineStyle::Thick, "thick"},
                                                 {LineStyle::Dashed, "dashed"}, {LineStyle::Dotted, "dotted"},
                                                 {LineStyle::Double, "double"}, {LineStyle::Hair, "hair"}}};

template<typename E, size_t N>
bool enumFromJson(const std::array<Name<E>, N> &names, const QJsonValue &v, E *out)
{
    for (const auto &n : names)
        if (v.toString() == QLatin1String(n.text)) {
            *out = n.value;
            return true;
        }
    return false;
}

template<typename E, size_t N>
QString enumText(const std::array<Name<E>, N> &names, E value)
{
    for (const auto &n : names)
        if (n.value == value)
            return QLatin1String(n.text);
    return QString();
}

bool colourFromJson(const QJsonValue &v, Rgb *out)
{
    const QString s = v.toString();
    if (s.size() != 7 || !s.startsWith(u'#'))
        return false;
    bool ok = false;
    const uint rgb = s.mid(1).toUInt(&ok, 16);
    if (ok)
        *out = rgb;
    return ok;
}

QString colourText(Rgb rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QChar(u'0')).toUpper();
}

// "thin" or {"style": "thin", "color": "#RRGGBB"}.
bool borderFromJson(const QJsonValue &v, Border *out)
{
    if (v.isString())
        return enumFromJson(kLines, v, &out->style);
    if (!v.isObject())
        return false;
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it)
        if (it.key() != QLatin1String("style") && it.key() != QLatin1String("color"))
            return false;
    if (o.contains(QLatin1String("style")) && !enumFromJson(kLines, o.value(QLatin1String("style")), &out->style))
        return false;
    return !o.contains(QLatin1String("color")) || colourFromJson(o.value(QLatin1String("color")), &out->colour);
}

QJsonValue borderJson(const Border &b)
{
    if (b.colour == 0)
        return enumText(kLines, b.style);
    return QJsonObject{{QStringLiteral("style"), enumText(kLines, b.style)}, {QStringLiteral("color"), colourText(b.colour)}};
}

bool applyOne(const QString &key, const QJsonValue &v, CellStyle *s)
{
    if (key == QLatin1String("font")) { s->font.name = v.toString(); return v.isString() && !s->font.name.isEmpty(); }
    if (key == QLatin1String("size")) { s->font.sizePt = v.toDouble(); return v.isDouble() && v.toDouble() >= 1 && v.toDouble() <= 409; }
    if (key == QLatin1String("bold")) { s->font.bold = v.toBool(); return v.isBool(); }
    if (key == QLatin1String("italic")) { s->font.italic = v.toBool(); return v.isBool(); }
    if (key == QLatin1String("underline")) { s->font.underline = v.toBool(); return v.isBool(); }
    if (key == QLatin1String("color")) return colourFromJson(v, &s->font.colour);
    if (key == QLatin1String("fill")) {
        s->filled = !v.isNull() && v.toString() != QLatin1String("none");
        return !s->filled || colourFromJson(v, &s->fill);
    }
    if (key == QLatin1String("border")) {
        Border b;
        if (!borderFromJson(v, &b))
            return false;
        s->left = s->right = s->top = s->bottom = b;
        return true;
    }
    if (key == QLatin1String("borderLeft")) return borderFromJson(v, &s->left);
    if (key == QLatin1String("borderRight")) return borderFromJson(v, &s->right);
    if (key == QLatin1String("borderTop")) return borderFromJson(v, &s->top);
    if (key == QLatin1String("borderBottom")) return borderFromJson(v, &s->bottom);
    if (key == QLatin1String("hAlign")) return enumFromJson(kHAligns, v, &s->hAlign);
    if (key == QLatin1String("vAlign")) return enumFromJson(kVAligns, v, &s->vAlign);
    if (key == QLatin1String("wrap")) { s->wrap = v.toBool(); return v.isBool(); }
    if (key == QLatin1String("numberFormat")) { s->numberFormat = v.toString(); return v.isString(); }
    if (key == QLatin1String("locked")) { s->locked = v.toBool(); return v.isBool(); }
    return false;
}

} // namespace

bool applyStyleJson(const QJsonObject &json, CellStyle *style, QString *error)
{
    for (auto it = json.begin(); it != json.end(); ++it) {
        if (!applyOne(it.key(), it.value(), style)) {
            *error = QStringLiteral("%1: 无效的样式属性或取值").arg(it.key());
            return false;
        }
    }
    return true;
}

QJsonObject styleDiffJson(const CellStyle &s, const CellStyle &b)
{
    QJsonObject o;
    if (s.font.name != b.font.name) o.insert(QStringLiteral("font"), s.font.name);
    if (s.font.sizePt != b.font.sizePt) o.insert(QStringLiteral("size"), s.font.sizePt);
    if (s.font.bold != b.font.bold) o.insert(QStringLiteral("bold"), s.font.bold);
    if (s.font.italic != b.font.italic) o.insert(QStringLiteral("italic"), s.font.italic);
    if (s.font.underline != b.font.underline) o.insert(QStringLiteral("underline"), s.font.underline);
    if (s.font.colour != b.font.colour) o.insert(QStringLiteral("color"), colourText(s.font.colour));
    if (s.filled != b.filled || (s.filled && s.fill != b.fill))
        o.insert(QStringLiteral("fill"), s.filled ? QJsonValue(colourText(s.fill)) : QJsonValue(QStringLiteral("none")));
    const std::array<std::pair<const char *, const Border CellStyle::*>, 4> sides{
        {{"borderLeft", &CellStyle::left}, {"borderRight", &CellStyle::right}, {"borderTop", &CellStyle::top},
         {"borderBottom", &CellStyle::bottom}}};
    for (const auto &[key, member] : sides)
        if (!(s.*member == b.*member))
            o.insert(QLatin1String(key), borderJson(s.*member));
    if (s.hAlign != b.hAlign) o.insert(QStringLiteral("hAlign"), enumText(kHAligns, s.hAlign));
    if (s.vAlign != b.vAlign) o.insert(QStringLiteral("vAlign"), enumText(kVAligns, s.vAlign));
    if (s.wrap != b.wrap) o.insert(QStringLiteral("wrap"), s.wrap);
    if (s.numberFormat != b.numberFormat) o.insert(QStringLiteral("numberFormat"), s.numberFormat);
    if (s.locked != b.locked) o.insert(QStringLiteral("locked"), s.locked);
    return o;
}

} // namespace mhbk::wb
