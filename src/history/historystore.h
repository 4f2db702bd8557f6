#pragma once

#include "history/historyfile.h"

#include <QString>
#include <functional>
#include <vector>

namespace mhbk::history {

// How reading the history file went.
enum class LoadResult {
    Fresh,   // no file yet, or kept in memory only
    Loaded,  // the file's entries are in
    Damaged, // the file was unreadable: it was set aside (damagedPath()) and the history starts empty
};

// The calculation history: the last kLimit entries, oldest first. With a folder it is kept in
// the file `calc-history.txt` there, written whole and atomically after every change, so a
// crash leaves the old or the new file, never half of one; with an empty folder it lives in
// memory only.
class HistoryStore {
public:
    static constexpr int kLimit = 1000;
    static constexpr const char *kFileName = "calc-history.txt";

    explicit HistoryStore(QString folder);

    // Reads the file. A damaged file is renamed to "calc-history.txt.damaged" (with a number
    // when that name is taken) and never read again; a later save starts a new file.
    LoadResult load();

    // Adds an entry (dropping the oldest beyond the limit) or empties the history, then writes
    // the file. False when the file could not be written; the entries in memory change anyway.
    bool add(Entry entry);
    bool clear();

    const std::vector<Entry> &entries() const { return entries_; }
    QString filePath() const;
    QString damagedPath() const { return damagedPath_; }

    // Called after every change (one listener: the history list).
    void setOnChange(std::function<void()> listener) { onChange_ = std::move(listener); }

private:
    bool save();
    void setAside();

    QString folder_;
    std::vector<Entry> entries_;
    QString damagedPath_;
    std::function<void()> onChange_;
};

} // namespace mhbk::history
