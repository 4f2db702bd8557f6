#pragma once

#include "workbooks/export/bytewriter.h"

#include <QString>
#include <vector>

namespace mhbk::xlsout {

namespace rec {
inline constexpr unsigned Formula = 0x0006, Eof = 0x000A, Protect = 0x0012, Window1 = 0x003D,
                          Continue = 0x003C, Codepage = 0x0042, DefColWidth = 0x0055,
                          ColInfo = 0x007D, BoundSheet = 0x0085, Palette = 0x0092,
                          Font = 0x0031, Xf = 0x00E0, MergedCells = 0x00E5, Sst = 0x00FC,
                          LabelSst = 0x00FD, ExtSst = 0x00FF, Dimensions = 0x0200,
                          Blank = 0x0201, Number = 0x0203, BoolErr = 0x0205, Row = 0x0208,
                          DefaultRowHeight = 0x0225, Window2 = 0x023E, Style = 0x0293,
                          Format = 0x041E, Bof = 0x0809, String = 0x0207, SupBook = 0x01AE,
                          ExternSheet = 0x0017;
}

// Records are limited to this many bytes of data; longer contents go on in CONTINUE records.
inline constexpr int kMaxRecordData = 8224;

// The Workbook stream being built: a sequence of (id, length, data) records.
class BiffStream {
public:
    void record(unsigned id, const QByteArray &data);
    void record(unsigned id, const ByteWriter &data);
    qsizetype position() const { return out_.size(); }
    void reserve(qsizetype bytes) { out_.reserve(bytes); }
    // Overwrites a 32-bit field of a record already written (sheet offsets in BOUNDSHEET).
    void patch32(qsizetype at, std::uint32_t v) { out_.patch32(at, v); }
    std::string take() { return out_.takeBytes(); }

private:
    ByteWriter out_;
};

// BIFF8 "XLUnicodeString" forms, always written uncompressed (UTF-16) so any text survives.
void shortUnicodeString(ByteWriter &w, const QString &text); // 8-bit length
void unicodeString(ByteWriter &w, const QString &text);      // 16-bit length

// A record holding one 16-bit-length string (the STRING record after a formula), continued in
// CONTINUE records when it is longer than one record holds.
void stringRecord(BiffStream &stream, unsigned id, const QString &text);

// Writes the shared string table (SST with its CONTINUE records, then EXTSST) for the given
// unique strings, in order; a cell refers to a string by its position in `strings`.
void writeSharedStrings(BiffStream &stream, const std::vector<QString> &strings, std::uint32_t totalUses);

} // namespace mhbk::xlsout
