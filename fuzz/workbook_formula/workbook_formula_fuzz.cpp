// Any text typed into a cell, shown through any number format, must give a value or an
// error value: never a crash, a hang or a sanitizer report.

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
    const Value v = b.value(0, 0, 2);
    if (v.isNumber())
        (void)formatNumber(v.asNumber(), format);
    return 0;
}
