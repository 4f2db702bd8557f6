// Table rows for the expression engine: an expression and what it must give or raise.
#pragma once

#include "qstringprint.h"
#include "expr/vbsengine.h"
#include "expr/vbsoperators.h"

#include <gtest/gtest.h>

namespace mhbk::vbs {

struct ValueCase {
    const char *expression;
    const char *type; // TypeName of the result
    const char *text; // the result as "&" would show it
};

struct ErrorCase {
    const char *expression;
    int number;
    int position;
    const char *description = nullptr; // checked when given
};

inline QString shown(const Variant &value)
{
    if (value.isNull())
        return QString();
    return binary(Op::Concat, Variant::string(QString()), value, 0).stringValue();
}

inline void expectValue(const ValueCase &c)
{
    SCOPED_TRACE(c.expression);
    try {
        const Variant result = evaluate(QString::fromUtf8(c.expression));
        EXPECT_EQ(typeName(result.type()), QString::fromLatin1(c.type));
        EXPECT_EQ(shown(result), QString::fromUtf8(c.text));
    } catch (const ScriptException &e) {
        ADD_FAILURE() << "error " << e.error().number << ": " << e.what() << " at " << e.error().position;
    }
}

inline void expectError(const ErrorCase &c)
{
    SCOPED_TRACE(c.expression);
    try {
        const Variant result = evaluate(QString::fromUtf8(c.expression));
        ADD_FAILURE() << "no error, result " << shown(result).toStdString();
    } catch (const ScriptException &e) {
        EXPECT_EQ(e.error().number, c.number) << e.what();
        EXPECT_EQ(e.error().position, c.position) << e.what();
        if (c.description) {
            EXPECT_EQ(e.error().description, QString::fromUtf8(c.description));
        }
    }
}

} // namespace mhbk::vbs
