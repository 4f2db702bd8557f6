#include "sections/sectiontables.h"

namespace mhbk {

namespace {

struct ShownFields {
    const char *table;
    int fields;
};

constexpr ShownFields kTables[] = {
    {"circle", 2},       {"sqare", 2},        {"Rectangle", 3},   {"Hexagon", 2},      {"steelboard", 2},
    {"Regular", 4},      {"NoRegular", 5},    {"Ishaped", 5},     {"LightIshaped", 5}, {"groove", 5},
    {"Lightgroove", 5},  {"NoSewType", 2},    {"ColdSewType", 2}, {"NicetyNoSew", 2},  {"BoilerNoSew", 2},
    {"stainlessHot", 2}, {"stainlessCold", 2}, {"SeelTube", 6},   {"SleeveTube", 4},   {"ScrewTube", 3},
    {"steelboard_HW", 5},
};

} // namespace

int sectionTableShownFields(const QString &tableName)
{
    for (const ShownFields &t : kTables) {
        if (tableName == QLatin1String(t.table))
            return t.fields;
    }
    return 0;
}

} // namespace mhbk
