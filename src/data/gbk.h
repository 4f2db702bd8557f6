#pragma once

#include <QString>

namespace mhbk {

// Whether the text survives a round trip through GBK (code page 936), the encoding every
// caption, message and stored text of the handbook must fit.
bool encodesToGbk(const QString &text);

} // namespace mhbk
