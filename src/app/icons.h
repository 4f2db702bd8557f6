#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace mhbk {

// The tree's images 0 to 6 (calculator, formula, section, plate, pipe, sheet, group).
QIcon treeImage(int index);
// The window and tray icon.
QIcon applicationIcon();
// A bottom-bar glyph by name: menu, calculator, addexpr, excel, preview.
QIcon glyph(const QString &name);
// A picture drawn at its own size: "LP_SPLASH" (530 × 340) or "LP_ABOUT" (81 × 217).
QPixmap picture(const QString &resourceName);

} // namespace mhbk
