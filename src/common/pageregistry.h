#pragma once

#include <QString>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace mhbk {

// What a page holds; the subsystem that builds a page asks for the pages of its kinds.
enum class PageKind {
    Calculator,     // the keypad
    DecimalPlaces,  // 常量设置
    EditableTable,  // the unit and density grids: the only pages 插入/删除/保存 act on
    FormulaTable,   // the read-only formula grid
    Sheet,          // the painting and insulation sheets
    SectionTable,   // bars, plates, rolled sections and pipes: a size table and a weight calculator
    CheckeredPlate, // 花纹钢板
    Workbook,       // a stored workbook, looked up in `Report` by the page's index
};

// What a page is, for code and tests to name it by; its object name and index are the
// registry's data (stored in files, shown by --page), not names to write into code.
enum class PageKey {
    Calculator, DecimalPlaces, UnitConversion, MaterialDensity, SectionFormulas, InsulationByNominalDiameter,
    InsulationByOuterDiameter, InsulationFreeCalculation, WaterCastIronPipeSurface, DrainCastIronPipeSurface,
    WaterTankInsulation, RoundBar, SquareBar, RectangularBar, HexagonBar, FlatBar, EqualAngle, UnequalAngle,
    IBeam, LightIBeam, Channel, LightChannel, SteelPlate, CheckeredPlate, HotRolledSeamlessPipe,
    ColdRolledSeamlessPipe, PrecisionSeamlessPipe, BoilerSeamlessPipe, WeldedPipe, Conduit, SpiralWeldedPipe,
    StainlessHotRolledPipe, StainlessColdRolledPipe, QuickReference1, QuickReference2, MaterialLedgerAnalysis,
    CastIronDrainAnalysis, CastIronDrainFittings, AluminiumPlasticFittings, PlasticDrainFittings,
    WeldedSteelFittings, GalvanisedSteelFittings, PolypropyleneFittings, RoundDuctInsulation,
    RectangularDuctInsulation, DuctPlateThicknessMediumLow, DuctPlateThicknessHigh,
    DuctPlateThicknessDustRemoval, RoundDuctPlateThickness, PipePriceConversion, WaterMeterPit,
    BuriedHeatingPipeTrench,
};

// The states a page gives to 加入表达式 and 跳转至计算器 when it is shown.
struct ExpressionButtons {
    bool addToExpression;
    bool jumpToCalculator;
};

struct PageEntry {
    int index; // the page's number: tab order, `Report`."Index", and --page / mhbk-cli PAGE
    PageKey key;
    PageKind kind;
    const char *objectName;
    const char *caption;
    // Absent: 加入表达式 and 跳转至计算器 keep the states the page shown before gave them.
    std::optional<ExpressionButtons> expressionButtons;

    // 插入, 删除 and 保存 are enabled on the pages with an editable grid, and nowhere else.
    bool rowEditing() const { return kind == PageKind::EditableTable; }
};

struct TreeGroup {
    const char *caption;
    int firstPage;
    int lastPage;
    int childImage;
};

inline constexpr int kPageCount = 52;
inline constexpr int kGroupCount = 15;
inline constexpr int kGroupImage = 6;

// The one list of the program's pages: everything that needs a page's number, object name,
// caption or kind asks here.
namespace pages {

const std::array<PageEntry, kPageCount> &all();
const std::array<TreeGroup, kGroupCount> &treeGroups();

bool isIndex(int index);
// The entry of a valid index; throws std::out_of_range for any other.
const PageEntry &at(int index);
// The index of the page with this object name; nullopt for a name no page has.
std::optional<int> find(std::string_view objectName);
// The index of a page the caller knows exists; throws std::logic_error for an unknown name.
// Code names pages by key; this is for names read from elsewhere that must be known.
int indexOf(std::string_view objectName);
// The page with this key: its index and its entry.
int indexOf(PageKey key);
const PageEntry &at(PageKey key);
// The stored object name, as the tab sheet carries it.
QString objectName(PageKey key);
std::vector<int> ofKind(PageKind kind);

// Indexes as the help texts show them: runs of consecutive pages joined, "7-10, 33-51".
QString rangesText(const std::vector<int> &indexes);

} // namespace pages

} // namespace mhbk
