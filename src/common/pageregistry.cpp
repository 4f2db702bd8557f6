#include "common/pageregistry.h"

#include <QStringList>
#include <stdexcept>
#include <string>

namespace mhbk::pages {

namespace {

// 加入表达式 is offered where the page shows cells worth taking into an expression.
constexpr ExpressionButtons kOffersCells{true, true};
constexpr ExpressionButtons kNoCells{false, true};
constexpr std::nullopt_t kUnchanged = std::nullopt;

} // namespace

const std::array<PageEntry, kPageCount> &all()
{
    static const std::array<PageEntry, kPageCount> entries{{
        {0, PageKey::Calculator, PageKind::Calculator, "Page_Calculate", "计算器", kNoCells},
        {1, PageKey::DecimalPlaces, PageKind::DecimalPlaces, "TabSheet1", "常量设置", kUnchanged},
        {2, PageKey::UnitConversion, PageKind::EditableTable, "Page_comunit", "常用单位转换", kOffersCells},
        {3, PageKey::MaterialDensity, PageKind::EditableTable, "Page_constdensity", "常用材料密度", kOffersCells},
        {4, PageKey::SectionFormulas, PageKind::FormulaTable, "Page_constformula", "常用型材计算公式", kNoCells},
        {5, PageKey::InsulationByNominalDiameter, PageKind::Sheet, "Page_GGBW_Old", "保温材料(公称直径)", kUnchanged},
        {6, PageKey::InsulationByOuterDiameter, PageKind::Sheet, "Page_GGBW", "保温材料(管外径)", kUnchanged},
        {7, PageKey::InsulationFreeCalculation, PageKind::Workbook, "page_zyb", "保温自由计算表", kUnchanged},
        {8, PageKey::WaterCastIronPipeSurface, PageKind::Workbook, "page_gsztg", "给水铸铁管表面积", kUnchanged},
        {9, PageKey::DrainCastIronPipeSurface, PageKind::Workbook, "page_sxb", "排水铸铁管表面积", kUnchanged},
        {10, PageKey::WaterTankInsulation, PageKind::Workbook, "TabSheet2", "水箱绝热、保温层", kUnchanged},
        {11, PageKey::RoundBar, PageKind::SectionTable, "Page_circle", "圆钢", kOffersCells},
        {12, PageKey::SquareBar, PageKind::SectionTable, "Page_sqare", "方钢", kOffersCells},
        {13, PageKey::RectangularBar, PageKind::SectionTable, "Page_Rectangle", "矩形钢", kOffersCells},
        {14, PageKey::HexagonBar, PageKind::SectionTable, "Page_Hexagon", "六角钢", kOffersCells},
        {15, PageKey::FlatBar, PageKind::SectionTable, "Page_BianG", "扁钢", kOffersCells},
        {16, PageKey::EqualAngle, PageKind::SectionTable, "Page_Regular", "等边角钢", kOffersCells},
        {17, PageKey::UnequalAngle, PageKind::SectionTable, "Page_NORegular", "不等边角钢", kOffersCells},
        {18, PageKey::IBeam, PageKind::SectionTable, "Page_Ishaped", "工字钢", kOffersCells},
        {19, PageKey::LightIBeam, PageKind::SectionTable, "Page_LightIshaped", "轻型工字钢", kOffersCells},
        {20, PageKey::Channel, PageKind::SectionTable, "Page_groove", "槽钢", kOffersCells},
        {21, PageKey::LightChannel, PageKind::SectionTable, "Page_Lightgroove", "轻型槽钢", kOffersCells},
        {22, PageKey::SteelPlate, PageKind::SectionTable, "Page_steelboard", "钢板", kOffersCells},
        {23, PageKey::CheckeredPlate, PageKind::CheckeredPlate, "TabSheet7", "花纹钢板", kOffersCells},
        {24, PageKey::HotRolledSeamlessPipe, PageKind::SectionTable, "Page_NoSewType", "热轧无缝钢管", kNoCells},
        {25, PageKey::ColdRolledSeamlessPipe, PageKind::SectionTable, "Page_ColdSewType", "冷轧无缝钢管", kNoCells},
        {26, PageKey::PrecisionSeamlessPipe, PageKind::SectionTable, "Page_NicetyNoSew", "冷轧精密无缝钢管", kNoCells},
        {27, PageKey::BoilerSeamlessPipe, PageKind::SectionTable, "Page_BoilerNoSew", "低中压结构锅炉用无缝钢管", kNoCells},
        {28, PageKey::WeldedPipe, PageKind::SectionTable, "Page_SeelTube", "焊接钢管", kOffersCells},
        {29, PageKey::Conduit, PageKind::SectionTable, "Page_SleeveTube", "电线套管", kOffersCells},
        {30, PageKey::SpiralWeldedPipe, PageKind::SectionTable, "Page_ScrewTube", "螺旋电焊钢管", kOffersCells},
        {31, PageKey::StainlessHotRolledPipe, PageKind::SectionTable, "Page_stainlessHot", "不锈钢无缝热轧钢管", kNoCells},
        {32, PageKey::StainlessColdRolledPipe, PageKind::SectionTable, "Page_stainlessCold", "不锈钢无缝冷轧钢管", kNoCells},
        {33, PageKey::QuickReference1, PageKind::Workbook, "page_snsc1", "速查表1", kUnchanged},
        {34, PageKey::QuickReference2, PageKind::Workbook, "page_snsc2", "速查表2", kUnchanged},
        {35, PageKey::MaterialLedgerAnalysis, PageKind::Workbook, "page_snzzfxb1", "工程用料总帐分析表", kUnchanged},
        {36, PageKey::CastIronDrainAnalysis, PageKind::Workbook, "page_snzzfxb3", "铸铁排水管分析表", kUnchanged},
        {37, PageKey::CastIronDrainFittings, PageKind::Workbook, "page_csb1", "测算表(铸铁排水管)", kUnchanged},
        {38, PageKey::AluminiumPlasticFittings, PageKind::Workbook, "page_csb2", "测算表(铝塑复合接头)", kUnchanged},
        {39, PageKey::PlasticDrainFittings, PageKind::Workbook, "page_csb3", "测算表(塑料排水管)", kUnchanged},
        {40, PageKey::WeldedSteelFittings, PageKind::Workbook, "page_csb4", "测算表(焊接钢管接头)", kUnchanged},
        {41, PageKey::GalvanisedSteelFittings, PageKind::Workbook, "page_csb5", "测算表(镀锌钢管接头)", kUnchanged},
        {42, PageKey::PolypropyleneFittings, PageKind::Workbook, "page_csb6", "测算表(聚丙烯管接头)", kUnchanged},
        {43, PageKey::RoundDuctInsulation, PageKind::Workbook, "TabSheet3", "圆形风管绝热保温层", kUnchanged},
        {44, PageKey::RectangularDuctInsulation, PageKind::Workbook, "TabSheet4", "矩形风管绝热保温层", kUnchanged},
        {45, PageKey::DuctPlateThicknessMediumLow, PageKind::Workbook, "TabSheet8", "矩形风管板厚、定额选择(中低压)", kUnchanged},
        {46, PageKey::DuctPlateThicknessHigh, PageKind::Workbook, "TabSheet9", "矩形风管板厚、定额选择(高压)", kUnchanged},
        {47, PageKey::DuctPlateThicknessDustRemoval, PageKind::Workbook, "TabSheet10", "矩形风管板厚、定额选择(除尘风管)", kUnchanged},
        {48, PageKey::RoundDuctPlateThickness, PageKind::Workbook, "TabSheet11", "圆形风管板厚、定额选择", kUnchanged},
        {49, PageKey::PipePriceConversion, PageKind::Workbook, "TabSheet5", "焊接、镀锌钢管价格换算表", kUnchanged},
        {50, PageKey::WaterMeterPit, PageKind::Workbook, "TabSheet6", "水表井砖砌体及抹灰等", kUnchanged},
        {51, PageKey::BuriedHeatingPipeTrench, PageKind::Workbook, "TabSheet12", "直埋热水管道挖管沟土方、回填砂、土速算表", kUnchanged},
    }};
    return entries;
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

bool isIndex(int index) { return index >= 0 && index < kPageCount; }

const PageEntry &at(int index)
{
    if (!isIndex(index))
        throw std::out_of_range("no page " + std::to_string(index));
    return all()[static_cast<std::size_t>(index)];
}

std::optional<int> find(std::string_view objectName)
{
    for (const PageEntry &entry : all())
        if (objectName == entry.objectName)
            return entry.index;
    return std::nullopt;
}

int indexOf(std::string_view objectName)
{
    if (const auto index = find(objectName))
        return *index;
    throw std::logic_error("no page named " + std::string(objectName));
}

int indexOf(PageKey key) { return at(key).index; }

const PageEntry &at(PageKey key)
{
    for (const PageEntry &entry : all())
        if (entry.key == key)
            return entry;
    throw std::logic_error("no page with key " + std::to_string(static_cast<int>(key)));
}

QString objectName(PageKey key) { return QString::fromLatin1(at(key).objectName); }

std::vector<int> ofKind(PageKind kind)
{
    std::vector<int> indexes;
    for (const PageEntry &entry : all())
        if (entry.kind == kind)
            indexes.push_back(entry.index);
    return indexes;
}

QString rangesText(const std::vector<int> &indexes)
{
    QStringList runs;
    for (std::size_t i = 0; i < indexes.size();) {
        std::size_t end = i;
        while (end + 1 < indexes.size() && indexes[end + 1] == indexes[end] + 1)
            ++end;
        runs << (end == i ? QString::number(indexes[i])
                          : QStringLiteral("%1-%2").arg(indexes[i]).arg(indexes[end]));
        i = end + 1;
    }
    return runs.join(QStringLiteral(", "));
}

} // namespace mhbk::pages
