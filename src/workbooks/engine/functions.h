#pragma once

#include "workbooks/engine/evaluator.h"

#include <QString>
#include <span>
#include <vector>

namespace mhbk::wb {

// A call's evaluated arguments; a function may take them over (move from them).
using Arguments = std::span<Operand>;
using ConstArguments = std::span<const Operand>;
using FunctionImpl = Operand (*)(Evaluator &ev, Arguments args);

struct FunctionInfo
{
    const char *name;
    int minArgs;
    int maxArgs;   // -1: any number
    FunctionImpl impl;
};

// Index of the function called `name` (case-insensitive), or -1.
int findFunction(QStringView name);
const FunctionInfo &functionInfo(int index);
// How many functions there are (indices 0 .. functionCount() - 1).
int functionCount();

// The parts of the table, one per source file.
const std::vector<FunctionInfo> &mathFunctions();
const std::vector<FunctionInfo> &aggregateFunctions();
const std::vector<FunctionInfo> &lookupFunctions();
const std::vector<FunctionInfo> &logicFunctions();
const std::vector<FunctionInfo> &textFunctions();

} // namespace mhbk::wb
