#pragma once

#include "support/missingtool.h"

#include <QString>
#include <QStringList>

namespace mhbk::test {

// LibreOffice's soffice on the PATH, or empty when it is not installed.
QString sofficePath();

// How LibreOffice converts: into `format` ("xlsx", "pdf", "csv:<filter>:<options>") in `outDir`,
// with a private user profile in `profileDir`, so that runs never share or touch a user's profile.
struct LibreOfficeConversion {
    QString profileDir;
    QString format;
    QString outDir;
    bool recalculateOnLoad = false; // every formula of a loaded .xlsx is calculated again
};

struct LibreOfficeRun {
    bool finished = false;
    int exitCode = -1;
    QString errors; // what LibreOffice wrote to standard error
    bool succeeded() const { return finished && exitCode == 0; }
};

// Converts `inputs` with one headless LibreOffice; returns when it has ended (or hangs too long).
LibreOfficeRun convertWithLibreOffice(const QString &soffice, const LibreOfficeConversion &conversion,
                                      const QStringList &inputs);

} // namespace mhbk::test

// Declares `var` as soffice's path; skips the test when LibreOffice is not installed (fails it
// under CI=true, see MHBK_SKIP_WITHOUT).
#define MHBK_SOFFICE_OR_SKIP(var)                                                                   \
    const QString var = ::mhbk::test::sofficePath();                                               \
    if (var.isEmpty())                                                                             \
        MHBK_SKIP_WITHOUT("LibreOffice (soffice)")
