#include "history/historystore.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <iterator>

namespace mhbk::history {

HistoryStore::HistoryStore(QString folder) : folder_(std::move(folder)) {}

HistoryStore::~HistoryStore()
{
    // Only a store that wrote may rewrite: one that just read (a screenshot run beside the
    // program) must not replace the file under the program's additions.
    if (!folder_.isEmpty() && wrote_ && (rewriteNeeded_ || fileEntries_ > entries_.size()))
        rewrite();
}

QString HistoryStore::filePath() const
{
    return folder_.isEmpty() ? QString() : QDir(folder_).filePath(QString::fromLatin1(kFileName));
}

LoadResult HistoryStore::load()
{
    entries_.clear();
    dropped_ = 0;
    fileEntries_ = 0;
    rewriteNeeded_ = false;
    QFile file(filePath());
    if (folder_.isEmpty() || !file.exists())
        return LoadResult::Fresh;
    std::optional<std::vector<Entry>> read;
    bool tornTail = false;
    if (file.open(QIODevice::ReadOnly))
        read = readHistory(file.readAll(), &tornTail);
    file.close();
    if (!read) {
        setAside();
        return LoadResult::Damaged;
    }
    fileEntries_ = read->size();
    const std::size_t skip = read->size() > static_cast<std::size_t>(kLimit) ? read->size() - kLimit : 0;
    entries_.assign(std::make_move_iterator(read->begin() + static_cast<std::ptrdiff_t>(skip)),
                    std::make_move_iterator(read->end()));
    // A line appended after the cut-short one would join it into one damaged line.
    rewriteNeeded_ = tornTail;
    return LoadResult::Loaded;
}

void HistoryStore::setAside()
{
    const QString base = filePath() + QStringLiteral(".damaged");
    QString target = base;
    for (int n = 2; QFile::exists(target); ++n)
        target = base + QString::number(n);
    if (QFile::rename(filePath(), target))
        damagedPath_ = target;
}

bool HistoryStore::add(Entry entry)
{
    // The same calculation again (an entry recalled and run unchanged, Enter pressed twice)
    // is already the newest line: a second copy would only push older ones out.
    if (!entries_.empty()) {
        const Entry &last = entries_.back();
        if (last.kind == entry.kind && last.input == entry.input && last.result == entry.result && last.unit == entry.unit)
            return true;
    }
    entries_.push_back(std::move(entry));
    Change change{Change::Kind::Added, 0};
    for (; entries_.size() > static_cast<std::size_t>(kLimit); ++change.dropped, ++dropped_)
        entries_.pop_front();
    bool saved = true;
    if (!folder_.isEmpty()) {
        wrote_ = true;
        const bool whole = rewriteNeeded_ || fileEntries_ >= static_cast<std::size_t>(kCompactAt)
                           || !QFile::exists(filePath()); // a new file starts with its header
        saved = whole ? rewrite() : append(entries_.back());
    }
    changed(change);
    return saved;
}

bool HistoryStore::clear()
{
    entries_.clear();
    dropped_ = 0;
    wrote_ = !folder_.isEmpty();
    const bool saved = folder_.isEmpty() || rewrite();
    changed({});
    return saved;
}

bool HistoryStore::append(const Entry &entry)
{
    const QByteArray line = historyLine(entry);
    QFile file(filePath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Append) && file.write(line) == line.size() && file.flush()) {
        ++fileEntries_;
        return true;
    }
    rewriteNeeded_ = true; // part of the line may have reached the file
    return false;
}

bool HistoryStore::rewrite()
{
    QDir().mkpath(folder_);
    QSaveFile file(filePath());
    if (file.open(QIODevice::WriteOnly) && file.write(writeHistory({entries_.begin(), entries_.end()})) >= 0 && file.commit()) {
        fileEntries_ = entries_.size();
        rewriteNeeded_ = false;
        return true;
    }
    rewriteNeeded_ = true;
    return false;
}

void HistoryStore::changed(const Change &change)
{
    if (onChange_)
        onChange_(change);
}

} // namespace mhbk::history
