#pragma once

// Tables repeat a formula down a column, each row with its own row numbers: "=D2*E2",
// "=D3*E3", ... A FormulaShape remembers where one parsed formula writes the row numbers
// that move with it (RowMoves), so that the same formula some rows away is recognised from
// its text alone: its parse is the remembered one read that many rows further down
// (rangeAt()), and the cells can share it. Loading a 5,000-row ledger then parses a handful
// of formulas instead of 10,000 and keeps a handful of parses.

#include "workbooks/engine/formula.h"

namespace mhbk::wb {

class FormulaShape
{
public:
    // Parses `input` ("=..."), as parseFormula() does with the text after the '=', and
    // remembers it as the formula to compare later ones with.
    ParsedFormula parse(const QString &input, int ownSheet, const SheetResolver &sheets);

    // The formula last given to parse(), when it parsed and its rows can move; empty otherwise.
    const QString &input() const { return input_; }

    // Whether `input` is the remembered formula `rowDelta` rows further down (up when
    // negative): each row number that moves written moved by rowDelta, still on the sheet
    // and with every range right side up, and everything else written alike.
    bool matches(const QString &input, int rowDelta) const;

private:
    QString input_;
    RowNumbers rows_;
};

} // namespace mhbk::wb
