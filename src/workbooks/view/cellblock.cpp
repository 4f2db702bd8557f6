#include "workbooks/view/cellblock.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace mhbk::view {

namespace {

QString tabField(const QString &text)
{
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString htmlEscaped(const QString &text)
{
    QString out = text.toHtmlEscaped();
    out.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return out;
}

QString decodeEntities(const QString &text)
{
    static const QRegularExpression entity(QStringLiteral("&(#x[0-9a-fA-F]+|#[0-9]+|[a-zA-Z]+);"));
    static const std::map<QString, QString> named{{QStringLiteral("amp"), QStringLiteral("&")},
                                                  {QStringLiteral("lt"), QStringLiteral("<")},
                                                  {QStringLiteral("gt"), QStringLiteral(">")},
                                                  {QStringLiteral("quot"), QStringLiteral("\"")},
                                                  {QStringLiteral("apos"), QStringLiteral("'")},
                                                  {QStringLiteral("nbsp"), QStringLiteral(" ")}};
    QString out;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        bool ok = false;
        uint code = 0;
        if (name.startsWith(QStringLiteral("#x")))
            code = name.mid(2).toUInt(&ok, 16);
        else if (name.startsWith(QLatin1Char('#')))
            code = name.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF) {
            const char32_t c = code;
            out += QString::fromUcs4(&c, 1);
        } else if (const auto n = named.find(name); n != named.end()) {
            out += n->second;
        } else {
            out += m.captured(0);
        }
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

// The text of one cell's markup: tags dropped, runs of blanks made one, <br> a line break.
QString cellTextOf(const QString &markup)
{
    static const QRegularExpression br(QStringLiteral("<br\\s*/?>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression blanks(QStringLiteral("[ \\t\\r\\n]+"));
    QString text = markup;
    text.replace(br, QStringLiteral("\x01"));
    text.remove(tag);
    text.replace(blanks, QStringLiteral(" "));
    text = decodeEntities(text).trimmed();
    text.replace(QStringLiteral(" \x01"), QStringLiteral("\x01")).replace(QStringLiteral("\x01 "), QStringLiteral("\x01"));
    return text.replace(QChar(0x01), QLatin1Char('\n')).replace(QChar(0xA0), QLatin1Char(' '));
}

int spanOf(const QString &attributes, const QString &name)
{
    const QRegularExpression span(name + QStringLiteral("\\s*=\\s*[\"']?(\\d+)"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = span.match(attributes);
    return m.hasMatch() ? std::clamp(m.captured(1).toInt(), 1, 1000) : 1;
}

} // namespace

int blockWidth(const CellBlock &block)
{
    qsizetype width = 0;
    for (const QStringList &row : block)
        width = std::max(width, row.size());
    return int(width);
}

QString blockToTabText(const CellBlock &block)
{
    QString out;
    for (const QStringList &row : block) {
        QStringList fields;
        for (const QString &field : row)
            fields << tabField(field);
        out += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

CellBlock blockFromTabText(const QString &text)
{
    CellBlock block;
    QStringList row;
    QString field;
    bool quoted = false, fieldStarted = false;
    const auto endField = [&] { row << field; field.clear(); fieldStarted = false; };
    const auto endRow = [&] { endField(); block << row; row.clear(); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = fieldStarted = true;
        } else if (c == QLatin1Char('\t')) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endRow();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    // The last line break is optional; a block never ends in a row that was never started.
    if (fieldStarted || quoted || !row.isEmpty() || !field.isEmpty())
        endRow();
    return block;
}

QString blockToHtml(const CellBlock &block)
{
    QString out = QStringLiteral("<table>");
    for (const QStringList &row : block) {
        out += QStringLiteral("<tr>");
        for (const QString &field : row)
            out += QStringLiteral("<td>") + htmlEscaped(field) + QStringLiteral("</td>");
        out += QStringLiteral("</tr>");
    }
    return out + QStringLiteral("</table>");
}

CellBlock blockFromHtml(const QString &html)
{
    static const QRegularExpression table(QStringLiteral("<table\\b[^>]*>(.*?)</table\\s*>"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression rowTag(QStringLiteral("<tr\\b[^>]*>(.*?)(?=<tr\\b|$)"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cellTag(QStringLiteral("<t([dh])\\b([^>]*)>(.*?)(?=<t[dh]\\b|</tr|$)"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cellEnd(QStringLiteral("</t[dh]\\s*>.*$"), QRegularExpression::CaseInsensitiveOption |
                                                                               QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch t = table.match(html);
    if (!t.hasMatch())
        return {};
    CellBlock block;
    std::map<int, int> rowsStillSpanned; // column -> rows a cell above still covers
    for (auto rows = rowTag.globalMatch(t.captured(1)); rows.hasNext();) {
        QStringList row;
        const auto skipSpanned = [&] {
            while (rowsStillSpanned[int(row.size())] > 0) {
                --rowsStillSpanned[int(row.size())];
                row << QString();
            }
        };
        for (auto cells = cellTag.globalMatch(rows.next().captured(1)); cells.hasNext();) {
            const QRegularExpressionMatch c = cells.next();
            skipSpanned();
            QString markup = c.captured(3);
            markup.remove(cellEnd);
            const int cols = spanOf(c.captured(2), QStringLiteral("colspan"));
            const int down = spanOf(c.captured(2), QStringLiteral("rowspan")) - 1;
            for (int k = 0; k < cols; ++k) {
                if (down > 0)
                    rowsStillSpanned[int(row.size())] = down;
                row << (k == 0 ? cellTextOf(markup) : QString());
            }
        }
        skipSpanned();
        block << row;
    }
    return block;
}

} // namespace mhbk::view
