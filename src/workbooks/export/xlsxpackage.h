#pragma once

// The zip container of an .xlsx file, built in memory: entries deflated at libdeflate's fastest level
// (or stored when that does not make them smaller), each with its CRC-32, then the central
// directory. No time stamps, so the same workbook always gives the same bytes.

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace mhbk::xlsout {

class ZipPackage {
public:
    // Adds a file; names are relative paths with forward slashes ("xl/workbook.xml"). False,
    // and nothing added, when the package would outgrow the format's 4 GiB.
    bool add(const QByteArray &name, const QByteArray &content);
    // The finished container.
    QByteArray finish();

private:
    struct Entry {
        QByteArray name;
        std::uint32_t crc = 0;
        std::uint32_t size = 0;
        std::uint32_t storedSize = 0;
        unsigned method = 0; // 0 stored, 8 deflated
        std::uint32_t offset = 0;
    };
    std::vector<Entry> entries_;
    QByteArray data_;
};

} // namespace mhbk::xlsout
