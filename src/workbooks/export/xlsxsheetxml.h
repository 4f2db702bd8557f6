#pragma once

#include "workbooks/export/exportbook.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <vector>

namespace mhbk::xlsout {

// The texts of all sheets' text cells, each kept once (xl/sharedStrings.xml).
class SharedStrings {
public:
    int indexOf(const QString &text);
    QByteArray xml() const;
    bool isEmpty() const { return texts_.empty(); }

private:
    QHash<QString, int> index_;
    std::vector<QString> texts_; // in index order
    int uses_ = 0;
};

struct SheetXmlOptions {
    std::size_t styleCount = 0; // Book::styles.size()
    bool cacheResults = true;
    bool selected = false; // the sheet shown when the file opens
};

// xl/worksheets/sheetN.xml, its texts added to `strings`. Returns the error text when the sheet
// holds what the format cannot (a cell beyond its last row or column, a text longer than a cell
// takes, a footer too long), else empty.
QString sheetXml(const Sheet &sheet, const SheetXmlOptions &options, SharedStrings &strings, QByteArray &xml);

} // namespace mhbk::xlsout
