#include "schema.h"

#include <utility>

namespace mhbk::handbook {

namespace {

TableRule captioned(const QString &name, int shownFields)
{
    return TableRule{name, shownFields + 1, true, false, {}, {}};
}

std::vector<TableRule> makeRules()
{
    using T = ColumnType;
    std::vector<TableRule> rules;
    for (const char *name : {"circle", "sqare", "Hexagon", "steelboard", "NoSewType", "ColdSewType", "NicetyNoSew",
                             "BoilerNoSew", "stainlessHot", "stainlessCold"})
        rules.push_back(captioned(QString::fromLatin1(name), 2));
    TableRule rectangle = captioned(QStringLiteral("Rectangle"), 3);
    rectangle.namedFields = {{QStringLiteral("N3"), T::Text, 3}};
    rules.push_back(rectangle);
    rules.push_back(captioned(QStringLiteral("Regular"), 4));
    for (const char *name : {"NoRegular", "Ishaped", "LightIshaped", "groove", "Lightgroove"})
        rules.push_back(captioned(QString::fromLatin1(name), 5));
    rules.push_back(captioned(QStringLiteral("SeelTube"), 6));
    rules.push_back(captioned(QStringLiteral("SleeveTube"), 4));
    rules.push_back(captioned(QStringLiteral("ScrewTube"), 3));
    TableRule checkered = captioned(QStringLiteral("steelboard_HW"), 5);
    checkered.namedFields = {{QStringLiteral("jbhd"), T::Text, 1},
                             {QStringLiteral("WG_LX"), T::Text, -1},
                             {QStringLiteral("LLZL_LX"), T::Text, -1},
                             {QStringLiteral("WG_BDX"), T::Text, -1},
                             {QStringLiteral("LLZL_BDX"), T::Text, -1}};
    rules.push_back(checkered);
    // The designation calculator's tables (tools/handbook-build/gen_sections.py): every value is the
    // fact table's text, the caption record is the fact table's header.
    const std::pair<const char *, int> designationTables[] = {
        {"HBeam", 22}, {"HKBeam", 18},        {"CutTee", 23},     {"HollowRect", 13},
        {"HollowRound", 8}, {"PurlinC", 13}, {"PurlinZ", 13},     {"AngleProps", 22},
        {"UnequalAngleProps", 26}, {"IBeamProps", 22}, {"ChannelProps", 24}};
    for (const auto &[name, fields] : designationTables) {
        TableRule rule = captioned(QString::fromLatin1(name), fields);
        rule.namedFields = {{QStringLiteral("No"), T::Text, -1},
                            {QStringLiteral("G"), T::Text, -1},
                            {QStringLiteral("Check"), T::Text, -1}};
        rules.push_back(rule);
    }
    rules.push_back(TableRule{QStringLiteral("tmp"), 3, false, false,
                              {{QStringLiteral("bchd"), T::Real, 0},
                               {QStringLiteral("deh"), T::Text, 1},
                               {QStringLiteral("gwb"), T::Real, 2}},
                              {}});
    // The reference-table sources come from another part of the project; until they land,
    // an empty table of the expected shape keeps the pages working.
    rules.push_back(TableRule{QStringLiteral("comunit"), 4, false, true,
                              {{QStringLiteral("Number"), T::Integer, -1}},
                              {{QStringLiteral("Number"), T::Integer},
                               {QStringLiteral("Item"), T::Text},
                               {QStringLiteral("Relation"), T::Text},
                               {QStringLiteral("Equals"), T::Text}}});
    rules.push_back(TableRule{QStringLiteral("constdensity"), 3, false, true,
                              {{QStringLiteral("Number"), T::Integer, -1}},
                              {{QStringLiteral("Number"), T::Integer},
                               {QStringLiteral("Material"), T::Text},
                               {QStringLiteral("Density"), T::Text}}});
    rules.push_back(TableRule{QStringLiteral("constformula"), 4, false, true, {},
                              {{QStringLiteral("id"), T::Integer},
                               {QStringLiteral("Section"), T::Text},
                               {QStringLiteral("Formula"), T::Text},
                               {QStringLiteral("Unit"), T::Text}}});
    return rules;
}

} // namespace

const std::vector<TableRule> &tableRules()
{
    static const std::vector<TableRule> rules = makeRules();
    return rules;
}

const TableRule *findRule(const QString &tableName)
{
    for (const TableRule &rule : tableRules())
        if (rule.name == tableName)
            return &rule;
    return nullptr;
}

void checkAgainstRule(const TableSource &source, const TableRule &rule)
{
    const int headerLine = 1;
    const int count = static_cast<int>(source.columns.size());
    // The reference tables may carry extra fields after the ones the program reads.
    const bool exact = !rule.placeholderWhenAbsent;
    if ((exact && count != rule.columns) || (!exact && count < rule.columns))
        throw SourceError(source.file, headerLine, QStringLiteral("table %1 needs %2%3 columns, the header defines %4")
                                                       .arg(rule.name, exact ? QString() : QStringLiteral("at least "))
                                                       .arg(rule.columns)
                                                       .arg(count));
    for (const NamedField &field : rule.namedFields) {
        int found = -1;
        for (int i = 0; i < count; ++i)
            if (source.columns[static_cast<size_t>(i)].name == field.name)
                found = i;
        if (found < 0)
            throw SourceError(source.file, headerLine, QStringLiteral("table %1 needs a field %2").arg(rule.name, field.name));
        if (field.position >= 0 && found != field.position)
            throw SourceError(source.file, headerLine, QStringLiteral("field %1 must be at position %2, not %3")
                                                           .arg(field.name)
                                                           .arg(field.position)
                                                           .arg(found));
        if (source.columns[static_cast<size_t>(found)].type != field.type)
            throw SourceError(source.file, headerLine, QStringLiteral("field %1 must be %2")
                                                           .arg(field.name, typeName(field.type)));
    }
    if (rule.captionRecord && source.records.empty())
        throw SourceError(source.file, headerLine + 1,
                          QStringLiteral("table %1 needs its caption record after the column line").arg(rule.name));
}

} // namespace mhbk::handbook
