#include "history/historystore.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace mhbk::history {

HistoryStore::HistoryStore(QString folder) : folder_(std::move(folder)) {}

QString HistoryStore::filePath() const
{
    return folder_.isEmpty() ? QString() : QDir(folder_).filePath(QString::fromLatin1(kFileName));
}

LoadResult HistoryStore::load()
{
    entries_.clear();
    QFile file(filePath());
    if (folder_.isEmpty() || !file.exists())
        return LoadResult::Fresh;
    std::optional<std::vector<Entry>> read;
    if (file.open(QIODevice::ReadOnly))
        read = readHistory(file.readAll());
    file.close();
    if (!read) {
        setAside();
        return LoadResult::Damaged;
    }
    entries_ = std::move(*read);
    if (entries_.size() > static_cast<std::size_t>(kLimit))
        entries_.erase(entries_.begin(), entries_.end() - kLimit);
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
    entries_.push_back(std::move(entry));
    if (entries_.size() > static_cast<std::size_t>(kLimit))
        entries_.erase(entries_.begin(), entries_.end() - kLimit);
    return save();
}

bool HistoryStore::clear()
{
    entries_.clear();
    return save();
}

bool HistoryStore::save()
{
    bool saved = true;
    if (!folder_.isEmpty()) {
        QDir().mkpath(folder_);
        QSaveFile file(filePath());
        saved = file.open(QIODevice::WriteOnly) && file.write(writeHistory(entries_)) >= 0 && file.commit();
    }
    if (onChange_)
        onChange_();
    return saved;
}

} // namespace mhbk::history
