#pragma once

#include "history/historyfile.h"

#include <QString>
#include <deque>
#include <functional>

namespace mhbk::history {

// How reading the history file went.
enum class LoadResult {
    Fresh,   // no file yet, or kept in memory only
    Loaded,  // the file's entries are in
    Damaged, // the file was unreadable: it was set aside (damagedPath()) and the history starts empty
};

// The calculation history: the last kLimit entries, oldest first. With a folder it is kept in
// the file `calc-history.txt` there; with an empty folder it lives in memory only.
//
// Every calculation adds an entry, so an addition only appends its line to the file: the lines
// already there are never touched, and a crash while appending costs at most that line (which
// the next load leaves out). The file is written whole and atomically (the old or the new file,
// never half of one) when the history is cleared, when the file has grown to kCompactAt lines,
// after an append failed or a cut-short line was found, and at the end, when this store has
// written and the file holds more than the entries kept.
class HistoryStore {
public:
    static constexpr int kLimit = 1000;
    static constexpr int kCompactAt = 2 * kLimit;
    static constexpr const char *kFileName = "calc-history.txt";

    explicit HistoryStore(QString folder);
    ~HistoryStore();
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    // Reads the file. A damaged file is renamed to "calc-history.txt.damaged" (with a number
    // when that name is taken) and never read again; a later save starts a new file.
    LoadResult load();

    // Adds an entry (dropping the oldest beyond the limit; nothing when it repeats the newest
    // one's calculation and result) or empties the history, then writes it to the file. False
    // when the file could not be written; the entries in memory change
    // anyway.
    bool add(Entry entry);
    bool clear();

    // A deque: at the limit an addition drops the oldest entry without moving the others.
    const std::deque<Entry> &entries() const { return entries_; }
    // The number of entries dropped at the limit since the history was read or cleared: with
    // it, entries().front() is addition number `dropped()` and an entry keeps its number.
    std::size_t dropped() const { return dropped_; }
    QString filePath() const;
    QString damagedPath() const { return damagedPath_; }

    // What a change did, so that the history list follows it without rebuilding every row.
    struct Change {
        enum class Kind { Added, Reset } kind = Kind::Reset;
        int dropped = 0; // Added: the oldest entries that went beyond the limit
    };
    // Called after every change (one listener: the history list).
    void setOnChange(std::function<void(const Change &)> listener) { onChange_ = std::move(listener); }

private:
    bool append(const Entry &entry);
    bool rewrite();
    void changed(const Change &change);
    void setAside();

    QString folder_;
    std::deque<Entry> entries_;
    std::size_t dropped_ = 0;
    std::size_t fileEntries_ = 0; // the lines the file holds, older ones beyond the limit included
    bool rewriteNeeded_ = false;  // the file's end may be cut short: append no more to it
    bool wrote_ = false;          // this store has added to the file or cleared it
    QString damagedPath_;
    std::function<void(const Change &)> onChange_;
};

} // namespace mhbk::history
