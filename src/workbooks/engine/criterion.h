#pragma once

// The criterion of COUNTIF and SUMIF ("20", ">=10", "<>0", "钢*", TRUE, ""), read as spreadsheets
// read it. Internal to the function implementations.

#include "workbooks/engine/cellvalue.h"

namespace mhbk::wb {

class Criterion
{
public:
    explicit Criterion(const Value &criterion);

    bool matches(const Value &cell) const;

private:
    enum class Op { Eq, Ne, Lt, Le, Gt, Ge };
    bool equals(const Value &cell) const;

    Op op_ = Op::Eq;
    // Empty for "=", "<>" and "": those test for blank cells.
    Value operand_;
};

} // namespace mhbk::wb
