// Any text typed into a cell, shown through any number format, must give a value or an
// error value: never a crash, a hang or a sanitizer report. A formula moved down a column
// must be recognised as the same formula and read the same as a parse of its own.

#include "workbooks/engine/formula_shape.h"
#include "workbooks/engine/numberformat.h"
#include "workbooks/engine/workbook.h"

#include <cstddef>
#include <cstdint>

using namespace mhbk::wb;

namespace {

Workbook makeBook()
{
    Workbook b;
    b.addSheet(QStringLiteral("S"));
    b.addSheet(QStringLiteral("Sheet 2"));
    const char *inputs[] = {"1", "2.5", "abc", "TRUE", "=1/0", "钢管", "'7", "-3"};
    for (int i = 0; i < 8; ++i) {
        b.setInput(0, i, 0, QString::fromUtf8(inputs[i]));
        b.setInput(0, i, 1, QStringLiteral("=A%1*2").arg(i + 1));
        b.setInput(1, i, 0, QString::number(i * 10));
    }
    return b;
}

int sheetNamed(const QString &name)
{
    if (name.compare(u"S", Qt::CaseInsensitive) == 0)
        return 0;
    return name.compare(u"Sheet 2", Qt::CaseInsensitive) == 0 ? 1 : -1;
}

// `input` with every row number that moves written `delta` further down: the shape must take
// it for the same formula (when the move keeps it on the sheet), and the remembered parse
// read `delta` rows down must be the moved text's own parse.
void checkMoved(const QString &input, int delta)
{
    FormulaShape shape;
    const ParsedFormula remembered = shape.parse(input, 0, sheetNamed);
    RowNumbers rows;
    (void)parseFormula(QStringView(input).mid(1), 0, sheetNamed, &rows);
    if (shape.input().isEmpty())
        return;
    QString moved = input.left(1);
    qsizetype from = 0;
    const QStringView text = QStringView(input).mid(1);
    for (const RowNumbers::Written &w : rows.written) {
        moved += text.mid(from, w.offset - from);
        moved += QString::number(qint64(w.row) + delta);
        from = w.offset + w.length;
    }
    moved += text.mid(from);
    const bool fits = delta >= rows.minDelta && delta <= rows.maxDelta;
    if (shape.matches(moved, delta) != fits)
        __builtin_trap();
    if (!fits)
        return;
    const ParsedFormula own = parseFormula(QStringView(moved).mid(1), 0, sheetNamed);
    if (!own.tree || parseText(own.tree->root(), 0) != parseText(remembered.tree->root(), delta))
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    // First line: what is typed into C1 (which A9 reads); the rest: C1's number format.
    const qsizetype newline = text.indexOf(u'\n');
    const QString input = newline < 0 ? text : text.left(newline);
    const QString format = newline < 0 ? QStringLiteral("General") : text.mid(newline + 1);

    Workbook b = makeBook();
    b.setInput(0, 8, 0, QStringLiteral("=C1+1"));
    b.setInput(0, 0, 2, input);
    CellStyle style;
    style.numberFormat = format;
    b.sheet(0).setStyleIndex(0, 2, b.addStyle(style));
    (void)b.displayText(0, 0, 2);
    (void)b.displayText(0, 8, 0);
    (void)b.sheet(0).input(0, 2);
    b.setInput(0, 0, 3, input);   // the same text again, now read by nothing
    b.recalculate();
    if (input.startsWith(u'=') && size > 0)
        checkMoved(input, int(data[0] % 7) - 3 + (data[size - 1] & 1) * 65536);
    const Value v = b.value(0, 0, 2);
    if (v.isNumber())
        (void)formatNumber(v.asNumber(), format);
    return 0;
}
