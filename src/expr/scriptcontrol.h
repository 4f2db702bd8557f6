#pragma once

#include "expr/vbserror.h"
#include "expr/vbsrandom.h"
#include "expr/vbsvariant.h"

#include <QString>
#include <QStringList>

namespace mhbk {

// The engine's error object: what the last failed eval left behind.
class ScriptErrorState {
public:
    int number() const { return error_.number; }
    const QString &description() const { return error_.description; }
    int position() const { return error_.position; }
    const vbs::ScriptError &details() const { return error_; }

    void clear() { error_ = {}; }
    void set(vbs::ScriptError error) { error_ = std::move(error); }

private:
    vbs::ScriptError error_;
};

// The script component: evaluates one VBScript expression per eval.
class ScriptControl {
public:
    ScriptControl() = default;
    virtual ~ScriptControl() = default;

    // Forgets the last error. The Rnd sequence goes on: it belongs to this component for its
    // whole life, as it does to a VBScript host.
    void reset() { error_.clear(); }

    // The expression's value. Throws vbs::ScriptException and records it in error().
    vbs::Variant eval(const QString &expression);

    // The names the last eval read as implicit variables, so as 0: a mistyped constant
    // ("pi") or function name gives a result all the same, and the user should hear why.
    const QStringList &implicitNames() const { return implicitNames_; }

    ScriptErrorState &error() { return error_; }
    const ScriptErrorState &error() const { return error_; }

    // The state that outlives one expression; tests set its clock.
    vbs::Session &session() { return session_; }

private:
    ScriptErrorState error_;
    vbs::Session session_;
    QStringList implicitNames_;
};

} // namespace mhbk
