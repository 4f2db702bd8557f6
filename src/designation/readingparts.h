#pragma once

// Shared between the two halves of the designation reader: the characters and parts
// (reading.cpp) and what the numbers of each kind mean (readingkinds.cpp).
#include "designation/reading.h"

#include <QChar>
#include <QString>
#include <optional>
#include <vector>

namespace mhbk::designation::detail {

// Why a text could not be read, in Chinese; thrown inside the reader only and turned into
// ReadResult::error before readDesignation returns.
struct ReadFailure {
    QString message;
};

// One dimension as written: a number, with a range (500~800) or a pair (400/300), and a grade.
struct Part {
    double value = 0;
    std::optional<double> second;
    QChar joiner;
    QString grade;
    QString text;
};

// The reading of the numbers of one family of designations (H, T, I, [, ∠, □, Φ, PL, C, Z).
Reading readKind(const QString &family, const QString &prefix, const QString &word, bool welded,
                 std::vector<double> &bracket, std::optional<double> &bracketLength, std::vector<Part> &parts);

} // namespace mhbk::designation::detail
