#include "workbooks/engine/functions.h"

#include <string>
#include <unordered_map>

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

int findFunction(QStringView name)
{
    // Function names are ASCII: upper-case the name once and look it up, instead of a
    // case-insensitive comparison with every entry for each call in every formula.
    static const std::unordered_map<std::string, int> byName = [] {
        std::unordered_map<std::string, int> m;
        const auto &all = allFunctions();
        for (size_t i = 0; i < all.size(); ++i)
            m.emplace(all[i]->name, int(i));
        return m;
    }();
    std::string key;
    key.reserve(size_t(name.size()));
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if (u >= 128)
            return -1;
        key.push_back(char(u >= u'a' && u <= u'z' ? u - (u'a' - u'A') : u));
    }
    const auto it = byName.find(key);
    return it == byName.end() ? -1 : it->second;
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
