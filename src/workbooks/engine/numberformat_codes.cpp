#include "workbooks/engine/function_args.h"
#include "workbooks/engine/numberformat.h"

#include "numbers/format.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace mhbk::wb {

namespace {

// One ";"-separated part of a format code, reduced to what a cell display needs: literal
// text before and after the number, and the number's digits, grouping and scaling.
struct Section
{
    QString prefix, suffix;
    bool general = false, text = false, hasDigits = false;
    int minInt = 0, minDec = 0, maxDec = 0;
    bool grouping = false, sci = false;
    int scaleThousands = 0, percent = 0, expDigits = 2;
};

QStringList splitSections(const QString &format)
{
    QStringList parts;
    QString cur;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'"')
            quoted = !quoted;
        if (c == u'\\' && i + 1 < format.size()) {
            cur += c;
            cur += format[++i];
            continue;
        }
        if (c == u';' && !quoted) {
            parts << cur;
            cur.clear();
            continue;
        }
        cur += c;
    }
    parts << cur;
    return parts;
}

class SectionParser
{
public:
    explicit SectionParser(const QString &code) : code_(code) {}

    Section run()
    {
        while (i_ < code_.size())
            step();
        return s_;
    }

private:
    void literal(const QString &t) { (started_ ? s_.suffix : s_.prefix) += t; }

    void step()
    {
        const QChar c = code_[i_];
        if (c == u'"') {
            const qsizetype end = code_.indexOf(u'"', i_ + 1);
            const qsizetype stop = end < 0 ? code_.size() : end;
            literal(code_.mid(i_ + 1, stop - i_ - 1));
            i_ = stop + 1;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            if (c == u'\\' && i_ + 1 < code_.size())
                literal(code_.mid(i_ + 1, 1));
            else if (c == u'_')
                literal(QStringLiteral(" "));
            i_ += 2;
        } else if (c == u'[') {
            const qsizetype end = code_.indexOf(u']', i_);
            i_ = end < 0 ? code_.size() : end + 1;
        } else if (QStringView(code_).mid(i_).startsWith(u"General", Qt::CaseInsensitive)) {
            s_.general = started_ = true;
            i_ += 7;
        } else if (c == u'@') {
            s_.text = started_ = true;
            ++i_;
        } else if (c == u'%') {
            ++s_.percent;
            literal(QStringLiteral("%"));
            ++i_;
        } else if (!done_ && (c == u'0' || c == u'#' || c == u'?' || c == u'.' || (c == u',' && started_))) {
            number(c);
        } else if (started_ && !done_ && (c == u'E' || c == u'e') && i_ + 1 < code_.size() &&
                   (code_[i_ + 1] == u'+' || code_[i_ + 1] == u'-')) {
            s_.sci = true;
            i_ += 2;
            s_.expDigits = 0;
            while (i_ < code_.size() && code_[i_] == u'0') {
                ++s_.expDigits;
                ++i_;
            }
            done_ = true;
        } else {
            if (started_)
                done_ = true;
            literal(QString(c));
            ++i_;
        }
    }

    void number(QChar c)
    {
        s_.hasDigits = started_ = true;
        ++i_;
        if (c == u'.') {
            afterPoint_ = true;
        } else if (c == u',') {
            const QChar next = i_ < code_.size() ? code_[i_] : QChar();
            if (!afterPoint_ && (next == u'0' || next == u'#' || next == u'?'))
                s_.grouping = true;
            else
                ++s_.scaleThousands;
        } else if (afterPoint_) {
            ++s_.maxDec;
            s_.minDec += c != u'#';
        } else {
            s_.minInt += c == u'0';
        }
    }

    const QString &code_;
    qsizetype i_ = 0;
    Section s_;
    bool started_ = false, done_ = false, afterPoint_ = false;
};

// `a` >= 0 rounded half away from zero to `decimals`, as fixed-point text.
QString fixed(double a, int decimals)
{
    const double p = std::pow(10.0, decimals);
    if (a * p < 9e15)
        a = std::round(approx15(a * p)) / p;
    return fixedText(a, decimals);
}

QString group(const QString &digits)
{
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return out;
}

QString digitsFor(const Section &s, double a)
{
    if (s.sci) {
        int e = a == 0 ? 0 : int(std::floor(std::log10(a)));
        QString m = fixed(a / std::pow(10.0, e), s.maxDec);
        if (m.startsWith(QLatin1String("10"))) {
            ++e;
            m = fixed(a / std::pow(10.0, e), s.maxDec);
        }
        return m + QString::fromStdString(numbers::exponentText(e, s.expDigits));
    }
    const QString f = fixed(a, s.maxDec);
    const qsizetype point = f.indexOf(u'.');
    QString intPart = point < 0 ? f : f.left(point);
    QString decPart = point < 0 ? QString() : f.mid(point + 1);
    while (decPart.size() > s.minDec && decPart.endsWith(u'0'))
        decPart.chop(1);
    if (intPart == QLatin1String("0") && s.minInt == 0)
        intPart.clear();
    while (intPart.size() < s.minInt)
        intPart.prepend(u'0');
    if (s.grouping)
        intPart = group(intPart);
    return s.maxDec > 0 ? intPart + u'.' + decPart : intPart;
}

Section sectionFor(const QStringList &sections, double value, bool *showSign)
{
    *showSign = false;
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty())
        return SectionParser(sections[1]).run();
    if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty())
        return SectionParser(sections[2]).run();
    *showSign = value < 0;
    return SectionParser(sections[0]).run();
}

} // namespace

QString formatNumber(double value, const QString &format)
{
    if (!std::isfinite(value))
        return errorText(ErrorCode::Num);
    const QString trimmed = format.trimmed();
    if (trimmed.isEmpty() || trimmed.compare(u"General", Qt::CaseInsensitive) == 0)
        return formatGeneral(value);
    bool showSign = false;
    const Section s = sectionFor(splitSections(trimmed), value, &showSign);
    double a = std::fabs(value) * std::pow(100.0, s.percent) / std::pow(1000.0, s.scaleThousands);
    QString body;
    if (s.general)
        body = formatGeneral(a);
    else if (s.hasDigits)
        body = digitsFor(s, a);
    else if (s.text || (s.prefix.isEmpty() && s.suffix.isEmpty()))
        body = formatGeneral(a);   // "@", or a code we cannot read
    // "-0.00" is not shown for a value that rounds to zero.
    if (showSign && body.contains(QRegularExpression(QStringLiteral("[1-9]"))))
        body.prepend(u'-');
    return s.prefix + body + s.suffix;
}

QString formatValue(const Value &value, const QString &format)
{
    switch (value.kind()) {
    case Value::Kind::Empty: return QString();
    case Value::Kind::Number: return formatNumber(value.asNumber(), format);
    case Value::Kind::Boolean: return value.asBoolean() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Value::Kind::Error: return errorText(value.asError());
    case Value::Kind::Text: break;
    }
    const QStringList sections = splitSections(format);
    const QString code = sections.size() >= 4 ? sections[3] : sections[0];
    const Section s = SectionParser(code).run();
    if (!s.text)
        return value.asText();
    return s.prefix + value.asText() + s.suffix;
}

} // namespace mhbk::wb
