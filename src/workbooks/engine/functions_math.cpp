#include "workbooks/engine/function_args.h"
#include "workbooks/engine/functions.h"

#include <numbers>

namespace mhbk::wb {

namespace {

using Fn1 = double (*)(double);

// A one-argument function; `valid` rejects arguments outside its domain with #NUM!.
bool anything(double) { return true; }

template<Fn1 f, bool (*valid)(double) = anything>
Operand unaryMath(Evaluator &ev, Arguments args)
{
    const Value x = numberArg(ev, args[0]);
    if (x.isError())
        return Operand::scalar(x);
    if (!valid(x.asNumber()))
        return err(ErrorCode::Num);
    return num(f(x.asNumber()));
}

bool positive(double x) { return x > 0; }
bool nonNegative(double x) { return x >= 0; }
double floorD(double x) { return std::floor(x); }
double absD(double x) { return std::fabs(x); }
double sqrtD(double x) { return std::sqrt(x); }
double expD(double x) { return std::exp(x); }
double lnD(double x) { return std::log(x); }
double log10D(double x) { return std::log10(x); }
double sinD(double x) { return std::sin(x); }
double cosD(double x) { return std::cos(x); }
double tanD(double x) { return std::tan(x); }
double radiansD(double x) { return x * std::numbers::pi / 180; }
double degreesD(double x) { return x * 180 / std::numbers::pi; }

enum class Rounding { Nearest, Up, Down };

double roundTo(double x, double digits, Rounding mode)
{
    const int n = int(std::trunc(std::clamp(digits, -308.0, 308.0)));
    const double p = std::pow(10.0, std::abs(n));
    const double scaled = approx15(n >= 0 ? x * p : x / p);
    double r = 0;
    switch (mode) {
    case Rounding::Nearest: r = std::round(scaled); break;   // halves away from zero
    case Rounding::Up: r = scaled < 0 ? -std::ceil(-scaled) : std::ceil(scaled); break;
    case Rounding::Down: r = std::trunc(scaled); break;
    }
    return n >= 0 ? r / p : r * p;
}

template<Rounding mode, bool digitsOptional>
Operand roundFn(Evaluator &ev, Arguments args)
{
    const Value x = numberArg(ev, args[0]);
    if (x.isError())
        return Operand::scalar(x);
    const Value d = digitsOptional ? numberArg(ev, args, 1, 0) : numberArg(ev, args[1]);
    if (d.isError())
        return Operand::scalar(d);
    return num(roundTo(x.asNumber(), d.asNumber(), mode));
}

// Reads two number arguments; false (with the error in `out`) when one is no number.
bool twoNumbers(Evaluator &ev, ConstArguments args, double *a, double *b, Operand *out)
{
    const Value x = numberArg(ev, args[0]);
    const Value y = x.isError() ? x : numberArg(ev, args[1]);
    if (y.isError()) {
        *out = Operand::scalar(y);
        return false;
    }
    *a = x.asNumber();
    *b = y.asNumber();
    return true;
}

Operand modFn(Evaluator &ev, Arguments args)
{
    double a, b;
    Operand e;
    if (!twoNumbers(ev, args, &a, &b, &e))
        return e;
    if (b == 0)
        return err(ErrorCode::Div0);
    return num(a - b * std::floor(approx15(a / b)));
}

Operand powerFn(Evaluator &ev, Arguments args)
{
    double a, b;
    Operand e;
    if (!twoNumbers(ev, args, &a, &b, &e))
        return e;
    if (a == 0 && b == 0)
        return err(ErrorCode::Num);
    if (a == 0 && b < 0)
        return err(ErrorCode::Div0);
    return num(std::pow(a, b));
}

// CEILING and FLOOR as Excel 97 defines them: a positive number with a negative
// significance is #NUM!; a negative number rounds by the magnitude of the significance.
template<bool up>
Operand multipleFn(Evaluator &ev, Arguments args)
{
    double x, s;
    Operand e;
    if (!twoNumbers(ev, args, &x, &s, &e))
        return e;
    if (x > 0 && s < 0)
        return err(ErrorCode::Num);
    if (s == 0)
        return up ? num(0) : (x == 0 ? num(0) : err(ErrorCode::Div0));
    const double q = approx15(x / s);
    return num((up ? std::ceil(q) : std::floor(q)) * s);
}

Operand piFn(Evaluator &, Arguments )
{
    return num(std::numbers::pi);
}

} // namespace

const std::vector<FunctionInfo> &mathFunctions()
{
    static const std::vector<FunctionInfo> table{
        {"ROUND", 2, 2, roundFn<Rounding::Nearest, false>},
        {"ROUNDUP", 2, 2, roundFn<Rounding::Up, false>},
        {"ROUNDDOWN", 2, 2, roundFn<Rounding::Down, false>},
        {"TRUNC", 1, 2, roundFn<Rounding::Down, true>},
        {"INT", 1, 1, unaryMath<floorD>},
        {"MOD", 2, 2, modFn},
        {"ABS", 1, 1, unaryMath<absD>},
        {"SQRT", 1, 1, unaryMath<sqrtD, nonNegative>},
        {"POWER", 2, 2, powerFn},
        {"PI", 0, 0, piFn},
        {"EXP", 1, 1, unaryMath<expD>},
        {"LN", 1, 1, unaryMath<lnD, positive>},
        {"LOG10", 1, 1, unaryMath<log10D, positive>},
        {"SIN", 1, 1, unaryMath<sinD>},
        {"COS", 1, 1, unaryMath<cosD>},
        {"TAN", 1, 1, unaryMath<tanD>},
        {"RADIANS", 1, 1, unaryMath<radiansD>},
        {"DEGREES", 1, 1, unaryMath<degreesD>},
        {"CEILING", 2, 2, multipleFn<true>},
        {"FLOOR", 2, 2, multipleFn<false>},
    };
    return table;
}

} // namespace mhbk::wb
