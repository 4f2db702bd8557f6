#include "workbooks/export/xlsxexport.h"

#include "common/errors.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/export/atomicfile.h"
#include "workbooks/export/xlsxbooleans.h"

#include <QFile>
#include <xlsxwriter.h>

#include <algorithm>
#include <vector>

namespace mhbk::xlsout {
namespace {

// Reports the first failure of a sequence of library calls and ignores the rest.
struct Status {
    QString error;
    void check(lxw_error e)
    {
        if (e != LXW_NO_ERROR && error.isEmpty())
            error = QString::fromUtf8(lxw_strerror(e));
    }
};

uint8_t verticalAlign(VAlign v)
{
    switch (v) {
    case VAlign::Top: return LXW_ALIGN_VERTICAL_TOP;
    case VAlign::Center: return LXW_ALIGN_VERTICAL_CENTER;
    case VAlign::Justify: return LXW_ALIGN_VERTICAL_JUSTIFY;
    case VAlign::Bottom: break;
    }
    return LXW_ALIGN_VERTICAL_BOTTOM;
}

void setBorders(lxw_format *f, const Style &s)
{
    const std::pair<const Border *, void (*)(lxw_format *, uint8_t)> sides[] = {
        {&s.left, format_set_left}, {&s.right, format_set_right}, {&s.top, format_set_top}, {&s.bottom, format_set_bottom}};
    void (*colors[])(lxw_format *, lxw_color_t) = {format_set_left_color, format_set_right_color, format_set_top_color,
                                                   format_set_bottom_color};
    for (int i = 0; i < 4; ++i) {
        if (sides[i].first->line == Line::None)
            continue;
        sides[i].second(f, uint8_t(sides[i].first->line));
        if (sides[i].first->color)
            colors[i](f, *sides[i].first->color);
    }
}

lxw_format *makeFormat(lxw_workbook *wb, const Style &s)
{
    lxw_format *f = workbook_add_format(wb);
    format_set_font_name(f, s.fontName.toUtf8().constData());
    format_set_font_size(f, s.fontSize);
    if (s.bold)
        format_set_bold(f);
    if (s.italic)
        format_set_italic(f);
    if (s.underline)
        format_set_underline(f, LXW_UNDERLINE_SINGLE);
    if (s.fontColor)
        format_set_font_color(f, *s.fontColor);
    if (s.fill) {
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, *s.fill);
    }
    setBorders(f, s);
    if (s.halign != HAlign::General)
        format_set_align(f, uint8_t(s.halign));
    format_set_align(f, verticalAlign(s.valign));
    if (s.wrap)
        format_set_text_wrap(f);
    if (!s.numberFormat.isEmpty() && s.numberFormat != QLatin1String("General"))
        format_set_num_format(f, s.numberFormat.toUtf8().constData());
    if (!s.locked)
        format_set_unlocked(f);
    return f;
}

void writeCell(lxw_worksheet *ws, const Cell &c, lxw_format *f, const XlsxOptions &options, Status &st)
{
    const auto row = lxw_row_t(c.row);
    const auto col = lxw_col_t(c.col);
    const Value &v = c.value;
    if (!c.formula.isEmpty()) {
        const QByteArray formula = (QStringLiteral("=") + c.formula).toUtf8();
        if (!options.cacheResults)
            st.check(worksheet_write_formula_num(ws, row, col, formula.constData(), f, 0));
        else if (v.kind == Value::Kind::Text || v.kind == Value::Kind::Error)
            st.check(worksheet_write_formula_str(ws, row, col, formula.constData(), f,
                                                 (v.kind == Value::Kind::Text ? v.text : errorText(v.error)).toUtf8().constData()));
        else
            st.check(worksheet_write_formula_num(ws, row, col, formula.constData(), f,
                                                 v.kind == Value::Kind::Boolean ? double(v.boolean) : v.number));
        return;
    }
    switch (v.kind) {
    case Value::Kind::Number: st.check(worksheet_write_number(ws, row, col, v.number, f)); return;
    case Value::Kind::Text: st.check(worksheet_write_string(ws, row, col, v.text.toUtf8().constData(), f)); return;
    case Value::Kind::Boolean: st.check(worksheet_write_boolean(ws, row, col, v.boolean, f)); return;
    case Value::Kind::Error: {
        // An error literal is a valid formula, which keeps the cell an error rather than text.
        const QByteArray text = errorText(v.error).toUtf8();
        st.check(worksheet_write_formula_str(ws, row, col, ("=" + text).constData(), f, text.constData()));
        return;
    }
    case Value::Kind::Empty: st.check(worksheet_write_blank(ws, row, col, f)); return;
    }
}

// The width to hand the library so that the column gets the pixels it has on screen: the
// library rounds where the screen truncates, so the width is given back from those pixels.
double libraryWidth(double widthChars)
{
    const int pixels = wb::columnWidthPixels(widthChars);
    return pixels >= 12 ? (pixels - 5) / 7.0 : pixels / 12.0;
}

void writePageSetup(lxw_worksheet *ws, const PageSetup &page, Status &st)
{
    worksheet_set_paper(ws, uint8_t(page.paper));
    if (page.landscape)
        worksheet_set_landscape(ws);
    worksheet_set_margins(ws, page.marginLeft, page.marginRight, page.marginTop, page.marginBottom);
    if (page.centerHorizontally)
        worksheet_center_horizontally(ws);
    if (page.fitToWidth)
        worksheet_fit_to_pages(ws, 1, 0);
    if (page.titleFirstRow >= 0)
        st.check(worksheet_repeat_rows(ws, lxw_row_t(page.titleFirstRow), lxw_row_t(page.titleLastRow)));
    if (!page.footer.isEmpty()) {
        lxw_header_footer_options options{};
        options.margin = page.footerMargin;
        st.check(worksheet_set_footer_opt(ws, ("&C" + page.footer).toUtf8().constData(), &options));
    }
    if (!page.rowBreaks.empty()) {
        std::vector<lxw_row_t> breaks; // copied by the library; ends with 0
        for (int row : page.rowBreaks)
            breaks.push_back(lxw_row_t(row));
        breaks.push_back(0);
        st.check(worksheet_set_h_pagebreaks(ws, breaks.data()));
    }
}

void writeSheet(lxw_workbook *wb, const Sheet &sheet, const std::vector<lxw_format *> &formats,
                const XlsxOptions &options, Status &st)
{
    lxw_worksheet *ws = workbook_add_worksheet(wb, sheet.name.toUtf8().constData());
    if (!ws) {
        st.error = st.error.isEmpty() ? QStringLiteral("工作表名“%1”无效").arg(sheet.name) : st.error;
        return;
    }
    auto format = [&](int style) { return formats[std::size_t(style) < formats.size() ? std::size_t(style) : 0]; };
    worksheet_set_default_row(ws, sheet.defaultRowHeight, LXW_FALSE);
    for (const Column &c : sheet.columns) {
        lxw_row_col_options opt{uint8_t(c.hidden), 0, 0};
        st.check(worksheet_set_column_opt(ws, lxw_col_t(c.col), lxw_col_t(c.col), libraryWidth(c.width), nullptr, &opt));
    }
    for (const Row &r : sheet.rows) {
        lxw_row_col_options opt{uint8_t(r.hidden), 0, 0};
        st.check(worksheet_set_row_opt(ws, lxw_row_t(r.row), r.height ? *r.height : sheet.defaultRowHeight, nullptr, &opt));
    }
    // Merging writes blanks over the range; the cells written afterwards replace them.
    for (const Range &m : sheet.merges)
        st.check(worksheet_merge_range(ws, lxw_row_t(m.firstRow), lxw_col_t(m.firstCol), lxw_row_t(m.lastRow),
                                       lxw_col_t(m.lastCol), "", format(0)));
    for (const Cell &c : sheet.cells)
        writeCell(ws, c, format(c.style), options, st);
    // A merged range whose first cell holds nothing would otherwise keep the empty text the
    // merge put there.
    for (const Range &m : sheet.merges) {
        const bool written = std::any_of(sheet.cells.begin(), sheet.cells.end(),
                                         [&](const Cell &c) { return c.row == m.firstRow && c.col == m.firstCol; });
        if (!written)
            st.check(worksheet_write_blank(ws, lxw_row_t(m.firstRow), lxw_col_t(m.firstCol), format(0)));
    }
    worksheet_gridlines(ws, (sheet.showGridlines ? LXW_SHOW_SCREEN_GRIDLINES : 0) |
                                (sheet.page.printGridlines ? LXW_SHOW_PRINT_GRIDLINES : 0));
    writePageSetup(ws, sheet.page, st);
    if (sheet.protect)
        worksheet_protect(ws, nullptr, nullptr);
}

// Per sheet, the formula cells whose result is TRUE or FALSE ("B3").
std::vector<QStringList> booleanResults(const Book &book)
{
    std::vector<QStringList> out;
    for (const Sheet &sheet : book.sheets) {
        QStringList cells;
        for (const Cell &c : sheet.cells)
            if (!c.formula.isEmpty() && c.value.kind == Value::Kind::Boolean)
                cells << wb::addressText(c.row, c.col);
        out.push_back(cells);
    }
    return out;
}

QString writeBook(const Book &book, const QString &file, const XlsxOptions &options)
{
    const QByteArray name = QFile::encodeName(file);
    lxw_workbook_options wbOptions{};
    lxw_workbook *wb = workbook_new_opt(name.constData(), &wbOptions);
    if (!wb)
        return QStringLiteral("无法创建工作簿");
    Status st;
    std::vector<lxw_format *> formats;
    for (const Style &s : book.styles)
        formats.push_back(makeFormat(wb, s));
    if (formats.empty())
        formats.push_back(nullptr);
    for (const Sheet &sheet : book.sheets)
        writeSheet(wb, sheet, formats, options, st);
    if (book.sheets.empty())
        workbook_add_worksheet(wb, nullptr);
    st.check(workbook_close(wb)); // frees the workbook even when it fails
    if (!st.error.isEmpty() || !options.cacheResults)
        return st.error;
    const std::vector<QStringList> booleans = booleanResults(book);
    const bool any = std::any_of(booleans.begin(), booleans.end(), [](const QStringList &l) { return !l.isEmpty(); });
    return any ? markBooleanResults(file, booleans) : QString();
}

} // namespace

void writeXlsxFile(const Book &book, const QString &path, const XlsxOptions &options)
{
    produceFileAtomically(path, [&](const QString &temp) { return writeBook(book, temp, options); });
}

} // namespace mhbk::xlsout
