#include "workbooks/engine/workbook_p.h"

#include <deque>
#include <unordered_set>

// Recalculation: after an edit, exactly the formulas depending on it, in dependency order;
// after loading, every formula. A circular reference gives #REF! in the cells on and behind
// it, and nothing recurses, so long chains cannot exhaust the stack and cycles cannot hang.

namespace mhbk::wb {

void WorkbookData::evaluate(quint64 key)
{
    const int sheet = globalSheet(key);
    CellData *c = sheetData(sheet).find(keyRow(key), keyCol(key));
    if (!c)
        return;
    if (!c->formula || !c->formula->tree) {
        c->value = Value::error(ErrorCode::Name);
        return;
    }
    Evaluator ev(*this, sheet, keyRow(key), keyCol(key), c->formula->rowOffset);
    c->value = ev.evaluateCell(c->formula->tree->root());
}

// Evaluates the affected formulas in dependency order (Kahn's algorithm). Whatever is left
// over lies on or behind a circular reference and gets #REF!; nothing recurses, so long
// chains cannot exhaust the stack and cycles cannot hang.
void WorkbookData::recalculate(const std::vector<quint64> &roots)
{
    if (updateDepth > 0)
        return;
    buildDependents();
    auto isFormula = [&](quint64 k) {
        const CellData *c = sheetData(globalSheet(k)).find(keyRow(k), keyCol(k));
        return c && c->isFormula();
    };
    std::unordered_set<quint64> affected;
    std::vector<quint64> stack;
    for (quint64 r : roots) {
        stack.push_back(r);
        if (isFormula(r))
            affected.insert(r);
    }
    std::unordered_set<quint64> expanded;
    while (!stack.empty()) {
        const quint64 c = stack.back();
        stack.pop_back();
        if (!expanded.insert(c).second)
            continue;
        for (quint64 d : dependents(c))
            if (affected.insert(d).second)
                stack.push_back(d);
    }
    std::unordered_map<quint64, std::vector<quint64>> next;
    std::unordered_map<quint64, int> waiting;
    for (quint64 c : affected) {
        waiting.try_emplace(c, 0);
        for (quint64 d : dependents(c)) {
            if (affected.count(d)) {
                next[c].push_back(d);
                ++waiting[d];
            }
        }
    }
    std::deque<quint64> ready;
    for (const auto &[k, n] : waiting)
        if (n == 0)
            ready.push_back(k);
    int evaluated = 0;
    while (!ready.empty()) {
        const quint64 c = ready.front();
        ready.pop_front();
        evaluate(c);
        ++evaluated;
        waiting.erase(c);
        for (quint64 d : next[c])
            if (--waiting[d] == 0)
                ready.push_back(d);
    }
    for (const auto &[k, n] : waiting) {
        if (CellData *c = sheetData(globalSheet(k)).find(keyRow(k), keyCol(k)))
            c->value = Value::error(ErrorCode::Ref);
        ++evaluated;
    }
    lastEvaluationCount = evaluated;
}

namespace {

// One formula on the way down a full recalculation: the formulas it reads are
// pending[first, end), taken in turn from `next`.
struct Visit
{
    quint64 key;
    CellData *cell;
    size_t first, next;
    bool circular = false;
};

} // namespace

// Depth-first from each formula through the formulas it reads, evaluating each on the way
// back up, so every formula is evaluated once and after everything it reads. Reaching a
// formula still being visited means a cycle: that formula and every one that reads it, up
// the path and beyond, gets #REF!.
void WorkbookData::recalculateAll()
{
    if (updateDepth > 0)
        return;
    for (const auto &sheet : sheets)
        sheet->data().cells.forEach([](int, int, CellData &c) { c.pass = CellData::Pass::Waiting; });
    std::vector<quint64> pending;
    std::vector<Visit> path;
    int evaluated = 0;
    auto enter = [&](quint64 key, CellData *cell) {
        cell->pass = CellData::Pass::Visiting;
        const size_t first = pending.size();
        cell->formula->forEachPrecedent([&](const Precedent &p) {
            if (size_t(p.sheet) >= sheets.size())
                return;
            const SheetData &s = sheetData(p.sheet);
            s.cells.forEachIn(p.range.firstRow, std::min(p.range.lastRow, s.lastRow), p.range.firstCol,
                              std::min(p.range.lastCol, s.lastCol), [&](int row, int col, const CellData &c) {
                                  if (c.isFormula())
                                      pending.push_back(globalKey(p.sheet, row, col));
                              });
        });
        path.push_back({key, cell, first, first});
    };
    auto leave = [&] {
        const Visit v = path.back();
        path.pop_back();
        pending.resize(v.first);
        if (v.circular) {
            v.cell->value = Value::error(ErrorCode::Ref);
            v.cell->pass = CellData::Pass::Circular;
        } else {
            evaluate(v.key);
            v.cell->pass = CellData::Pass::Done;
        }
        ++evaluated;
        if (!path.empty() && v.circular)
            path.back().circular = true;
    };
    for (size_t s = 0; s < sheets.size(); ++s) {
        sheets[s]->data().cells.forEach([&](int row, int col, CellData &root) {
            if (!root.isFormula() || root.pass != CellData::Pass::Waiting)
                return;
            enter(globalKey(int(s), row, col), &root);
            while (!path.empty()) {
                Visit &top = path.back();
                if (top.next == pending.size()) {
                    leave();
                    continue;
                }
                const quint64 key = pending[top.next++];
                CellData *c = sheetData(globalSheet(key)).find(keyRow(key), keyCol(key));
                if (c->pass == CellData::Pass::Waiting)
                    enter(key, c);
                else if (c->pass != CellData::Pass::Done)
                    top.circular = true;
            }
        });
    }
    lastEvaluationCount = evaluated;
}

} // namespace mhbk::wb
