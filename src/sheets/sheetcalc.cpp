#include "sheets/sheetcalc.h"

#include "numbers/numtext.h"

namespace mhbk::sheets {

namespace {

const QString kZeroTotal = QStringLiteral("0.0000");
constexpr int kProductColumns[] = {ColPaintArea, ColVolume, ColSurface};

QString fourDecimals(double value) { return formatFixed(value, 4); }
QString fiveDecimals(double value) { return formatFixed(value, 5); }

double displayed(const TextGrid &grid, int column, int row)
{
    return strToFloat(grid.cell(column, row));
}

// An empty length is 0; so is one that is no number, which is also noted.
double lengthOf(const TextGrid &grid, int row, std::vector<BadLength> &bad)
{
    const QString &text = grid.cell(ColLength, row);
    if (text.isEmpty())
        return 0.0;
    if (const std::optional<double> length = parseFloat(text))
        return *length;
    bad.push_back({row, text});
    return 0.0;
}

void writeProducts(const SheetDescription &sheet, TextGrid &grid, const std::vector<double> &lengths)
{
    for (int row = 1; row < sheet.rowCount(); ++row) {
        if (!sheet.isDataRow(row))
            continue;
        const double length = lengths[static_cast<std::size_t>(row)];
        for (int column : kProductColumns)
            grid.setCell(column, row, fourDecimals(displayed(grid, column - 1, row) * length));
    }
}

void writeSubtotals(const SheetDescription &sheet, TextGrid &grid)
{
    for (const Band &band : sheet.bands()) {
        for (int column : kProductColumns) {
            double sum = 0;
            for (int row = band.firstDataRow; row < band.subtotalRow; ++row)
                sum += displayed(grid, column, row);
            grid.setCell(column, band.subtotalRow, fourDecimals(sum));
        }
    }
}

void writeTotal(const SheetDescription &sheet, TextGrid &grid)
{
    for (int column : kProductColumns) {
        double sum = 0;
        for (const Band &band : sheet.bands())
            sum += displayed(grid, column, band.subtotalRow);
        grid.setCell(column, sheet.totalRow(), fourDecimals(sum));
    }
}

} // namespace

TextGrid::TextGrid(int columns, int rows)
    : columns_(columns), rows_(rows), cells_(static_cast<std::size_t>(columns * rows))
{
}

const QString &TextGrid::cell(int column, int row) const
{
    return cells_.at(static_cast<std::size_t>(row * columns_ + column));
}

void TextGrid::setCell(int column, int row, const QString &text)
{
    cells_.at(static_cast<std::size_t>(row * columns_ + column)) = text;
}

TextGrid createSheet(const SheetDescription &sheet, int thicknessMm)
{
    TextGrid grid(kColumnCount, sheet.rowCount());
    const QStringList headers = sheet.headers();
    for (int column = 0; column < kColumnCount; ++column)
        grid.setCell(column, 0, headers[column]);
    for (int row = 1; row < sheet.rowCount(); ++row) {
        const SheetRow &r = sheet.rows[static_cast<std::size_t>(row)];
        grid.setCell(ColDiameter, row, r.label);
        if (r.kind == RowKind::Data) {
            grid.setCell(ColAreaPerMetre, row,
                         sheet.areaFromDiameter ? fourDecimals(r.diameterMm * kSheetPi / 1000) : r.fixedArea);
        }
        for (int column : kProductColumns)
            grid.setCell(column, row, kZeroTotal);
    }
    toCalculate(sheet, grid, thicknessMm);
    return grid;
}

void toCalculate(const SheetDescription &sheet, TextGrid &grid, int thicknessMm)
{
    const double delta = thicknessMm / 1000.0;
    for (int row = 1; row < sheet.rowCount(); ++row) {
        if (!sheet.isDataRow(row))
            continue;
        const double d = sheet.rows[static_cast<std::size_t>(row)].diameterMm / 1000;
        // Insulation 3.3 % thicker than nominal; the surface adds 5 % on both sides and two
        // fixed allowances for the protective layer.
        const double volume = (d + delta + 0.033 * delta) * kSheetPi * (delta + 0.033 * delta);
        const double surface = (d + 2 * delta + 0.05 * 2 * delta) * kSheetPi + 0.000032 + 0.00005;
        grid.setCell(ColVolumePerMetre, row, fiveDecimals(volume));
        grid.setCell(ColSurfacePerMetre, row, fiveDecimals(surface));
    }
}

std::vector<BadLength> calculateAll(const SheetDescription &sheet, TextGrid &grid)
{
    std::vector<BadLength> bad;
    std::vector<double> lengths(static_cast<std::size_t>(sheet.rowCount()), 0.0);
    for (int row = 1; row < sheet.rowCount(); ++row) {
        if (sheet.isDataRow(row))
            lengths[static_cast<std::size_t>(row)] = lengthOf(grid, row, bad);
    }
    writeProducts(sheet, grid, lengths);
    writeSubtotals(sheet, grid);
    writeTotal(sheet, grid);
    return bad;
}

QString badLengthMessage(const SheetDescription &sheet, const std::vector<BadLength> &bad)
{
    QString text = QStringLiteral("以下管子长度不是数值，已按 0 计算：");
    const QString rowCaption = sheet.headers().front();
    for (const BadLength &length : bad) {
        text += QStringLiteral("\n%1 %2：“%3”")
                    .arg(rowCaption, sheet.rows[static_cast<std::size_t>(length.row)].label, length.text);
    }
    return text;
}

bool isLengthCell(const SheetDescription &sheet, int column, int row)
{
    return column == ColLength && row > 0 && row < sheet.rowCount() && sheet.isDataRow(row);
}

bool acceptsChar(const SheetDescription &sheet, int column, int row, QChar ch, const QString &cellText)
{
    if (!isLengthCell(sheet, column, row))
        return false;
    if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
        return true;
    if (ch == QLatin1Char('\b'))
        return true;
    return ch == QLatin1Char('.') && !cellText.contains(QLatin1Char('.'));
}

CellPaint cellPaint(const SheetDescription &sheet, int column, int row)
{
    if (column == ColDiameter && row == 0)
        return CellPaint::CentredPlain;
    const RowKind kind = sheet.kind(row);
    if (kind == RowKind::Total)
        return CellPaint::Red;
    if (kind == RowKind::Subtotal)
        return CellPaint::Blue;
    if (column == ColPaintArea || column == ColVolume || column == ColSurface)
        return CellPaint::Blue;
    if (column == ColAreaPerMetre || column == ColVolumePerMetre || column == ColSurfacePerMetre)
        return CellPaint::Green;
    if (column == ColLength && kind == RowKind::Data)
        return CellPaint::LengthEntry;
    return CellPaint::Ordinary;
}

QString toTabSeparated(const TextGrid &grid)
{
    QString text;
    for (int row = 0; row < grid.rows(); ++row) {
        for (int column = 0; column < grid.columns(); ++column) {
            if (column > 0)
                text += QLatin1Char('\t');
            text += grid.cell(column, row);
        }
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace mhbk::sheets
