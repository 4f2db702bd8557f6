#pragma once

// Inner state of Sheet and Workbook, shared by sheet.cpp and workbook.cpp.

#include "workbooks/engine/cellstore.h"
#include "workbooks/engine/evaluator.h"
#include "workbooks/engine/formula_shape.h"
#include "workbooks/engine/workbook.h"

#include <map>
#include <set>
#include <unordered_map>

namespace mhbk::wb {

using CellKey = quint64;

inline CellKey cellKey(int row, int col)
{
    return (quint64(row) << 14) | quint64(col);
}
inline int keyRow(CellKey k) { return int((k >> 14) & 0xFFFFF); }
inline int keyCol(CellKey k) { return int(k & 0x3FFF); }

// A cell anywhere in the workbook.
inline quint64 globalKey(int sheet, int row, int col)
{
    return (quint64(sheet) << 34) | cellKey(row, col);
}
inline int globalSheet(quint64 k) { return int(k >> 34); }

// What a formula's cell holds besides its value. It is kept apart so that the cells holding
// constants, most of a sheet, stay small.
struct FormulaCell
{
    QString text;   // with the leading "="
    // Null for a formula that does not parse. Cells down a column holding the same formula
    // share one parse, each reading it rowOffset rows below where it was parsed.
    std::shared_ptr<const FormulaTree> tree;
    int rowOffset = 0;

    // fn(Precedent) for each range the formula reads (none when it does not parse).
    template<typename Fn>
    void forEachPrecedent(Fn &&fn) const
    {
        if (tree)
            wb::forEachPrecedent(tree->root(), rowOffset, fn);
    }
};

struct CellData
{
    Value value;
    int style = 0;
    // Where a full recalculation stands with this formula (see recalculateAll()).
    enum class Pass : std::uint8_t { Waiting, Visiting, Done, Circular };
    Pass pass = Pass::Waiting;
    std::unique_ptr<FormulaCell> formula;   // null for a constant

    bool isFormula() const { return formula != nullptr; }
    bool isBlank() const { return !formula && value.isEmpty() && style == 0; }
};

struct SheetData
{
    CellStore<CellData> cells;
    std::map<int, double> columnWidths, rowHeights;
    std::set<int> hiddenColumns, hiddenRows;
    int lastRow = -1, lastCol = -1;   // grows with the cells; never shrinks

    CellData &touch(int row, int col)
    {
        lastRow = std::max(lastRow, row);
        lastCol = std::max(lastCol, col);
        return cells.touch(row, col);
    }
    CellData *find(int row, int col) { return cells.find(row, col); }
    const CellData *find(int row, int col) const { return cells.find(row, col); }
};

struct RangeDependency
{
    CellRange range;
    quint64 dependent;
};

struct WorkbookData final : CellSource
{
    std::vector<std::unique_ptr<Sheet>> sheets;
    std::vector<CellStyle> styles{CellStyle()};
    // Who reads a cell (single-cell references, and per sheet the ranges read), for the
    // recalculation after an edit. A bulk update drops it rather than keep it up to date cell
    // by cell, and the next edit builds it again: the full recalculation after a bulk update
    // needs only each formula's precedents, so loading and exporting a file never builds it.
    std::unordered_map<quint64, std::vector<quint64>> pointDependents;
    std::vector<std::vector<RangeDependency>> rangeDependents;
    bool dependentsBuilt = true;   // an empty workbook's index is complete
    // The formula last parsed in each column, and its row, to recognise the next one in
    // the column as the same formula moved (key: globalKey(sheet, 0, col)). Parses depend
    // on the sheet names, so adding a sheet forgets them.
    struct ColumnFormula
    {
        int row = 0;
        FormulaShape shape;
    };
    std::unordered_map<quint64, ColumnFormula> columnFormulas;
    int lastEvaluationCount = 0;
    int updateDepth = 0;   // > 0 while beginUpdate() is in force

    Value cellValue(int sheet, int row, int col) const override;
    void forEachCell(int sheet, const CellRange &range,
                     const std::function<void(int, int, const Value &)> &fn) const override;
    CellRange usedRange(int sheet) const override;

    SheetData &sheetData(int sheet) { return sheets[size_t(sheet)]->data(); }
    const SheetData &sheetData(int sheet) const { return sheets[size_t(sheet)]->data(); }

    // link() and unlink() do nothing while the index is dropped.
    void link(quint64 key, const FormulaCell &formula);
    void unlink(quint64 key, const FormulaCell &formula);
    void dropDependents();
    void buildDependents();   // when dropped
    std::vector<quint64> dependents(quint64 key) const;   // needs the index built
    // Re-evaluates every formula depending on `roots` (and the roots that are formulas).
    void recalculate(const std::vector<quint64> &roots);
    // Re-evaluates every formula, each after the formulas it reads.
    void recalculateAll();
    void evaluate(quint64 key);
    // The parse of `input` ("=...") entered at the cell: the parse of the formula above it in
    // its column, read further down, when it is the same formula; else a parse of its own.
    struct EnteredFormula
    {
        std::shared_ptr<const FormulaTree> tree;
        int rowOffset = 0;
        QString error;
        int errorPosition = -1;
    };
    EnteredFormula parseAt(int sheet, int row, int col, const QString &input, const SheetResolver &sheetNames);
};

} // namespace mhbk::wb
