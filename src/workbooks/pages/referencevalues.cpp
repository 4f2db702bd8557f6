#include "workbooks/pages/referencevalues.h"

#include "common/errors.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/export/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace mhbk::workbooks {

bool isReferenceCell(const wb::Workbook &book, int sheet, int row, int col)
{
    const wb::CellStyle &style = book.cellStyle(sheet, row, col);
    return book.isEditable(sheet, row, col) && style.filled && style.fill == kReferenceFill;
}

std::vector<wb::CellAddress> referenceCells(const wb::Workbook &book, int sheet)
{
    std::vector<wb::CellAddress> cells;
    for (const wb::CellAddress &cell : book.sheet(sheet).cells())
        if (isReferenceCell(book, sheet, cell.row, cell.col))
            cells.push_back(cell);
    return cells;
}

ReferenceCorrections correctionsOf(const wb::Workbook &shipped, const wb::Workbook &shown, int sheet)
{
    ReferenceCorrections out;
    for (const wb::CellAddress &cell : referenceCells(shipped, sheet)) {
        const QString now = shown.sheet(sheet).input(cell.row, cell.col);
        if (now != shipped.sheet(sheet).input(cell.row, cell.col))
            out[{cell.row, cell.col}] = now;
    }
    return out;
}

int applyCorrections(wb::Workbook &book, int sheet, const ReferenceCorrections &corrections)
{
    int applied = 0;
    book.beginUpdate();
    for (const auto &[cell, text] : corrections)
        if (isReferenceCell(book, sheet, cell.first, cell.second)) {
            book.setInput(sheet, cell.first, cell.second, text);
            ++applied;
        }
    book.endUpdate();
    return applied;
}

QByteArray correctionsToJson(int pageIndex, const ReferenceCorrections &corrections)
{
    QJsonObject cells;
    for (const auto &[cell, text] : corrections)
        cells.insert(wb::addressText(cell.first, cell.second), text);
    return QJsonDocument(QJsonObject{{QStringLiteral("page"), pageIndex}, {QStringLiteral("cells"), cells}})
        .toJson(QJsonDocument::Indented);
}

bool correctionsFromJson(const QByteArray &json, int pageIndex, ReferenceCorrections &out)
{
    out.clear();
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    const QJsonObject root = doc.object();
    if (!doc.isObject() || root.value(QStringLiteral("page")).toInt(-1) != pageIndex ||
        !root.value(QStringLiteral("cells")).isObject())
        return false;
    const QJsonObject cells = root.value(QStringLiteral("cells")).toObject();
    ReferenceCorrections read;
    for (auto it = cells.begin(); it != cells.end(); ++it) {
        const std::optional<wb::CellAddress> cell = wb::parseAddress(it.key());
        if (!cell || !it.value().isString())
            return false;
        read[{cell->row, cell->col}] = it.value().toString();
    }
    out = std::move(read);
    return true;
}

QString ReferenceStore::filePath(int pageIndex) const
{
    return QDir(folder_).filePath(QStringLiteral("reference-values-%1.json").arg(pageIndex));
}

ReferenceCorrections ReferenceStore::load(int pageIndex) const
{
    ReferenceCorrections out;
    if (!keeps() || !QFile::exists(filePath(pageIndex)))
        return out;
    QFile file(filePath(pageIndex));
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("无法读取参考值文件“%1”：%2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    if (!correctionsFromJson(file.readAll(), pageIndex, out))
        throw AppError(QStringLiteral("参考值文件“%1”已损坏，本页使用默认值").arg(QDir::toNativeSeparators(file.fileName())));
    return out;
}

void ReferenceStore::save(int pageIndex, const ReferenceCorrections &corrections) const
{
    if (!keeps())
        return;
    const QString path = filePath(pageIndex);
    if (corrections.empty()) {
        if (QFile::exists(path) && !QFile::remove(path))
            throw AppError(QStringLiteral("无法删除参考值文件“%1”").arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!QDir().mkpath(folder_))
        throw AppError(QStringLiteral("无法创建文件夹“%1”").arg(QDir::toNativeSeparators(folder_)));
    xlsout::writeFileAtomically(path, correctionsToJson(pageIndex, corrections));
}

} // namespace mhbk::workbooks
