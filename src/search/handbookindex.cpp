#include "search/handbookindex.h"

#include "sections/materials.h"

#include <algorithm>
#include <optional>
#include <set>

namespace mhbk::search {

namespace {

bool isPage(const Entry &entry) { return entry.column < 0; }

// "20a" and "20b" are the nominal size "20" of an I-beam or channel in its web classes: a query
// for the size finds them as surely as a key written "20" alone.
bool isSizeClassOf(const QString &key, const QString &designation)
{
    return key.size() == designation.size() + 1 && key.startsWith(designation) && designation.back().isDigit() &&
           key.back() >= QLatin1Char('a') && key.back() <= QLatin1Char('e');
}

// Whether a word of the query is the row's material's name or one it stands for; a word only
// contained in the name ranks as any text does.
bool namesMaterial(const Entry &entry, const Query &query)
{
    if (entry.material.isEmpty())
        return false;
    return std::any_of(query.terms.cbegin(), query.terms.cend(), [&](const QString &term) {
        const auto match = weights::matchMaterialName(entry.material, term);
        return match && *match != weights::NameMatch::Part;
    });
}

// The rank of one entry for a query, or nothing: the one rule both the index and the plain scan
// follow.
std::optional<Rank> rankOf(const Entry &entry, const Query &query)
{
    if (query.isEmpty() || !passesFilters(entry, query))
        return std::nullopt;
    if (query.designation.isEmpty())
        return isPage(entry) ? Rank::Page : namesMaterial(entry, query) ? Rank::ExactDesignation : Rank::Text;
    if (entry.keys.contains(query.designation))
        return Rank::ExactDesignation;
    for (const QString &key : entry.keys)
        if (isSizeClassOf(key, query.designation))
            return Rank::ExactDesignation;
    for (const QString &key : entry.keys)
        if (key.startsWith(query.designation))
            return Rank::DesignationPrefix;
    // Rows without sizes (units, densities, formulas) and pages are found by their text.
    if (entry.keys.isEmpty() && entry.text.contains(query.designation))
        return Rank::Text;
    return std::nullopt;
}

std::vector<Hit> ordered(const std::vector<Entry> &entries, std::vector<std::pair<int, Rank>> found, std::size_t limit)
{
    const auto better = [](const auto &a, const auto &b) {
        return a.second != b.second ? a.second < b.second : a.first < b.first;
    };
    const auto end = found.begin() + static_cast<std::ptrdiff_t>(std::min(limit, found.size()));
    std::partial_sort(found.begin(), end, found.end(), better);
    std::vector<Hit> hits;
    for (const auto &[index, rank] : found) {
        if (hits.size() >= limit)
            break;
        hits.push_back({&entries[static_cast<std::size_t>(index)], rank});
    }
    return hits;
}

} // namespace

QString resultLine(const Entry &entry)
{
    QString line = entry.pageCaption;
    if (!entry.designation.isEmpty())
        line += QLatin1Char(' ') + entry.designation;
    if (!entry.figure.isEmpty())
        line += QStringLiteral("  ") + entry.figure;
    return line;
}

bool passesFilters(const Entry &entry, const Query &query)
{
    if (query.kinds != NoKind && (entry.kinds & query.kinds) == 0) {
        if (entry.kinds != NoKind)
            return false;
        const bool mentioned = std::any_of(query.kindWords.cbegin(), query.kindWords.cend(),
                                           [&](const QString &word) { return entry.text.contains(word); });
        if (!mentioned)
            return false;
    }
    return std::all_of(query.terms.cbegin(), query.terms.cend(),
                       [&](const QString &term) { return entry.text.contains(term); });
}

void HandbookIndex::add(Entry entry)
{
    const int index = static_cast<int>(entries_.size());
    for (const QString &key : entry.keys) {
        sortedKeys_.emplace_back(key, index);
    }
    std::set<char16_t> seen;
    for (const QChar c : entry.text)
        if (c != QLatin1Char(' ') && seen.insert(c.unicode()).second) {
            byCharacter_[c].push_back(index);
            if (entry.kinds == NoKind)
                withoutKindByCharacter_[c].push_back(index);
        }
    for (unsigned bit = 0; bit < kKindBits; ++bit)
        if (entry.kinds & (1u << bit))
            byKind_[bit].push_back(index);
    if (entry.kinds == NoKind)
        withoutKind_.push_back(index);
    if (entry.keys.isEmpty())
        withoutKeys_.push_back(index);
    entries_.push_back(std::move(entry));
}

void HandbookIndex::finish() { std::sort(sortedKeys_.begin(), sortedKeys_.end()); }

std::vector<Hit> HandbookIndex::find(const QString &queryText, std::size_t limit) const
{
    return find(parseQuery(queryText), limit);
}

// Of the entries whose text holds a character of the word, the shortest list; nothing when no
// entry holds one of them, so none can hold the word.
const std::vector<int> *HandbookIndex::narrowestHolders(const QString &word, const CharacterLists &lists)
{
    const std::vector<int> *narrowest = nullptr;
    for (const QChar c : word) {
        const auto it = lists.constFind(c);
        if (it == lists.constEnd())
            return nullptr;
        if (!narrowest || it->size() < narrowest->size())
            narrowest = &*it;
    }
    return narrowest;
}

// The entries that can match at all: those holding the designation (exactly, as a prefix, or in
// the text of a row without sizes), else those of the named families or holding the rarest
// character of a word. Every candidate is then ranked by the same rule as the plain scan.
std::vector<int> HandbookIndex::candidates(const Query &query) const
{
    std::vector<int> out;
    if (!query.designation.isEmpty()) {
        for (auto it = std::lower_bound(sortedKeys_.begin(), sortedKeys_.end(), std::make_pair(query.designation, -1));
             it != sortedKeys_.end() && it->first.startsWith(query.designation); ++it)
            out.push_back(it->second);
        out.insert(out.end(), withoutKeys_.begin(), withoutKeys_.end());
        return out;
    }
    const std::vector<int> *narrowest = nullptr;
    for (const QString &term : query.terms) {
        const std::vector<int> *holders = narrowestHolders(term, byCharacter_);
        if (!holders)
            return {};
        if (!narrowest || holders->size() < narrowest->size())
            narrowest = holders;
    }
    if (narrowest)
        return *narrowest;
    for (unsigned bit = 0; bit < kKindBits; ++bit)
        if (query.kinds & (1u << bit))
            out.insert(out.end(), byKind_[bit].begin(), byKind_[bit].end());
    // Rows of no family pass when their text names one: they hold every character of the word.
    for (const QString &word : query.kindWords) {
        const std::vector<int> *holders = narrowestHolders(word, withoutKindByCharacter_);
        if (holders)
            out.insert(out.end(), holders->begin(), holders->end());
    }
    if (query.kindWords.isEmpty())
        out.insert(out.end(), withoutKind_.begin(), withoutKind_.end());
    return out;
}

std::vector<Hit> HandbookIndex::find(const Query &query, std::size_t limit) const
{
    if (query.isEmpty())
        return {};
    // Marks rather than a sorted list: candidates arrive from several lists, often long ones.
    std::vector<char> chosen(entries_.size(), 0);
    for (const int index : candidates(query))
        chosen[static_cast<std::size_t>(index)] = 1;
    std::vector<std::pair<int, Rank>> found;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (chosen[i])
            if (const auto rank = rankOf(entries_[i], query))
                found.emplace_back(static_cast<int>(i), *rank);
    return ordered(entries_, std::move(found), limit);
}

std::vector<Hit> linearFind(const std::vector<Entry> &entries, const QString &queryText, std::size_t limit)
{
    const Query query = parseQuery(queryText);
    std::vector<std::pair<int, Rank>> found;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (const auto rank = rankOf(entries[i], query))
            found.emplace_back(static_cast<int>(i), *rank);
    return ordered(entries, std::move(found), limit);
}

} // namespace mhbk::search
