#pragma once

class QApplication;

namespace mhbk {

// Asks for the Simplified Chinese face of 宋体 at 12 pixels, so no Japanese glyph variants appear.
void applyChineseFont(QApplication &app);

} // namespace mhbk
