#pragma once

#include "expr/vbserror.h"
#include "expr/vbsvariant.h"

#include <QString>

namespace mhbk {

enum class TLangueType { VBScript, JScript };

// The engine's error object: what the last failed Eval left behind.
class TScriptError {
public:
    int Number() const { return error_.number; }
    const QString &Description() const { return error_.description; }
    int Position() const { return error_.position; }
    const vbs::ScriptError &details() const { return error_; }

    void Clear() { error_ = {}; }
    void set(vbs::ScriptError error) { error_ = std::move(error); }

private:
    vbs::ScriptError error_;
};

// The script component: evaluates one expression per Eval in the language set by its
// Language text. Only VBScript is implemented; any other language makes Eval fail.
class TScriptControl {
public:
    TScriptControl() = default;
    virtual ~TScriptControl() = default;

    // Forgets the last error; expressions keep no other state.
    void Reset() { error_.Clear(); }

    // The expression's value. Throws vbs::ScriptException and records it in Error().
    vbs::Variant Eval(const QString &expression);

    TScriptError &Error() { return error_; }
    const TScriptError &Error() const { return error_; }

    // "VBScript" exactly reads as VBScript, any other text as JScript.
    TLangueType Language() const;
    void setLanguage(TLangueType language);
    const QString &languageText() const { return language_; }
    void setLanguageText(const QString &text) { language_ = text; }

private:
    QString language_;
    TScriptError error_;
};

} // namespace mhbk
