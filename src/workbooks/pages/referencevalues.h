#pragma once

#include "workbooks/engine/address.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <utility>
#include <vector>

namespace mhbk::wb {
class Workbook;
}

namespace mhbk::workbooks {

// The green cells of the estimating sheets hold reference values (quota numbers, fittings
// contents per 10 m, reference diameters, the duct thickness table) that the user may correct
// from their own quota book. A correction is kept per user, beside the shipped workbook and
// never in it, and laid over the shipped sheet at the next start.

// The fill that marks a reference value; unlocked cells of any other colour are inputs.
inline constexpr unsigned kReferenceFill = 0xE2EFDA;

bool isReferenceCell(const wb::Workbook &book, int sheet, int row, int col);
// Every reference cell of the sheet, row by row.
std::vector<wb::CellAddress> referenceCells(const wb::Workbook &book, int sheet);

// Corrected cells and what the user typed there ("" for a cleared value), by (row, col).
using ReferenceCorrections = std::map<std::pair<int, int>, QString>;

// The reference cells of `shown` whose content differs from `shipped`.
ReferenceCorrections correctionsOf(const wb::Workbook &shipped, const wb::Workbook &shown, int sheet);
// Lays the corrections over `book`, skipping any that no longer point at a reference cell (a
// later shipped sheet may have moved it). Returns how many were applied.
int applyCorrections(wb::Workbook &book, int sheet, const ReferenceCorrections &corrections);

// The stored form: {"page": 45, "cells": {"N5": "0.8", ...}}. Reading a file of another page,
// or anything malformed, gives false and leaves `out` empty.
QByteArray correctionsToJson(int pageIndex, const ReferenceCorrections &corrections);
bool correctionsFromJson(const QByteArray &json, int pageIndex, ReferenceCorrections &out);

// One small file per page in the user's data folder. An empty folder keeps nothing.
class ReferenceStore {
public:
    explicit ReferenceStore(QString folder) : folder_(std::move(folder)) {}

    bool keeps() const { return !folder_.isEmpty(); }
    QString filePath(int pageIndex) const;
    // Nothing stored gives an empty set; a file that cannot be read or understood throws
    // AppError (the caller reports it and goes on with the shipped values).
    ReferenceCorrections load(int pageIndex) const;
    // Writes atomically; no corrections removes the file. Throws AppError.
    void save(int pageIndex, const ReferenceCorrections &corrections) const;

private:
    QString folder_;
};

} // namespace mhbk::workbooks
