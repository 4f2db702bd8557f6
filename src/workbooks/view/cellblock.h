#pragma once

#include <QString>
#include <QStringList>
#include <QList>

namespace mhbk::view {

// A rectangular block of cell texts as it travels through the clipboard: rows of fields.
// Rows may differ in length when they come from outside; the longest row gives the width.
using CellBlock = QList<QStringList>;

// Tab-separated text as spreadsheet programs copy it: one line a row (the last line break is
// optional), fields quoted with double quotes when they hold a tab, a line break or a quote.
QString blockToTabText(const CellBlock &block);
CellBlock blockFromTabText(const QString &text);

// An HTML table of the texts, which word processors and spreadsheets both take.
QString blockToHtml(const CellBlock &block);
// The first <table> of an HTML fragment, with colspan/rowspan spread as empty fields; empty
// when the fragment holds no table.
CellBlock blockFromHtml(const QString &html);

int blockWidth(const CellBlock &block);

} // namespace mhbk::view
