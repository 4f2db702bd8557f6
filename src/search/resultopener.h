#pragma once

class QWidget;

namespace mhbk::search {

struct Entry;

// On a page already shown: selects the entry's row on the page's grid and puts the row's sizes
// into the page's calculator, which shows G for them (without adding to the history).
void showEntryOnPage(QWidget *page, const Entry &entry);

} // namespace mhbk::search
