#pragma once

#include "workbooks/engine/address.h"

#include <QSizeF>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace mhbk::wb {
class Workbook;
}

namespace mhbk::view {

// How a sheet's used range falls onto printed pages: cell ranges per page, in print order
// (down, then across), and the scale that makes the columns fit the page width when the
// sheet asks for it.
struct PrintPlan {
    double scale = 1.0;
    std::vector<wb::CellRange> pages;
};

// `printable` is the page's printable area in 96-dpi pixels.
PrintPlan planPrint(const wb::Workbook &book, int sheet, QSizeF printable);

// Draws one planned page with its top-left corner at the painter's origin, `toDevice` device
// pixels per 96-dpi pixel (before the plan's scale), clipped to the page's cells.
void paintPrintPage(QPainter &painter, const wb::Workbook &book, int sheet, const PrintPlan &plan, int page,
                    double toDevice, double printableWidth96);

// Sets the sheet's paper, orientation and margins on the device.
void applyPageSetup(const wb::Workbook &book, int sheet, QPagedPaintDevice &device);

// Draws the sheet on the device page by page (a printer, the preview, or a PDF writer), as
// planned for the device's printable area. Returns the number of pages.
int printSheet(const wb::Workbook &book, int sheet, QPagedPaintDevice &device);

} // namespace mhbk::view
