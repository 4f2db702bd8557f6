#include "workbooks/engine/numberformat.h"
#include "workbooks/engine/workbook_p.h"


namespace mhbk::wb {

// ---- WorkbookData: values for the evaluator, and the dependency graph ----

Value WorkbookData::cellValue(int sheet, int row, int col) const
{
    if (sheet < 0 || size_t(sheet) >= sheets.size())
        return Value::error(ErrorCode::Ref);
    const CellData *c = sheetData(sheet).find(row, col);
    return c ? c->value : Value();
}

void WorkbookData::forEachCell(int sheet, const CellRange &range,
                               const std::function<void(int, int, const Value &)> &fn) const
{
    if (sheet < 0 || size_t(sheet) >= sheets.size())
        return;
    const SheetData &s = sheetData(sheet);
    const CellRange r{range.firstRow, range.firstCol, std::min(range.lastRow, s.lastRow),
                      std::min(range.lastCol, s.lastCol)};
    if (r.lastRow < r.firstRow || r.lastCol < r.firstCol)
        return;
    s.cells.forEachIn(r.firstRow, r.lastRow, r.firstCol, r.lastCol, [&](int row, int col, const CellData &cell) {
        if (!cell.value.isEmpty())
            fn(row, col, cell.value);
    });
}

CellRange WorkbookData::usedRange(int sheet) const
{
    if (sheet < 0 || size_t(sheet) >= sheets.size())
        return {0, 0, -1, -1};
    const SheetData &s = sheetData(sheet);
    return {0, 0, s.lastRow, s.lastCol};
}

void WorkbookData::link(quint64 key, const FormulaCell &formula)
{
    if (!dependentsBuilt)
        return;
    formula.forEachPrecedent([&](const Precedent &p) {
        if (p.range.firstRow == p.range.lastRow && p.range.firstCol == p.range.lastCol) {
            auto &list = pointDependents[globalKey(p.sheet, p.range.firstRow, p.range.firstCol)];
            if (std::find(list.begin(), list.end(), key) == list.end())
                list.push_back(key);
        } else {
            rangeDependents[size_t(p.sheet)].push_back({p.range, key});
        }
    });
}

void WorkbookData::unlink(quint64 key, const FormulaCell &formula)
{
    if (!dependentsBuilt)
        return;
    formula.forEachPrecedent([&](const Precedent &p) {
        if (p.range.firstRow == p.range.lastRow && p.range.firstCol == p.range.lastCol) {
            const auto it = pointDependents.find(globalKey(p.sheet, p.range.firstRow, p.range.firstCol));
            if (it != pointDependents.end())
                std::erase(it->second, key);
        } else {
            std::erase_if(rangeDependents[size_t(p.sheet)],
                          [&](const RangeDependency &d) { return d.dependent == key && d.range == p.range; });
        }
    });
}

void WorkbookData::dropDependents()
{
    pointDependents = {};
    rangeDependents = {};
    dependentsBuilt = false;
}

void WorkbookData::buildDependents()
{
    if (dependentsBuilt)
        return;
    rangeDependents.resize(sheets.size());
    dependentsBuilt = true;
    for (size_t s = 0; s < sheets.size(); ++s)
        sheetData(int(s)).cells.forEach([&](int row, int col, const CellData &c) {
            if (c.formula)
                link(globalKey(int(s), row, col), *c.formula);
        });
}

std::vector<quint64> WorkbookData::dependents(quint64 key) const
{
    std::vector<quint64> out;
    if (const auto it = pointDependents.find(key); it != pointDependents.end())
        out = it->second;
    const int row = keyRow(key), col = keyCol(key);
    for (const RangeDependency &d : rangeDependents[size_t(globalSheet(key))])
        if (d.range.contains(row, col))
            out.push_back(d.dependent);
    return out;
}

WorkbookData::EnteredFormula WorkbookData::parseAt(int sheet, int row, int col, const QString &input,
                                                   const SheetResolver &sheetNames)
{
    ColumnFormula &last = columnFormulas[globalKey(sheet, 0, col)];
    // The remembered formula's parse is the one its cell holds, as long as the cell holds that text.
    const CellData *source = last.shape.input().isEmpty() ? nullptr : sheetData(sheet).find(last.row, col);
    const int delta = row - last.row;
    const FormulaCell *f = source ? source->formula.get() : nullptr;
    if (f && f->tree && f->text == last.shape.input() && last.shape.matches(input, delta)) {
        return {f->tree, f->rowOffset + delta, {}, -1};
    }
    last.row = row;
    ParsedFormula parsed = last.shape.parse(input, sheet, sheetNames);
    return {std::move(parsed.tree), 0, parsed.error, parsed.errorPosition};
}

// ---- Workbook ----

Workbook::Workbook() : d_(std::make_unique<WorkbookData>()) {}
Workbook::~Workbook() = default;
Workbook::Workbook(Workbook &&) noexcept = default;
Workbook &Workbook::operator=(Workbook &&) noexcept = default;

int Workbook::sheetCount() const
{
    return int(d_->sheets.size());
}

Sheet &Workbook::sheet(int index)
{
    return *d_->sheets.at(size_t(index));
}

const Sheet &Workbook::sheet(int index) const
{
    return *d_->sheets.at(size_t(index));
}

int Workbook::sheetIndex(const QString &name) const
{
    for (size_t i = 0; i < d_->sheets.size(); ++i)
        if (d_->sheets[i]->name().compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int Workbook::addSheet(const QString &name)
{
    if (name.trimmed().isEmpty() || sheetIndex(name) >= 0)
        return -1;
    d_->sheets.push_back(std::make_unique<Sheet>(name));
    d_->columnFormulas.clear();
    if (d_->dependentsBuilt)
        d_->rangeDependents.emplace_back();
    return sheetCount() - 1;
}

void Workbook::setActiveSheet(int index)
{
    if (index >= 0 && index < sheetCount())
        activeSheet_ = index;
}

int Workbook::styleCount() const
{
    return int(d_->styles.size());
}

const CellStyle &Workbook::style(int index) const
{
    if (index < 0 || size_t(index) >= d_->styles.size())
        return d_->styles.front();
    return d_->styles[size_t(index)];
}

int Workbook::addStyle(const CellStyle &style)
{
    const auto it = std::find(d_->styles.begin(), d_->styles.end(), style);
    if (it != d_->styles.end())
        return int(it - d_->styles.begin());
    d_->styles.push_back(style);
    return styleCount() - 1;
}

void Workbook::setDefaultStyle(const CellStyle &style)
{
    d_->styles.front() = style;
}

const CellStyle &Workbook::cellStyle(int sheetNo, int row, int col) const
{
    return style(sheet(sheetNo).styleIndex(row, col));
}

namespace {

bool validCell(const Workbook &b, int sheet, int row, int col)
{
    return sheet >= 0 && sheet < b.sheetCount() && row >= 0 && row < kMaxRows && col >= 0 && col < kMaxColumns;
}

// A typed constant: booleans, error values and numbers are recognised; the rest is text.
Value constantFromInput(const QString &text)
{
    if (text.startsWith(u'\''))
        return Value::text(text.mid(1));
    const QString t = text.trimmed();
    if (t.compare(u"TRUE", Qt::CaseInsensitive) == 0)
        return Value::boolean(true);
    if (t.compare(u"FALSE", Qt::CaseInsensitive) == 0)
        return Value::boolean(false);
    ErrorCode code;
    if (errorFromText(t, &code))
        return Value::error(code);
    if (const auto n = textToNumber(t))
        return Value::number(*n);
    return Value::text(text);
}

} // namespace

InputResult Workbook::setInput(int sheetNo, int row, int col, const QString &text)
{
    InputResult result;
    if (!validCell(*this, sheetNo, row, col)) {
        result.ok = false;
        result.message = QStringLiteral("单元格超出工作表范围");
        return result;
    }
    if (!text.startsWith(u'=') || text.size() == 1) {
        setValue(sheetNo, row, col, text.isEmpty() ? Value() : constantFromInput(text));
        return result;
    }
    const quint64 key = globalKey(sheetNo, row, col);
    CellData &c = d_->sheetData(sheetNo).touch(row, col);
    if (c.formula)
        d_->unlink(key, *c.formula);
    WorkbookData::EnteredFormula parsed = d_->parseAt(sheetNo, row, col, text, [this](const QString &n) { return sheetIndex(n); });
    c.formula = std::make_unique<FormulaCell>(FormulaCell{text, std::move(parsed.tree), parsed.rowOffset});
    if (!c.formula->tree) {
        result.ok = false;
        result.message = parsed.error;
        result.position = parsed.errorPosition + 2;   // 1-based, counting the "="
    }
    d_->link(key, *c.formula);
    if (d_->updateDepth == 0)   // else endUpdate() recalculates; no list of roots to build per cell
        d_->recalculate({key});
    return result;
}

void Workbook::setValue(int sheetNo, int row, int col, const Value &value)
{
    if (!validCell(*this, sheetNo, row, col))
        return;
    SheetData &s = d_->sheetData(sheetNo);
    const quint64 key = globalKey(sheetNo, row, col);
    if (value.isEmpty() && !s.find(row, col)) {
        d_->lastEvaluationCount = 0;
        return;
    }
    CellData &c = s.touch(row, col);
    if (c.formula)
        d_->unlink(key, *c.formula);
    c.formula.reset();
    c.value = value;
    if (d_->updateDepth == 0)   // else endUpdate() recalculates; no list of roots to build per cell
        d_->recalculate({key});
}

Value Workbook::value(int sheetNo, int row, int col) const
{
    if (!validCell(*this, sheetNo, row, col))
        return Value();
    return sheet(sheetNo).value(row, col);
}

QString Workbook::displayText(int sheetNo, int row, int col) const
{
    if (!validCell(*this, sheetNo, row, col))
        return QString();
    return formatValue(value(sheetNo, row, col), cellStyle(sheetNo, row, col).numberFormat);
}

bool Workbook::isEditable(int sheetNo, int row, int col) const
{
    if (!validCell(*this, sheetNo, row, col))
        return false;
    return !(sheet(sheetNo).isProtected() && cellStyle(sheetNo, row, col).locked);
}

void Workbook::recalculate()
{
    d_->recalculateAll();
}

void Workbook::beginUpdate()
{
    if (d_->updateDepth++ == 0)
        d_->dropDependents();
}

void Workbook::endUpdate()
{
    if (d_->updateDepth > 0 && --d_->updateDepth == 0)
        recalculate();
}

int Workbook::lastEvaluationCount() const
{
    return d_->lastEvaluationCount;
}

} // namespace mhbk::wb
