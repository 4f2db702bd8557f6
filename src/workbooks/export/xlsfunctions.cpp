#include "workbooks/export/xlsformula.h"

#include <array>

namespace mhbk::xlsout {
namespace {

// Excel's numbers and argument counts of every function the workbook engine knows.
// IFERROR has no number in BIFF8; the token writer spells it with IF and ISERROR.
constexpr std::array kFunctions{
    XlsFunction{"COUNT", 0, 0, 30, 'V', "R"},         XlsFunction{"IF", 1, 2, 3, 'V', "VRR"},
    XlsFunction{"ISERROR", 3, 1, 1, 'V', "V"},        XlsFunction{"SUM", 4, 0, 30, 'V', "R"},
    XlsFunction{"AVERAGE", 5, 1, 30, 'V', "R"},       XlsFunction{"MIN", 6, 1, 30, 'V', "R"},
    XlsFunction{"MAX", 7, 1, 30, 'V', "R"},           XlsFunction{"NA", 10, 0, 0, 'V', ""},
    XlsFunction{"SIN", 15, 1, 1, 'V', "V"},           XlsFunction{"COS", 16, 1, 1, 'V', "V"},
    XlsFunction{"TAN", 17, 1, 1, 'V', "V"},           XlsFunction{"PI", 19, 0, 0, 'V', ""},
    XlsFunction{"SQRT", 20, 1, 1, 'V', "V"},          XlsFunction{"EXP", 21, 1, 1, 'V', "V"},
    XlsFunction{"LN", 22, 1, 1, 'V', "V"},            XlsFunction{"LOG10", 23, 1, 1, 'V', "V"},
    XlsFunction{"ABS", 24, 1, 1, 'V', "V"},           XlsFunction{"INT", 25, 1, 1, 'V', "V"},
    XlsFunction{"ROUND", 27, 2, 2, 'V', "VV"},        XlsFunction{"INDEX", 29, 2, 4, 'R', "RVVV"},
    XlsFunction{"MID", 31, 3, 3, 'V', "VVV"},         XlsFunction{"LEN", 32, 1, 1, 'V', "V"},
    XlsFunction{"VALUE", 33, 1, 1, 'V', "V"},         XlsFunction{"AND", 36, 1, 30, 'V', "R"},
    XlsFunction{"OR", 37, 1, 30, 'V', "R"},           XlsFunction{"NOT", 38, 1, 1, 'V', "V"},
    XlsFunction{"MOD", 39, 2, 2, 'V', "VV"},          XlsFunction{"TEXT", 48, 2, 2, 'V', "VV"},
    XlsFunction{"MATCH", 64, 2, 3, 'V', "VRR"},       XlsFunction{"CHOOSE", 100, 2, 30, 'V', "VR"},
    XlsFunction{"HLOOKUP", 101, 3, 4, 'V', "VRRV"},   XlsFunction{"VLOOKUP", 102, 3, 4, 'V', "VRRV"},
    XlsFunction{"LOWER", 112, 1, 1, 'V', "V"},        XlsFunction{"UPPER", 113, 1, 1, 'V', "V"},
    XlsFunction{"LEFT", 115, 1, 2, 'V', "VV"},        XlsFunction{"RIGHT", 116, 1, 2, 'V', "VV"},
    XlsFunction{"EXACT", 117, 2, 2, 'V', "VV"},
    XlsFunction{"TRIM", 118, 1, 1, 'V', "V"},         XlsFunction{"ISTEXT", 127, 1, 1, 'V', "V"},
    XlsFunction{"ISNUMBER", 128, 1, 1, 'V', "V"},     XlsFunction{"ISBLANK", 129, 1, 1, 'V', "V"},
    XlsFunction{"COUNTA", 169, 0, 30, 'V', "R"},      XlsFunction{"PRODUCT", 183, 0, 30, 'V', "R"},
    XlsFunction{"TRUNC", 197, 1, 2, 'V', "VV"},       XlsFunction{"ROUNDUP", 212, 2, 2, 'V', "VV"},
    XlsFunction{"ROUNDDOWN", 213, 2, 2, 'V', "VV"},   XlsFunction{"SUMPRODUCT", 228, 1, 30, 'V', "A"},
    XlsFunction{"FLOOR", 285, 2, 2, 'V', "VV"},       XlsFunction{"CEILING", 288, 2, 2, 'V', "VV"},
    XlsFunction{"CONCATENATE", 336, 0, 30, 'V', "V"}, XlsFunction{"POWER", 337, 2, 2, 'V', "VV"},
    XlsFunction{"RADIANS", 342, 1, 1, 'V', "V"},      XlsFunction{"DEGREES", 343, 1, 1, 'V', "V"},
    XlsFunction{"SUMIF", 345, 2, 3, 'V', "RVR"},      XlsFunction{"COUNTIF", 346, 2, 2, 'V', "RV"},
};

} // namespace

const XlsFunction *xlsFunction(const QString &name)
{
    for (const XlsFunction &f : kFunctions)
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

} // namespace mhbk::xlsout
