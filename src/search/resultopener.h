#pragma once

class QWidget;

namespace mhbk::search {

struct Entry;

// On a page already shown: selects the entry's row on the page's grid and puts the row's sizes
// into the page's calculator, which then computes as after Enter in its last input.
void showEntryOnPage(QWidget *page, const Entry &entry);

} // namespace mhbk::search
