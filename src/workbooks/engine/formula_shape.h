#pragma once

// Tables repeat a formula down a column, each row with its own row numbers: "=D2*E2",
// "=D3*E3", ... A FormulaShape remembers where one parsed formula writes the row numbers of
// its relative references, so that the same formula some rows away is recognised from its
// text alone and gets a moved copy of that parse instead of a parse of its own. Loading a
// 5,000-row ledger then parses a handful of formulas instead of 10,000.

#include "workbooks/engine/formula.h"

#include <optional>

namespace mhbk::wb {

class FormulaShape
{
public:
    // Parses `input` ("=..."), as parseFormula() does with the text after the '=', and
    // remembers it as the formula to compare later ones with.
    ParsedFormula parse(const QString &input, int ownSheet, const SheetResolver &sheets);

    // The formula last given to parse(), when it parsed and its rows can move; empty otherwise.
    const QString &input() const { return m_input; }

    // When `input` is the remembered formula with every relative row number moved by
    // `rowDelta` (and still on the sheet), its parse: a copy of `tree`, the remembered
    // formula's parse, with those rows moved. Nothing otherwise.
    std::optional<ParsedFormula> moved(const FormulaTree &tree, const QString &input, int rowDelta) const;

private:
    bool matches(QStringView text, int rowDelta) const;

    QString m_input;
    RowNumbers m_rows;
};

} // namespace mhbk::wb
