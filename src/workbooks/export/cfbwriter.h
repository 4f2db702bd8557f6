#pragma once

#include <QByteArray>
#include <string>

namespace mhbk::xlsout {

// Wraps one stream named "Workbook" in a compound file (version 3, 512-byte sectors), which
// is the container Excel 97-2003 files live in. The stream is padded to 4096 bytes so that
// it never lands in the mini stream; readers stop at the last EOF record anyway.
// The stream's bytes are taken over, so that a stream of megabytes is not copied.
std::string compoundFileWithWorkbook(std::string workbookStream);
QByteArray compoundFileWithWorkbook(const QByteArray &workbookStream);

} // namespace mhbk::xlsout
