#include "app/pagecatalogue.h"

namespace mhbk {

namespace {

constexpr ButtonStates kKeypad{false, false, true};
constexpr ButtonStates kEditable{true, true, true};
constexpr ButtonStates kReadOnlyNoInsert{false, false, true};
constexpr ButtonStates kReadOnly{false, true, true};
constexpr std::nullopt_t kUnchanged = std::nullopt;

} // namespace

const std::array<PageEntry, kPageCount> &pageCatalogue()
{
    static const std::array<PageEntry, kPageCount> pages{{
        {0, "Page_Calculate", "计算器", kKeypad},
        {1, "TabSheet1", "常量设置", kUnchanged},
        {2, "Page_comunit", "常用单位转换", kEditable},
        {3, "Page_constdensity", "常用材料密度", kEditable},
        {4, "Page_constformula", "常用型材计算公式", kReadOnlyNoInsert},
        {5, "Page_GGBW_Old", "保温材料(公称直径)", kUnchanged},
        {6, "Page_GGBW", "保温材料(管外径)", kUnchanged},
        {7, "page_zyb", "保温自由计算表", kUnchanged},
        {8, "page_gsztg", "给水铸铁管表面积", kUnchanged},
        {9, "page_sxb", "排水铸铁管表面积", kUnchanged},
        {10, "TabSheet2", "水箱绝热、保温层", kUnchanged},
        {11, "Page_circle", "圆钢", kReadOnly},
        {12, "Page_sqare", "方钢", kReadOnly},
        {13, "Page_Rectangle", "矩形钢", kReadOnly},
        {14, "Page_Hexagon", "六角钢", kReadOnly},
        {15, "Page_BianG", "扁钢", kReadOnly},
        {16, "Page_Regular", "等边角钢", kReadOnly},
        {17, "Page_NORegular", "不等边角钢", kReadOnly},
        {18, "Page_Ishaped", "工字钢", kReadOnly},
        {19, "Page_LightIshaped", "轻型工字钢", kReadOnly},
        {20, "Page_groove", "槽钢", kReadOnly},
        {21, "Page_Lightgroove", "轻型槽钢", kReadOnly},
        {22, "Page_steelboard", "钢板", kReadOnly},
        {23, "TabSheet7", "花纹钢板", kReadOnly},
        {24, "Page_NoSewType", "热轧无缝钢管", kReadOnlyNoInsert},
        {25, "Page_ColdSewType", "冷轧无缝钢管", kReadOnlyNoInsert},
        {26, "Page_NicetyNoSew", "冷轧精密无缝钢管", kReadOnlyNoInsert},
        {27, "Page_BoilerNoSew", "低中压结构锅炉用无缝钢管", kReadOnlyNoInsert},
        {28, "Page_SeelTube", "焊接钢管", kReadOnly},
        {29, "Page_SleeveTube", "电线套管", kReadOnly},
        {30, "Page_ScrewTube", "螺旋电焊钢管", kReadOnly},
        {31, "Page_stainlessHot", "不锈钢无缝热轧钢管", kReadOnlyNoInsert},
        {32, "Page_stainlessCold", "不锈钢无缝冷轧钢管", kReadOnlyNoInsert},
        {33, "page_snsc1", "速查表1", kUnchanged},
        {34, "page_snsc2", "速查表2", kUnchanged},
        {35, "page_snzzfxb1", "工程用料总帐分析表", kUnchanged},
        {36, "page_snzzfxb3", "铸铁排水管分析表", kUnchanged},
        {37, "page_csb1", "测算表(铸铁排水管)", kUnchanged},
        {38, "page_csb2", "测算表(铝塑复合接头)", kUnchanged},
        {39, "page_csb3", "测算表(塑料排水管)", kUnchanged},
        {40, "page_csb4", "测算表(焊接钢管接头)", kUnchanged},
        {41, "page_csb5", "测算表(镀锌钢管接头)", kUnchanged},
        {42, "page_csb6", "测算表(聚丙烯管接头)", kUnchanged},
        {43, "TabSheet3", "圆形风管绝热保温层", kUnchanged},
        {44, "TabSheet4", "矩形风管绝热保温层", kUnchanged},
        {45, "TabSheet8", "矩形风管板厚、定额选择(中低压)", kUnchanged},
        {46, "TabSheet9", "矩形风管板厚、定额选择(高压)", kUnchanged},
        {47, "TabSheet10", "矩形风管板厚、定额选择(除尘风管)", kUnchanged},
        {48, "TabSheet11", "圆形风管板厚、定额选择", kUnchanged},
        {49, "TabSheet5", "焊接、镀锌钢管价格换算表", kUnchanged},
        {50, "TabSheet6", "水表井砖砌体及抹灰等", kUnchanged},
        {51, "TabSheet12", "直埋热水管道挖管沟土方、回填砂、土速算表", kUnchanged},
    }};
    return pages;
}

const std::array<TreeGroup, kGroupCount> &treeGroups()
{
    static const std::array<TreeGroup, kGroupCount> groups{{
        {"计算", 0, 1, 0},
        {"公式", 2, 4, 1},
        {"钢管刷油保温", 5, 7, 5},
        {"给、排水铸铁管表面积", 8, 9, 5},
        {"水箱绝热、保温层", 10, 10, 5},
        {"型钢", 11, 21, 2},
        {"钢板", 22, 23, 3},
        {"钢管", 24, 32, 4},
        {"水卫暖通速查", 33, 34, 5},
        {"水暖总帐分析表", 35, 36, 5},
        {"管件含量测算表", 37, 42, 5},
        {"风管绝热保温层", 43, 48, 5},
        {"焊接、镀锌钢管价格换算表", 49, 49, 5},
        {"水表井砖砌体及抹灰等", 50, 50, 5},
        {"挖管沟土方,回填砂,土速算表", 51, 51, 5},
    }};
    return groups;
}

} // namespace mhbk
