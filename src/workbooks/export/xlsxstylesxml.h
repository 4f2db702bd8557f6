#pragma once

#include "workbooks/export/exportbook.h"

#include <QByteArray>

namespace mhbk::xlsout {

// xl/styles.xml for the book's styles. Cell format 0 is the file's own default (Calibri 11, which
// sets the width of a character column); the book's style i is cell format i + 1. Fonts, fills,
// borders and number formats shared by several styles are written once.
QByteArray stylesXml(const std::vector<Style> &styles);

// The cell format index ("s" attribute) of the book's style `style`; the book's default style
// for an index it does not have (the file's default when the book has no styles).
inline int cellFormatIndex(int style, std::size_t styleCount)
{
    if (style >= 0 && std::size_t(style) < styleCount)
        return style + 1;
    return styleCount > 0 ? 1 : 0;
}

} // namespace mhbk::xlsout
