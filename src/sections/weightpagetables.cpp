#include "sections/weightpagetables.h"

namespace mhbk {

namespace {

using weights::Shape;

const NamedInput kGPerMetre{"", "G(kg/m)："};
const QString kLengthLegend = QStringLiteral("   L: 长度   M: 重量  ");

NamedInput named(const char *objectName, const NamedInput &label) { return {objectName, label.label}; }
NamedInput lengthInput(const char *objectName) { return {objectName, "L (m)："}; }
NamedInput weightOutput(const char *objectName) { return {objectName, "M (kg)："}; }

} // namespace

const std::vector<WeightPageDescription> &barPageDescriptions()
{
    static const std::vector<WeightPageDescription> descriptions = {
        {PageKey::RoundBar, "StringGrid4", "circle", looks::oddGreenEvenRed, 64, Profile::Round, Shape::Round,
         {{"Edit1", "d(mm)："}}, named("Edit2", kGPerMetre), lengthInput("Edit42"), weightOutput("Edit43"),
         {QStringLiteral("公式说明：    d: 直径   G: 理论重量 "), kLengthLegend}, BadNumber::PageMessage},
        {PageKey::SquareBar, "StringGrid5", "sqare", looks::oddGreenEvenRed, 64, Profile::Square, Shape::Square,
         {{"Edit4", "a(mm)："}}, named("Edit3", kGPerMetre), lengthInput("Edit45"), weightOutput("Edit44"),
         {QStringLiteral("公式说明：    a: 边长   G: 理论重量  "), kLengthLegend}, BadNumber::PageMessage},
        {PageKey::RectangularBar, "StringGrid23", "Rectangle", looks::redBlueGreen, 64, Profile::Rectangle, Shape::Rectangle,
         {{"Edit30", "a(mm)："}, {"Edit31", "b(mm)："}}, named("Edit32", kGPerMetre), lengthInput("Edit47"),
         weightOutput("Edit46"), {QStringLiteral("公式说明：    a: 边宽   b: 边长   G: 理论重量  "), kLengthLegend},
         BadNumber::PageMessage},
        {PageKey::HexagonBar, "StringGrid6", "Hexagon", looks::oddGreenEvenRed, 64, Profile::Hexagon, Shape::Hexagon,
         {{"Edit6", "a(mm)："}}, named("Edit5", kGPerMetre), lengthInput("Edit49"), weightOutput("Edit48"),
         {QStringLiteral("公式说明：   a: 边间距     G: 理论重量  "), kLengthLegend}, BadNumber::PageMessage},
        {PageKey::FlatBar, "StringGrid22", nullptr, nullptr, 60, Profile::None, Shape::Flat,
         {{"Edit27", "W(mm)："}, {"Edit28", "D(mm)："}}, named("Edit29", kGPerMetre), lengthInput("Edit51"),
         weightOutput("Edit50"), {QStringLiteral("公式说明：  W: 宽度    D:厚度    G: 理论重量  "), kLengthLegend},
         BadNumber::PageMessage},
        {PageKey::SteelPlate, "StringGrid13", "steelboard", looks::firstBlueOddGreenEvenRed, 64, Profile::None, Shape::Plate,
         {{"Edit7", "d(mm)："}}, {"Edit8", "G(kg/m2)："}, {"Edit53", "L (m2)："}, weightOutput("Edit52"),
         {QStringLiteral("公式说明：    d: 厚度   G: 理论重量  "), QStringLiteral("   L: 面积   M: 重量  ")},
         BadNumber::PageMessage},
    };
    return descriptions;
}

namespace {

// The pipe pages differ only in these; everything else is the same on all nine.
struct PipeRow {
    PageKey page;
    const char *gridName;
    const char *tableName;
    CellLookFn look;
    int columnWidth;
    const char *r, *d, *g, *l, *m;
    QStringList legend;
    BadNumber badNumber;
};

WeightPageDescription pipeDescription(const PipeRow &row)
{
    return {row.page, row.gridName, row.tableName, row.look, row.columnWidth, Profile::None, Shape::Pipe,
            {{row.r, "R(mm)："}, {row.d, "d(mm)："}}, named(row.g, kGPerMetre), lengthInput(row.l),
            weightOutput(row.m), row.legend, row.badNumber};
}

} // namespace

const std::vector<WeightPageDescription> &pipePageDescriptions()
{
    const QStringList seamless = {QStringLiteral("公式说明：  R: 外径    d: 壁厚    G: 理论重量  "), kLengthLegend};
    const QStringList welded = {QStringLiteral("说明：  r: 公称口径    cd: 普通钢管壁厚  cG: 普通钢管理论重量  "),
                                QStringLiteral("R: 公称外径    td: 加厚钢管壁厚  tG: 加厚钢管理论重量  "),
                                QStringLiteral("L: 长度   M: 重量  ")};
    const QStringList conduit = {QStringLiteral("说明：  r: 公称口径   d: 壁厚   R: 外径   G: 理论重量  "), kLengthLegend};
    const auto message = BadNumber::PageMessage;
    const auto report = BadNumber::ErrorReport;
    const CellLookFn twoColours = looks::oddGreenEvenRed;
    static const std::vector<PipeRow> rows = {
        {PageKey::HotRolledSeamlessPipe, "StringGrid14", "NoSewType", twoColours, 64, "Edit9", "Edit10", "Edit11", "Edit55", "Edit54", seamless, message},
        {PageKey::ColdRolledSeamlessPipe, "StringGrid15", "ColdSewType", twoColours, 64, "Edit12", "Edit13", "Edit14", "Edit57", "Edit56", seamless, message},
        {PageKey::PrecisionSeamlessPipe, "StringGrid16", "NicetyNoSew", twoColours, 64, "Edit15", "Edit16", "Edit17", "Edit59", "Edit58", seamless, message},
        {PageKey::BoilerSeamlessPipe, "StringGrid17", "BoilerNoSew", twoColours, 64, "Edit18", "Edit19", "Edit20", "Edit61", "Edit60", seamless, message},
        {PageKey::WeldedPipe, "StringGrid20", "SeelTube", looks::lastOfPeriodGreen(6), 55, "Edit33", "Edit34", "Edit35", "Edit71", "Edit70", welded, report},
        {PageKey::Conduit, "StringGrid21", "SleeveTube", looks::lastOfPeriodGreen(4), 64, "Edit36", "Edit37", "Edit38", "Edit63", "Edit62", conduit, report},
        {PageKey::SpiralWeldedPipe, "StringGrid24", "ScrewTube", looks::redBlueGreen, 64, "Edit39", "Edit40", "Edit41", "Edit65", "Edit64", seamless, report},
        {PageKey::StainlessHotRolledPipe, "StringGrid18", "stainlessHot", twoColours, 64, "Edit21", "Edit22", "Edit23", "Edit67", "Edit66", seamless, message},
        {PageKey::StainlessColdRolledPipe, "StringGrid19", "stainlessCold", twoColours, 64, "Edit24", "Edit25", "Edit26", "Edit69", "Edit68", seamless, message},
    };
    static const std::vector<WeightPageDescription> descriptions = [] {
        std::vector<WeightPageDescription> built;
        for (const PipeRow &row : rows)
            built.push_back(pipeDescription(row));
        return built;
    }();
    return descriptions;
}

} // namespace mhbk
