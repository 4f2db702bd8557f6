#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace mhbk::sheets {

// π to seven decimals: the sheets' areas and volumes are rounded from products with this value,
// and a truer π would move some of the printed figures by one in their last decimal.
constexpr double kSheetPi = 3.1415926;
constexpr int kColumnCount = 8;

// Columns of both sheets.
enum Column : int {
    ColDiameter = 0,
    ColLength = 1,
    ColAreaPerMetre = 2,
    ColPaintArea = 3,
    ColVolumePerMetre = 4,
    ColVolume = 5,
    ColSurfacePerMetre = 6,
    ColSurface = 7,
};

enum class RowKind { Header, Data, Subtotal, Total };

struct SheetRow {
    RowKind kind = RowKind::Data;
    QString label;          // column 0 text
    double diameterMm = 0;  // outer diameter used by the formulas (data rows)
    QString fixedArea;      // column 2 text when the painting area is a fixed table value
};

// One band of diameters: its data rows and the subtotal row below them.
struct Band {
    int firstDataRow;
    int subtotalRow;
};

// Everything that makes one sheet differ from the other.
struct SheetDescription {
    QString formName;       // object name of the window
    QString sheetKey;       // command-line name: "od" or "dn"
    bool areaFromDiameter;  // column 2 computed from D, or fixed text
    std::vector<SheetRow> rows;  // index = grid row; row 0 is the header
    QString standardNote;        // the standards and rules the diameters and formulas follow

    int rowCount() const { return static_cast<int>(rows.size()); }
    RowKind kind(int row) const;
    bool isDataRow(int row) const { return kind(row) == RowKind::Data; }
    int totalRow() const { return rowCount() - 1; }
    std::vector<Band> bands() const;
    QStringList headers() const;
};

// The sheet by pipe outer diameter (100 rows, bands at 0, 33, 53, 75, 88, 92, 98).
const SheetDescription &outerDiameterSheet();
// The sheet by nominal size (26 rows, fixed painting areas).
const SheetDescription &nominalSizeSheet();

} // namespace mhbk::sheets
