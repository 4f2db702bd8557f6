#pragma once

#include "search/normalize.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

namespace mhbk::search {

// One thing the search can find: a table row, or a page as a whole (no cell).
struct Entry {
    int page = 0;           // the page's index
    QString pageCaption;    // as the tree shows it
    QString designation;    // the row's size or name as its table writes it; empty for a page
    QString figure;         // the row's key figure with its unit, as the page shows it
    unsigned kinds = NoKind;
    QStringList keys;       // designation keys (designationKey), exact matches rank first
    QString text;           // normalised texts of the row, its page and the page's group
    // The row's first cell on the page's grid and how many cells across the row is; column -1
    // for a page entry.
    int column = -1;
    int row = -1;
    int span = 0;
    // The calculator's dimension inputs filled from the row, in the calculator's order; empty
    // where the page has no calculator for the row.
    QStringList inputs;
    // A density-table row's material name, normalised: a word naming it (weights::matchMaterialName)
    // ranks the row first, so "铝 密度" finds 纯铝 before the alloys that contain 铝.
    QString material;
};

// How well an entry matched; lower ranks first.
enum class Rank { ExactDesignation, DesignationPrefix, Page, Text };

struct Hit {
    const Entry *entry;
    Rank rank;
};

// The line the search list and `mhbk-cli find` show: "工字钢 20a  27.929 kg/m".
QString resultLine(const Entry &entry);

// Whether an entry satisfies the families and words of a query (the designation aside).
bool passesFilters(const Entry &entry, const Query &query);

// All entries, with the designation keys in a hash (exact) and a sorted list (prefix), so a
// query touches only the rows it can match, plus the rows a word search must read.
class HandbookIndex {
public:
    void add(Entry entry);
    // Call after the last add(); find() before it sees only what was sorted so far.
    void finish();

    std::vector<Hit> find(const QString &queryText, std::size_t limit = kDefaultLimit) const;
    std::vector<Hit> find(const Query &query, std::size_t limit = kDefaultLimit) const;
    const std::vector<Entry> &entries() const { return entries_; }

    static constexpr std::size_t kDefaultLimit = 200;

private:
    std::vector<int> candidates(const Query &query) const;
    using CharacterLists = QHash<QChar, std::vector<int>>;
    static const std::vector<int> *narrowestHolders(const QString &word, const CharacterLists &lists);

    static constexpr unsigned kKindBits = 10;
    std::vector<Entry> entries_;
    std::vector<std::pair<QString, int>> sortedKeys_;
    CharacterLists byCharacter_;
    CharacterLists withoutKindByCharacter_;
    std::array<std::vector<int>, kKindBits> byKind_;
    std::vector<int> withoutKind_;
    std::vector<int> withoutKeys_;
};

// The same matching without an index: every entry is normalised and compared at query time.
// Kept as the yardstick the benchmark measures the index against, and as the tests' oracle.
std::vector<Hit> linearFind(const std::vector<Entry> &entries, const QString &queryText,
                            std::size_t limit = HandbookIndex::kDefaultLimit);

} // namespace mhbk::search
