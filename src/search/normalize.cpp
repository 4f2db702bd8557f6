#include "search/normalize.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>

namespace mhbk::search {

namespace {

struct KindWord {
    const char *word;
    unsigned kinds;
};

// Longest first, so that "工字钢" is taken whole before "工".
constexpr std::array<KindWord, 15> kKindWords{{
    {"六角钢", Hexagon},
    {"矩形钢", Rectangle},
    {"工字钢", IBeam},
    {"角钢", Angle},
    {"槽钢", Channel},
    {"钢板", Plate},
    {"圆钢", Round},
    {"方钢", Square},
    {"扁钢", Flat},
    {"钢管", Pipe},
    {"六角", Hexagon},
    {"圆管", Pipe},
    {"工", IBeam},
    {"槽", Channel},
    {"管", Pipe},
}};

// Marks written before a size, straight before it or as a word of their own: "I20a", "I 20a",
// "[16a", "L50x5", "∠50x5", "φ89x4", "D89x4" (a pipe's outer diameter), "δ10" (a plate's
// thickness), "-40x4" (a flat bar or plate as drawings write it).
struct Mark {
    QChar mark;
    unsigned kinds;
};

constexpr std::array<Mark, 8> kMarks{{
    {QChar(u'i'), IBeam},
    {QChar(u'['), Channel},
    {QChar(u'l'), Angle},
    {QChar(u'∠'), Angle},
    {QChar(u'φ'), Round | Pipe},
    {QChar(u'd'), Round | Pipe},
    {QChar(u'δ'), Plate},
    {QChar(u'-'), Flat | Plate},
}};

const Mark *markOf(QChar c)
{
    const auto it = std::find_if(kMarks.begin(), kMarks.end(), [c](const Mark &m) { return m.mark == c; });
    return it == kMarks.end() ? nullptr : &*it;
}

QChar folded(QChar c)
{
    switch (c.unicode()) {
    case u'×': case u'*': case u'✕': case u'✖': case u'╳': return QLatin1Char('x');
    // The Cyrillic Ф of a Russian keyboard layout is a common stand-in for the diameter sign.
    case u'Φ': case u'φ': case u'Ø': case u'ø': case u'⌀': case u'ϕ': case u'Ф': case u'ф': return QChar(u'φ');
    case u'－': case u'—': case u'–': return QLatin1Char('-');
    case u'　': return QLatin1Char(' ');
    default: return c;
    }
}

bool isHan(QChar c) { return c.unicode() >= 0x2E80 && c != QChar(u'∠'); }

// "2.50" → "2.5", "10.0" → "10": the tables write some sizes with trailing zeros.
QString withoutTrailingZeros(QString text)
{
    static const QRegularExpression decimal(QStringLiteral("(\\d)\\.(\\d*?)0+(?!\\d)"));
    text.replace(decimal, QStringLiteral("\\1.\\2"));
    static const QRegularExpression bareDot(QStringLiteral("(\\d)\\.(?!\\d)"));
    return text.replace(bareDot, QStringLiteral("\\1"));
}

// Splits at blanks and where Chinese text meets Latin text or digits: "20a工字钢" → "20a", "工字钢".
QStringList tokens(const QString &text)
{
    QStringList out;
    QString current;
    bool currentHan = false;
    for (const QChar c : text) {
        if (c.isSpace()) {
            if (!current.isEmpty())
                out << current;
            current.clear();
            continue;
        }
        if (!current.isEmpty() && isHan(c) != currentHan) {
            out << current;
            current.clear();
        }
        currentHan = isHan(c);
        current += c;
    }
    if (!current.isEmpty())
        out << current;
    return out;
}

void takeHanToken(const QString &token, Query &query)
{
    QString rest;
    for (int i = 0; i < token.size();) {
        bool matched = false;
        for (const KindWord &k : kKindWords) {
            const QString word = QString::fromUtf8(k.word);
            if (token.mid(i, word.size()) == word) {
                query.kinds |= k.kinds;
                query.kindWords << word;
                if (!rest.isEmpty())
                    query.terms << rest;
                rest.clear();
                i += static_cast<int>(word.size());
                matched = true;
                break;
            }
        }
        if (!matched)
            rest += token.at(i++);
    }
    if (!rest.isEmpty())
        query.terms << rest;
}

void takeLatinToken(QString token, Query &query)
{
    const Mark *mark = markOf(token.at(0));
    // A mark alone stands before the size that follows it ("I 20a"); "d" and "-" alone are no
    // marks, they are too common as words and dashes.
    if (mark && token.size() == 1 && mark->mark != QLatin1Char('d') && mark->mark != QLatin1Char('-')) {
        query.kinds |= mark->kinds;
        return;
    }
    if (mark && token.size() > 1 && token.at(1).isDigit()) {
        query.kinds |= mark->kinds;
        token.remove(0, 1);
    }
    const bool hasDigit = std::any_of(token.cbegin(), token.cend(), [](QChar c) { return c.isDigit(); });
    if (hasDigit && query.designation.isEmpty())
        query.designation = token;
    else if (token == QLatin1String("dn") && query.designation.isEmpty())
        query.designation = token; // "DN 100" arrives as two words
    else if (hasDigit && query.designation == QLatin1String("dn"))
        query.designation += token;
    else
        query.terms << token;
}

} // namespace

QString normalized(const QString &text)
{
    QString out = text.normalized(QString::NormalizationForm_KC).toLower();
    for (QChar &c : out)
        c = folded(c);
    return withoutTrailingZeros(out);
}

QString designationKey(const QString &text)
{
    QString key = normalized(text);
    key.remove(QLatin1Char(' '));
    return key;
}

Query parseQuery(const QString &text)
{
    Query query;
    for (const QString &token : tokens(normalized(text))) {
        if (isHan(token.at(0)))
            takeHanToken(token, query);
        else
            takeLatinToken(token, query);
    }
    return query;
}

} // namespace mhbk::search
