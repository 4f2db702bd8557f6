#pragma once

#include <QString>
#include <QStringList>

namespace mhbk::handbook {

struct BuildSummary {
    int tables = 0;
    int rows = 0;
    QStringList notes; // e.g. placeholders made for absent sources
};

// Builds the handbook database from a handbook folder (tables/*.csv and
// workbooks/manifest.csv) into outputPath. The file is written under a temporary name and
// renamed into place, so a failed or interrupted build never leaves a half-made database.
// Throws SourceError (file:line) for a malformed source, std::runtime_error for I/O.
BuildSummary buildHandbook(const QString &handbookDir, const QString &outputPath);

} // namespace mhbk::handbook
