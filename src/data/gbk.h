#pragma once

#include <QString>

namespace mhbk {

// Whether the text survives a round trip through GBK (code page 936), the encoding every
// caption, message and stored text of the handbook must fit.
bool encodesToGbk(const QString &text);

// Text saved by a Chinese spreadsheet program: UTF-8 (its byte-order mark dropped) when the bytes
// are valid UTF-8, else GB18030/GBK when they decode as that, else UTF-8 with the invalid bytes
// replaced (and so shown as what they are).
QString decodeSpreadsheetText(const QByteArray &bytes);

} // namespace mhbk
