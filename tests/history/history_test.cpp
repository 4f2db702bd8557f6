#include "history/historystore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace mhbk::history;

QDateTime at(int second) { return QDateTime(QDate(2026, 12, 7), QTime(14, 0, second, 250), Qt::UTC); }

Entry expression(int second, const QString &input, const QString &result)
{
    return {at(second), Kind::Expression, input, result, QString()};
}

Entry weight(int second, const QString &input, const QString &result, const QString &unit)
{
    return {at(second), Kind::Weight, input, result, unit};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(HistoryFile, EntriesSurviveTheFileWhateverTheyHold)
{
    const std::vector<Entry> entries = {
        expression(1, QStringLiteral("1+2"), QStringLiteral("3.0")),
        weight(2, QStringLiteral("圆钢 d=10 L=6"), QStringLiteral("3.699234"), QStringLiteral("kg")),
        expression(3, QStringLiteral("a\tb\nc\\d\re"), QStringLiteral("\\t")),
        expression(4, QString(), QString()),
        weight(5, QStringLiteral("钢板（黄铜 8.5） d=3"), QStringLiteral("25.5"), QStringLiteral("kg/m²")),
    };
    const QByteArray bytes = writeHistory(entries);
    EXPECT_TRUE(bytes.startsWith("mhbk-history 1\n"));
    EXPECT_EQ(bytes.count('\n'), 6);
    const auto read = readHistory(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, entries);
    EXPECT_EQ(readHistory(writeHistory({})), std::vector<Entry>{});
}

TEST(HistoryFile, DamagedFilesAreRefusedWhole)
{
    const QByteArray good = writeHistory({expression(1, QStringLiteral("1+2"), QStringLiteral("3.0")),
                                          expression(2, QStringLiteral("2*3"), QStringLiteral("6.0"))});
    const QByteArray cases[] = {
        QByteArray(),
        "mhbk-history 2\n",
        "mhbk-history 1",
        QByteArray(good).replace("expr", "calc"),                      // unknown kind
        QByteArray(good).replace("2026-12-07", "2026-13-07"),          // no time
        QByteArray(good).replace("1+2", "1+2\tx"),                     // a field too many
        QByteArray(good).replace("1+2", "1+2\\q"),                     // unknown escape
        QByteArray(good).replace("1+2", "1+2\\"),                      // escape at the end
        QByteArray(good).replace("1+2", "1+\xff\xfe"),                 // not UTF-8
        QByteArray(good).replace('\t', ' '),
    };
    int index = 0;
    for (const QByteArray &bytes : cases)
        EXPECT_FALSE(readHistory(bytes)) << index++;
}

TEST(HistoryFile, ListTexts)
{
    EXPECT_EQ(entryText(expression(1, QStringLiteral("1+2"), QStringLiteral("3.0"))), QStringLiteral("1+2 = 3.0"));
    const Entry bar = weight(1, QStringLiteral("圆钢 d=10 L=6"), QStringLiteral("3.699234"), QStringLiteral("kg"));
    EXPECT_EQ(entryText(bar), QStringLiteral("圆钢 d=10 L=6 → 3.699234 kg"));
    EXPECT_EQ(resultWithUnit(bar), QStringLiteral("3.699234 kg"));
    EXPECT_EQ(resultWithUnit(expression(1, QStringLiteral("1"), QStringLiteral("1.0"))), QStringLiteral("1.0"));
}

TEST(HistoryStore, KeptAcrossRunsInTheFolder)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("user/data"));
    {
        HistoryStore store(folder);
        EXPECT_EQ(store.load(), LoadResult::Fresh);
        EXPECT_TRUE(store.add(expression(1, QStringLiteral("1+2"), QStringLiteral("3.0"))));
        EXPECT_TRUE(store.add(weight(2, QStringLiteral("方钢 a=10"), QStringLiteral("0.785"), QStringLiteral("kg/m"))));
    }
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(QStringLiteral("calc-history.txt"))));
    HistoryStore again(folder);
    EXPECT_EQ(again.load(), LoadResult::Loaded);
    ASSERT_EQ(again.entries().size(), 2U);
    EXPECT_EQ(again.entries().back().input, QStringLiteral("方钢 a=10"));
    EXPECT_TRUE(again.clear());
    HistoryStore cleared(folder);
    EXPECT_EQ(cleared.load(), LoadResult::Loaded);
    EXPECT_TRUE(cleared.entries().empty());
}

TEST(HistoryStore, TheSameCalculationAgainIsNotASecondEntry)
{
    HistoryStore store{QString()};
    store.add(expression(0, QStringLiteral("1+2"), QStringLiteral("3")));
    store.add(expression(5, QStringLiteral("1+2"), QStringLiteral("3"))); // recalled and run unchanged
    ASSERT_EQ(store.entries().size(), 1U);
    store.add(expression(6, QStringLiteral("1+2"), QStringLiteral("3.0"))); // another number of places
    store.add(expression(7, QStringLiteral("2*3"), QStringLiteral("6")));
    store.add(expression(8, QStringLiteral("1+2"), QStringLiteral("3"))); // not the newest: kept again
    ASSERT_EQ(store.entries().size(), 4U);
}

TEST(HistoryStore, KeepsTheLastThousand)
{
    HistoryStore store{QString()};
    int changes = 0;
    int dropped = 0;
    store.setOnChange([&](const HistoryStore::Change &change) {
        ++changes;
        EXPECT_EQ(change.kind, HistoryStore::Change::Kind::Added);
        dropped += change.dropped;
    });
    for (int i = 0; i < HistoryStore::kLimit + 5; ++i)
        store.add(expression(i % 60, QString::number(i), QString::number(i)));
    EXPECT_EQ(changes, HistoryStore::kLimit + 5);
    EXPECT_EQ(dropped, 5); // one for each addition past the limit
    ASSERT_EQ(store.entries().size(), static_cast<std::size_t>(HistoryStore::kLimit));
    EXPECT_EQ(store.entries().front().input, QStringLiteral("5"));
    EXPECT_EQ(store.entries().back().input, QString::number(HistoryStore::kLimit + 4));

    // A longer file, written by hand, is cut to the newest thousand as it is read.
    QTemporaryDir dir;
    HistoryStore kept(dir.path());
    std::vector<Entry> many;
    for (int i = 0; i < HistoryStore::kLimit + 2; ++i)
        many.push_back(expression(0, QString::number(i), QString()));
    writeAll(kept.filePath(), writeHistory(many));
    EXPECT_EQ(kept.load(), LoadResult::Loaded);
    ASSERT_EQ(kept.entries().size(), static_cast<std::size_t>(HistoryStore::kLimit));
    EXPECT_EQ(kept.entries().front().input, QStringLiteral("2"));
    EXPECT_TRUE(kept.add(expression(1, QStringLiteral("new"), QString())));
    HistoryStore reread(dir.path());
    EXPECT_EQ(reread.load(), LoadResult::Loaded);
    ASSERT_EQ(reread.entries().size(), static_cast<std::size_t>(HistoryStore::kLimit));
    EXPECT_EQ(reread.entries().front().input, QStringLiteral("3"));
    EXPECT_EQ(reread.entries().back().input, QStringLiteral("new"));
}

template <class Entries>
QStringList inputsOf(const Entries &entries)
{
    QStringList inputs;
    for (const Entry &entry : entries)
        inputs << entry.input;
    return inputs;
}

// Ways the end of a file with the entries "1+2" and "2*3" is left when the program or the
// machine stops while a third entry is being appended.
struct TornCase {
    const char *what;
    QByteArray bytes;
    QStringList inputs; // what is read
    bool torn;
};

std::vector<TornCase> tornCases()
{
    const QByteArray good = writeHistory({expression(1, QStringLiteral("1+2"), QStringLiteral("3.0")),
                                          expression(2, QStringLiteral("2*3"), QStringLiteral("6.0"))});
    const QByteArray third = historyLine(expression(3, QStringLiteral("3×4÷2"), QStringLiteral("6.0")));
    return {
        {"whole", good, {"1+2", "2*3"}, false},
        {"the third line without its line break", good + third.chopped(1), {"1+2", "2*3"}, true},
        {"the third line cut in its time", good + third.left(7), {"1+2", "2*3"}, true},
        {"the third line cut inside a character", good + third.left(third.indexOf("×") + 1), {"1+2", "2*3"}, true},
        {"zeros where the third line should be", good + QByteArray(12, '\0'), {"1+2", "2*3"}, true},
        {"the second line cut short", good.chopped(5), {"1+2"}, true},
        {"only the header and a cut line", QByteArray("mhbk-history 1\n") + third.left(10), {}, true},
    };
}

TEST(HistoryFile, ALineCutShortAtTheEndIsLeftOutAndTheRestKept)
{
    for (const TornCase &c : tornCases()) {
        SCOPED_TRACE(c.what);
        bool torn = !c.torn;
        const auto read = readHistory(c.bytes, &torn);
        ASSERT_TRUE(read);
        EXPECT_EQ(inputsOf(*read), c.inputs);
        EXPECT_EQ(torn, c.torn);
    }
    // A damaged line before the end still refuses the whole file.
    const QByteArray good = tornCases().front().bytes;
    EXPECT_FALSE(readHistory(QByteArray(good).replace("1+2", "1+2\\q") + "2026"));
}

// After a cut-short file, the next addition is whole and nothing before it is lost.
TEST(HistoryStore, AfterALineCutShortTheNextAdditionIsReadBackWithTheRest)
{
    for (const TornCase &c : tornCases()) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        {
            HistoryStore store(dir.path());
            writeAll(store.filePath(), c.bytes);
            EXPECT_EQ(store.load(), LoadResult::Loaded);
            EXPECT_EQ(inputsOf(store.entries()), c.inputs);
            EXPECT_TRUE(store.add(expression(9, QStringLiteral("new"), QStringLiteral("1.0"))));
        }
        bool torn = true;
        const auto read = readHistory(readAll(QDir(dir.path()).filePath(QStringLiteral("calc-history.txt"))), &torn);
        ASSERT_TRUE(read);
        EXPECT_FALSE(torn);
        EXPECT_EQ(inputsOf(*read), QStringList(c.inputs) << QStringLiteral("new"));
    }
}

ino_t inodeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// An addition appends one line to the file it found: the file is not replaced and what it held
// stays byte for byte. Past kCompactAt lines, and at the end, the file is cut to the newest kLimit.
TEST(HistoryStore, AnAdditionAppendsItsLineAndLongFilesAreCompacted)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("calc-history.txt"));
    {
        HistoryStore store(dir.path());
        EXPECT_EQ(store.load(), LoadResult::Fresh);
        ASSERT_TRUE(store.add(expression(1, QStringLiteral("0"), QStringLiteral("0"))));
        const ino_t inode = inodeOf(path);
        ASSERT_NE(inode, 0U);
        const QByteArray before = readAll(path);
        const Entry second = weight(2, QStringLiteral("圆钢 d=10"), QStringLiteral("0.616539"), QStringLiteral("kg/m"));
        ASSERT_TRUE(store.add(second));
        EXPECT_EQ(readAll(path), before + historyLine(second));
        EXPECT_EQ(inodeOf(path), inode);

        for (int i = 2; i < HistoryStore::kCompactAt + 10; ++i) {
            ASSERT_TRUE(store.add(expression(3, QString::number(i), QString())));
            ASSERT_LE(readAll(path).count('\n'), 1 + HistoryStore::kCompactAt) << i;
        }
        EXPECT_NE(inodeOf(path), inode); // compacted on the way
        ASSERT_EQ(store.entries().size(), static_cast<std::size_t>(HistoryStore::kLimit));
    }
    const auto read = readHistory(readAll(path));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), static_cast<std::size_t>(HistoryStore::kLimit));
    EXPECT_EQ(read->front().input, QString::number(HistoryStore::kCompactAt + 10 - HistoryStore::kLimit));
    EXPECT_EQ(read->back().input, QString::number(HistoryStore::kCompactAt + 9));
}

TEST(HistoryStore, ADamagedFileIsSetAsideAndTheHistoryStartsEmpty)
{
    QTemporaryDir dir;
    HistoryStore store(dir.path());
    const QByteArray damaged[] = {"not a history\n", "mhbk-history 1\nbroken line\n"};
    for (const QByteArray &bytes : damaged) {
        writeAll(store.filePath(), bytes);
        EXPECT_EQ(store.load(), LoadResult::Damaged);
        EXPECT_TRUE(store.entries().empty());
        EXPECT_FALSE(QFile::exists(store.filePath()));
        EXPECT_EQ(readAll(store.damagedPath()), bytes);
    }
    // The second damaged file did not overwrite the first one set aside.
    EXPECT_EQ(readAll(store.filePath() + QStringLiteral(".damaged")), damaged[0]);
    EXPECT_EQ(readAll(store.filePath() + QStringLiteral(".damaged2")), damaged[1]);
    EXPECT_TRUE(store.add(expression(1, QStringLiteral("1"), QStringLiteral("1.0"))));
    EXPECT_EQ(store.load(), LoadResult::Loaded);
    EXPECT_EQ(store.entries().size(), 1U);
}

TEST(HistoryStore, InMemoryWithoutAFolderAndUnwritableFoldersDoNotStopIt)
{
    HistoryStore memory{QString()};
    EXPECT_EQ(memory.load(), LoadResult::Fresh);
    EXPECT_TRUE(memory.add(expression(1, QStringLiteral("1"), QStringLiteral("1.0"))));
    EXPECT_EQ(memory.entries().size(), 1U);
    EXPECT_TRUE(memory.filePath().isEmpty());

    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("file"));
    writeAll(blocker, "x");
    HistoryStore blocked(QDir(blocker).filePath(QStringLiteral("sub")));
    EXPECT_EQ(blocked.load(), LoadResult::Fresh);
    EXPECT_FALSE(blocked.add(expression(1, QStringLiteral("1"), QStringLiteral("1.0"))));
    EXPECT_EQ(blocked.entries().size(), 1U);
}

} // namespace

namespace {

// A second program run (a screenshot) reads the history beside the running program: closing it
// must not replace the file, or the program's additions meanwhile would be lost.
TEST(HistoryStore, AStoreThatOnlyReadLeavesTheFileAsItFoundIt)
{
    std::vector<Entry> many;
    for (int i = 0; i < HistoryStore::kLimit + 5; ++i)
        many.push_back(expression(1, QString::number(i), QString()));
    const QByteArray files[] = {
        writeHistory(many),                                    // longer than the entries kept
        writeHistory(many).append("2026-12-07T14:0"),          // and cut short at the end
    };
    for (const QByteArray &bytes : files) {
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(QStringLiteral("calc-history.txt"));
        writeAll(path, bytes);
        {
            HistoryStore store(dir.path());
            EXPECT_EQ(store.load(), LoadResult::Loaded);
            EXPECT_EQ(store.entries().size(), static_cast<std::size_t>(HistoryStore::kLimit));
        }
        EXPECT_EQ(readAll(path), bytes);
    }
}

} // namespace
