#include "designation/reading.h"
#include "designation/readingparts.h"

#include <QRegularExpression>
#include <QStringList>
#include <array>
#include <cmath>
#include <utility>

namespace mhbk::designation {

namespace {

constexpr int kMaxCount = 1000;

using detail::Part;
using Failure = detail::ReadFailure;

QString failureText(const QString &text, const QString &why)
{
    return QStringLiteral("无法识别“%1”：%2\n可接受的写法：\n%3").arg(text, why, acceptedForms());
}

// A character that is no part of any written text: a control character or a byte that was not
// valid text. Such input is a pasted binary block, not a designation.
bool isBinary(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 && u != u'\t') || u == 0x7F || u == 0xFFFD || u == 0xFFFE || u == 0xFFFF
        || c.category() == QChar::Other_PrivateUse || c.category() == QChar::Other_NotAssigned;
}

// One spelling of each sign: the multiplication sign, the round-section sign, the angle sign, the
// box sign and the dash; spaces, '#' and the unit mm dropped. Full-width forms are folded first.
QString normalizedText(const QString &text)
{
    const QString folded = text.normalized(QString::NormalizationForm_KC);
    QString out;
    out.reserve(folded.size());
    for (const QChar c : folded) {
        if (c.isSpace() || c == u'#' || c == u':')
            continue;
        // A letter x is a times sign between sizes ("200x100", "(x1000)"); elsewhere it is a
        // letter as typed, so that an unknown code is quoted as the user wrote it.
        const bool afterSize = !out.isEmpty() && (out.back().isDigit() || out.back() == u')' || out.back() == u'(');
        if ((c == u'x' || c == u'X') && !afterSize) {
            out += c;
            continue;
        }
        switch (c.unicode()) {
        case u'x': case u'X': case u'*': case 0x00D7: case 0x2715: case 0x2716: case 0x2A2F: case 0x00B7:
            out += QChar(0x00D7);
            break;
        case u'φ': case u'Φ': case 0x00D8: case 0x00F8: case 0x0424: case 0x0444: case 0x2300: case 0x2205:
            out += QChar(0x03A6);
            break;
        case 0x221F: case 0x2220:
            out += QChar(0x2220);
            break;
        case 0x53E3: case 0x25A2: case 0x2610: case 0x25A1:
            out += QChar(0x25A1);
            break;
        case 0x2010: case 0x2013: case 0x2014: case 0x2212: case 0x2500:
            out += u'-';
            break;
        case 0x301C:
            out += u'~';
            break;
        case 0x3014:
            out += u'[';
            break;
        case 0x3015:
            out += u']';
            break;
        default:
            out += c;
        }
    }
    // "400mm×200mm": millimetres are the unit of every dimension anyway.
    static const QRegularExpression millimetres(QStringLiteral("(?<=[0-9])mm"), QRegularExpression::CaseInsensitiveOption);
    out.replace(millimetres, QString());
    return out;
}

// Chinese names and words of a designation and what each stands for. Longest first, so that
// "焊接钢管" is a pipe before "焊接" is read as welded.
struct Word {
    const char16_t *text;
    const char16_t *meaning; // a prefix, or "RB"/"SB" (round/square bar), "2" (two pieces), "W" (welded), "" (nothing)
};
const Word kWords[] = {
    {u"C型檩条", u"C"}, {u"Z型檩条", u"Z"},
    {u"高频焊H型钢", u"WH"}, {u"焊接H型钢", u"WH"}, {u"不等边角钢", u"∠"}, {u"剖分T型钢", u"T"},
    {u"矩形钢管", u"□"},     {u"无缝钢管", u"Φ"},   {u"焊接钢管", u"Φ"},   {u"等边角钢", u"∠"},
    {u"焊接H钢", u"WH"},     {u"H型钢", u"H"},      {u"T型钢", u"T"},      {u"工字钢", u"I"},
    {u"C型钢", u"C"},        {u"Z型钢", u"Z"},      {u"方钢管", u"□"},     {u"矩形管", u"□"},
    {u"方矩管", u"□"},       {u"C型檩", u"C"},      {u"Z型檩", u"Z"},      {u"槽钢", u"["},
    {u"角钢", u"∠"},         {u"钢板", u"PL"},      {u"扁钢", u"-"},       {u"圆钢", u"RB"},
    {u"方钢", u"SB"},        {u"方管", u"□"},       {u"矩管", u"□"},       {u"钢管", u"Φ"},
    {u"圆管", u"Φ"},         {u"焊管", u"Φ"},       {u"双拼", u"2"},       {u"型号", u""},
    {u"规格", u""},          {u"焊接", u"W"},       {u"檩条", u""},        {u"工", u"I"},
    {u"槽", u"["},           {u"角", u"∠"},         {u"板", u"PL"},        {u"扁", u"-"},
    {u"双", u"2"},           {u"根", u""},
};

bool isChinese(QChar c)
{
    return c.unicode() >= 0x2E80 && c.unicode() != 0x25A1;
}

struct Words {
    QString prefix;    // from a Chinese name: a prefix of the table below, RB or SB
    bool welded = false;
    bool twice = false;
    QString rest;      // the text without its words
};

Words takeWords(const QString &text)
{
    Words words;
    for (int i = 0; i < text.size();) {
        bool matched = false;
        for (const Word &word : kWords) {
            const QString name = QString::fromUtf16(word.text);
            if (!QStringView(text).mid(i).startsWith(name))
                continue;
            const QString meaning = QString::fromUtf16(word.meaning);
            if (meaning == QLatin1String("W")) {
                words.welded = true;
            } else if (meaning == QLatin1String("2")) {
                words.twice = true;
            } else if (!meaning.isEmpty()) {
                if (meaning == QLatin1String("WH"))
                    words.welded = true;
                const QString prefix = meaning == QLatin1String("WH") ? QStringLiteral("H") : meaning;
                if (!words.prefix.isEmpty() && words.prefix != prefix)
                    throw Failure{QStringLiteral("“%1”与前面的名称所指的型钢不同").arg(name)};
                words.prefix = prefix;
            }
            i += static_cast<int>(name.size());
            matched = true;
            break;
        }
        if (matched)
            continue;
        if (isChinese(text.at(i)))
            throw Failure{QStringLiteral("不认识“%1”这个字").arg(text.at(i))};
        words.rest += text.at(i);
        ++i;
    }
    return words;
}

// The written prefixes, longest first, each with the family it belongs to.
struct Prefix {
    const char16_t *text;
    const char16_t *family;
};
const std::array<Prefix, 28> kPrefixes = {{
    {u"WH", u"H"}, {u"HW", u"H"}, {u"HM", u"H"}, {u"HN", u"H"}, {u"HT", u"H"}, {u"HK", u"H"},
    {u"TW", u"T"}, {u"TM", u"T"}, {u"TN", u"T"}, {u"PL", u"PL"}, {u"T=", u"PL"}, {u"DN", u"DN"},
    {u"H", u"H"},  {u"T", u"T"},  {u"I", u"I"},  {u"[", u"["},  {u"∠", u"∠"},  {u"L", u"∠"},
    {u"□", u"□"},  {u"F", u"□"},  {u"J", u"□"},  {u"Φ", u"Φ"},  {u"D", u"Φ"},  {u"Δ", u"PL"},
    {u"-", u"PL"}, {u"C", u"C"},  {u"Z", u"Z"},  {u"Q", u"Q"},
}};

QString familyOfWord(const QString &word)
{
    if (word == QLatin1String("RB"))
        return QStringLiteral("Φ");
    if (word == QLatin1String("SB"))
        return QStringLiteral("□");
    if (word == QLatin1String("-"))
        return QStringLiteral("PL");
    return word;
}

double checkedNumber(const QString &digits, const QString &part)
{
    if (digits.size() > 12)
        throw Failure{QStringLiteral("“%1”太大").arg(part)};
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw Failure{QStringLiteral("“%1”不是尺寸数字").arg(part)};
    if (value <= 0)
        throw Failure{QStringLiteral("尺寸“%1”为 0，型钢的尺寸须大于 0").arg(part)};
    return value;
}

Part readPart(const QString &part)
{
    if (part.isEmpty())
        throw Failure{QStringLiteral("“×”前后缺少数字")};
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]+(?:\\.[0-9]+)?)(?:([~/])([0-9]+(?:\\.[0-9]+)?))?([ABC])?$"));
    const QRegularExpressionMatch m = pattern.match(part);
    if (!m.hasMatch()) {
        if (part.startsWith(u'-'))
            throw Failure{QStringLiteral("尺寸“%1”是负数，型钢的尺寸须大于 0").arg(part)};
        if (part.contains(QRegularExpression(QStringLiteral("^[0-9.]+E[-+]?[0-9]+$"))))
            throw Failure{QStringLiteral("“%1”是科学计数法，尺寸请直接写毫米数").arg(part)};
        if (part.contains(QRegularExpression(QStringLiteral("[0-9](CM|M)$"))))
            throw Failure{QStringLiteral("“%1”带了毫米以外的单位，尺寸请一律写毫米数").arg(part)};
        throw Failure{QStringLiteral("“%1”不是尺寸数字").arg(part)};
    }
    Part read;
    read.text = part;
    read.value = checkedNumber(m.captured(1), part);
    if (m.capturedLength(3) > 0) {
        read.second = checkedNumber(m.captured(3), part);
        read.joiner = m.captured(2).at(0);
    }
    read.grade = m.captured(4).toLower();
    return read;
}

struct Core {
    int count = 1;
    QString prefix;
    QString family;
    std::vector<Part> parts;
    std::vector<Part> bracket; // "(308×305×9.9×15.4)"
    std::optional<double> bracketLength; // "(×1000)"
};

Core readCore(const QString &text)
{
    Core core;
    // "2[20a": a count before a prefix that has a size after it ("20A" is a number and its grade).
    static const QRegularExpression countPattern(QStringLiteral("^([0-9]{1,4})(?=[A-Z\\[∠□ΦΔ-][^×]*[0-9])"));
    QString rest = text;
    if (const auto m = countPattern.match(rest); m.hasMatch()) {
        core.count = m.captured(1).toInt();
        if (core.count < 1 || core.count > kMaxCount)
            throw Failure{QStringLiteral("根数“%1”不在 1～%2 之间").arg(m.captured(1)).arg(kMaxCount)};
        rest = rest.mid(m.capturedLength(1));
    }
    for (const Prefix &prefix : kPrefixes) {
        const QString p = QString::fromUtf16(prefix.text);
        if (rest.startsWith(p)) {
            core.prefix = p;
            core.family = QString::fromUtf16(prefix.family);
            rest = rest.mid(p.size());
            break;
        }
    }
    if (core.prefix.isEmpty() && !rest.isEmpty() && !rest.at(0).isDigit())
        throw Failure{QStringLiteral("缺少型钢代号（如 H、HN、I、[、∠、□、Φ、PL、C），开头的“%1”不是已知代号").arg(rest.left(3))};
    if (core.family == QLatin1String("DN"))
        throw Failure{QStringLiteral("DN 是公称直径，不是外径；请写外径和壁厚，如 Φ219×8")};
    if (core.family == QLatin1String("Q"))
        throw Failure{QStringLiteral("“Q…”是钢材牌号，不是截面；请写截面规格")};
    const qsizetype open = rest.indexOf(u'(');
    if (open >= 0) {
        if (!rest.endsWith(u')') || rest.count(u'(') != 1 || rest.count(u')') != 1)
            throw Failure{QStringLiteral("括号“%1”没有配对").arg(rest.mid(open))};
        const QString inner = rest.mid(open + 1, rest.size() - open - 2);
        rest = rest.left(open);
        if (inner.startsWith(QChar(0x00D7))) {
            const Part length = readPart(inner.mid(1));
            if (length.second || !length.grade.isEmpty())
                throw Failure{QStringLiteral("括号里的长度“%1”不是一个数").arg(inner)};
            core.bracketLength = length.value;
        } else {
            for (const QString &piece : inner.split(QChar(0x00D7)))
                core.bracket.push_back(readPart(piece));
        }
    }
    if (rest.isEmpty())
        throw Failure{QStringLiteral("缺少尺寸")};
    for (const QString &piece : rest.split(QChar(0x00D7)))
        core.parts.push_back(readPart(piece));
    return core;
}

} // namespace

ReadResult readDesignation(const QString &text)
{
    ReadResult result;
    const QString shown = text.size() > 40 ? text.left(40) + QStringLiteral("…") : text;
    if (text.size() > kMaxDesignationLength) {
        result.error = QStringLiteral("无法识别：这一行有 %1 个字符，规格最多 %2 个字符（是不是粘贴了整段文字？）\n可接受的写法：\n%3")
                           .arg(text.size())
                           .arg(kMaxDesignationLength)
                           .arg(acceptedForms());
        return result;
    }
    for (const QChar c : text) {
        if (isBinary(c)) {
            result.error = QStringLiteral("无法识别：含有控制字符或无效字节，不是文字（是不是粘贴了二进制数据？）");
            return result;
        }
    }
    try {
        const QString normalized = normalizedText(text);
        if (normalized.isEmpty())
            throw Failure{QStringLiteral("没有写规格")};
        const Words words = takeWords(normalized);
        Core core = readCore(words.rest.toUpper().replace(QStringLiteral("Φ"), QStringLiteral("Φ")));
        QString family = core.family;
        const QString wordFamily = familyOfWord(words.prefix);
        if (family.isEmpty() && wordFamily.isEmpty())
            throw Failure{QStringLiteral("缺少型钢代号（如 H、HN、I、[、∠、□、Φ、PL、C），或开头的“%1”不是已知代号")
                              .arg(words.rest.left(3))};
        if (!family.isEmpty() && !wordFamily.isEmpty() && family != wordFamily)
            throw Failure{QStringLiteral("名称与代号“%1”所指的型钢不同").arg(core.prefix)};
        if (family.isEmpty())
            family = wordFamily;
        std::vector<double> bracket;
        for (const Part &part : core.bracket) {
            if (part.second || !part.grade.isEmpty())
                throw Failure{QStringLiteral("括号里的“%1”不是尺寸数字").arg(part.text)};
            bracket.push_back(part.value);
        }
        Reading reading = detail::readKind(family, core.prefix, words.prefix, words.welded, bracket, core.bracketLength,
                                   core.parts);
        reading.count = core.count * (words.twice ? 2 : 1);
        reading.normalized = normalized;
        result.reading = reading;
    } catch (const Failure &failure) {
        result.error = failureText(shown, failure.message);
    }
    return result;
}

QString acceptedForms()
{
    return QStringLiteral(
        "  H型钢  H400×200×8×13、HN400×200、HW/HM/HN/HT/HK+公称尺寸、HK300×300(308×305×9.9×15.4)\n"
        "  焊接H型钢  WH400×200×8×13、焊接H400×200×8×13；变截面 H500~800×400/300×16×22/20\n"
        "  剖分T型钢  TN200×200、T200×200×8×13\n"
        "  工字钢、槽钢  I20a、工20a、20a#工字钢、[20a、槽20a、2[20a\n"
        "  角钢  ∠63×6、L63*6、2L63×6、∠100×63×8、∠10/6.3×8\n"
        "  空心型钢  □200×100×6、□100×6、F100×6、J150×100×6、Φ219×8、D219×8\n"
        "  钢板、扁钢  PL10×200、PL10×200×1000、-10×200、钢板10\n"
        "  冷弯檩条  C160×60×20×2.5、Z160×60×20×2.5\n"
        "  圆钢、方钢  圆钢Φ20、方钢20\n"
        "  尺寸为毫米；× 可写作 x、X、*；全角字符、空格和 # 均可");
}

QString numberText(double value)
{
    QString text = QString::number(value, 'f', 4);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text;
}

} // namespace mhbk::designation
