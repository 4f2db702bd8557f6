#include "workbooks/engine/functions.h"

namespace mhbk::wb {

namespace {

const std::vector<const FunctionInfo *> &allFunctions()
{
    static const std::vector<const FunctionInfo *> all = [] {
        std::vector<const FunctionInfo *> v;
        for (const auto *part : {&mathFunctions(), &aggregateFunctions(), &logicFunctions(), &lookupFunctions(),
                                 &textFunctions()})
            for (const FunctionInfo &f : *part)
                v.push_back(&f);
        return v;
    }();
    return all;
}

} // namespace

int findFunction(const QString &name)
{
    const auto &all = allFunctions();
    for (size_t i = 0; i < all.size(); ++i)
        if (name.compare(QLatin1String(all[i]->name), Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

const FunctionInfo &functionInfo(int index)
{
    return *allFunctions().at(size_t(index));
}

int functionCount()
{
    return int(allFunctions().size());
}

} // namespace mhbk::wb
