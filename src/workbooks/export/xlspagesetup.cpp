#include "workbooks/export/xlspagesetup.h"

#include "workbooks/export/biffstream.h"

#include <algorithm>

namespace mhbk::xlsout {
namespace {

namespace id {
inline constexpr unsigned Footer = 0x0015, Header = 0x0014, Name = 0x0018,
                          HorizontalPageBreaks = 0x001B, LeftMargin = 0x0026, RightMargin = 0x0027,
                          TopMargin = 0x0028, BottomMargin = 0x0029, PrintHeaders = 0x002A,
                          PrintGridlines = 0x002B, WsBool = 0x0081, HCenter = 0x0083, VCenter = 0x0084,
                          Setup = 0x00A1;
}

constexpr unsigned kBuiltinPrintTitles = 0x07;
constexpr unsigned kPtgArea3d = 0x3B;
constexpr int kMaxPageBreaks = 1026; // as many as one record holds
constexpr unsigned kLastColumn = 255;
constexpr unsigned kLastRow = 65535;

void flagRecord(BiffStream &s, unsigned recordId, bool on)
{
    ByteWriter w;
    w.u16(on ? 1 : 0);
    s.record(recordId, w);
}

void marginRecord(BiffStream &s, unsigned recordId, double inches)
{
    ByteWriter w;
    w.f64(inches);
    s.record(recordId, w);
}

void printTitlesName(BiffStream &s, int sheet, const PageSetup &page)
{
    ByteWriter w;
    w.u16(0x0020); // built-in name
    w.u8(0);       // no keyboard shortcut
    w.u8(1);       // the name is one built-in code
    w.u16(11);     // formula size
    w.u16(0);
    w.u16(unsigned(sheet + 1)); // local to the sheet
    w.zeros(4);                 // menu, description, help and status texts
    w.u8(0);                    // compressed name
    w.u8(kBuiltinPrintTitles);
    w.u8(kPtgArea3d);
    w.u16(unsigned(sheet)); // EXTERNSHEET entry of the sheet
    w.u16(unsigned(std::clamp(page.titleFirstRow, 0, int(kLastRow))));
    w.u16(unsigned(std::clamp(page.titleLastRow, 0, int(kLastRow))));
    w.u16(0); // whole rows, absolute
    w.u16(kLastColumn);
    s.record(id::Name, w);
}

void pageBreaks(BiffStream &s, const std::vector<int> &rows)
{
    std::vector<unsigned> kept;
    for (int row : rows)
        if (row > 0 && row <= int(kLastRow) && int(kept.size()) < kMaxPageBreaks)
            kept.push_back(unsigned(row));
    if (kept.empty())
        return;
    ByteWriter w;
    w.u16(unsigned(kept.size()));
    for (unsigned row : kept) {
        w.u16(row);
        w.u16(0);
        w.u16(kLastColumn);
    }
    s.record(id::HorizontalPageBreaks, w);
}

void headerFooter(BiffStream &s, unsigned recordId, const QString &text)
{
    ByteWriter w;
    if (!text.isEmpty())
        unicodeString(w, text.left(255));
    s.record(recordId, w);
}

void setup(BiffStream &s, const PageSetup &page)
{
    ByteWriter w;
    w.u16(unsigned(page.paper));
    w.u16(100);                        // scale when not fitting
    w.u16(1);                          // first page number
    w.u16(page.fitToWidth ? 1 : 0);    // pages across
    w.u16(0);                          // pages down: as many as it takes
    w.u16(page.landscape ? 0 : 0x0002); // down then across; paper, scale and copies are valid
    w.u16(600);
    w.u16(600);
    w.f64(page.footerMargin); // header margin
    w.f64(page.footerMargin);
    w.u16(1);
    s.record(id::Setup, w);
}

} // namespace

void writePrintTitleNames(BiffStream &s, const Book &book)
{
    for (std::size_t i = 0; i < book.sheets.size(); ++i)
        if (book.sheets[i].page.titleFirstRow >= 0)
            printTitlesName(s, int(i), book.sheets[i].page);
}

void writePageSetup(BiffStream &s, const PageSetup &page)
{
    flagRecord(s, id::PrintHeaders, false);
    flagRecord(s, id::PrintGridlines, page.printGridlines);
    ByteWriter wsBool;
    wsBool.u16(0x04C1 | (page.fitToWidth ? 0x0100 : 0)); // automatic breaks shown, outline defaults
    s.record(id::WsBool, wsBool);
    pageBreaks(s, page.rowBreaks);
    headerFooter(s, id::Header, QString());
    headerFooter(s, id::Footer, page.footer.isEmpty() ? QString() : QStringLiteral("&C") + page.footer);
    flagRecord(s, id::HCenter, page.centerHorizontally);
    flagRecord(s, id::VCenter, false);
    marginRecord(s, id::LeftMargin, page.marginLeft);
    marginRecord(s, id::RightMargin, page.marginRight);
    marginRecord(s, id::TopMargin, page.marginTop);
    marginRecord(s, id::BottomMargin, page.marginBottom);
    setup(s, page);
}

} // namespace mhbk::xlsout
