#pragma once

#include "support/missingtool.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

namespace mhbk::test {

// Runs one of the reader scripts beside the tests with a Python that has `module`, and
// returns its JSON output. Nothing when no such Python is installed (the caller skips).
// A script failure is a test failure (reported through ADD_FAILURE) and also gives nothing.
std::optional<QJsonObject> runPythonReader(const QString &script, const QString &module, const QStringList &args);

// A Python interpreter that can import `module`, or an empty string.
QString pythonWith(const QString &module);

} // namespace mhbk::test

// Declares `var` as the reader's output, or skips the test when no Python has the module
// (a reader that fails has already failed the test); under CI=true a missing module fails it.
#define READ_OR_SKIP(var, expr, package)                                           \
    const auto var##_opt = (expr);                                                 \
    if (!var##_opt) {                                                              \
        if (HasFailure())                                                          \
            return;                                                                \
        MHBK_SKIP_WITHOUT(package);                                                \
    }                                                                              \
    const QJsonObject &var = *var##_opt
