#pragma once

#include "workbooks/engine/printplan.h"

#include <QSizeF>

class QPagedPaintDevice;
class QPainter;

namespace mhbk::wb {
class Workbook;
}

namespace mhbk::view {

using wb::PrintPlan;

// `printable` is the page's printable area in 96-dpi pixels.
PrintPlan planPrint(const wb::Workbook &book, int sheet, QSizeF printable);

// Draws one planned page with its top-left corner at the painter's origin, `toDevice` device
// pixels per 96-dpi pixel (before the plan's scale): the title rows first when the page starts
// below them, then the page's cells.
void paintPrintPage(QPainter &painter, const wb::Workbook &book, int sheet, const PrintPlan &plan, int page,
                    double toDevice, double printableWidth96);

// Draws the sheet's footer of one page (page number and count) centred at the foot of the
// printable area.
void paintPrintFooter(QPainter &painter, const wb::Workbook &book, int sheet, int page, int pageCount,
                      double toDevice, QSizeF printable96);

// Sets the sheet's paper, orientation and margins on the device.
void applyPageSetup(const wb::Workbook &book, int sheet, QPagedPaintDevice &device);

// Draws the sheet on the device page by page (a printer, the preview, or a PDF writer), as
// planned for the device's printable area. Returns the number of pages.
int printSheet(const wb::Workbook &book, int sheet, QPagedPaintDevice &device);

} // namespace mhbk::view
