#include "reference/itemsave.h"

#include "common/errors.h"
#include "data/database.h"
#include "data/datasets.h"
#include "data/dberror.h"

#include <QSqlDatabase>
#include <QSqlError>

namespace mhbk::reference {

namespace {

void writeAll(TableDataset &table, int cellsPerItem, const std::vector<Item> &items)
{
    table.first();
    const int existing = table.recordCount();
    const int count = static_cast<int>(items.size());
    for (int i = 0; i < count; ++i) {
        if (i < existing) {
            table.edit();
        } else {
            table.append();
            table.setField(kNumberField, i);
        }
        const Item &item = items[static_cast<std::size_t>(i)];
        for (int f = 0; f < cellsPerItem; ++f)
            table.setField(f + 1, f < item.size() ? item[f] : QString());
        table.post();
        if (i < existing)
            table.next();
    }
    // The cursor now stands on the first record after the last item written.
    while (table.recordCount() > count)
        table.remove();
}

// Reads the table again after a rolled-back save, so the dataset shows what the file holds.
QString reopenAfterFailure(TableDataset &table, const QString &tableName)
{
    try {
        // A fresh connection: one that failed because the file was read-only or locked would
        // otherwise keep failing after the user has put that right, and only a restart,
        // which loses the typing, would help.
        table.database().close();
        table.open(tableName);
        return {};
    } catch (const AppError &e) {
        return QLatin1Char('\n') + e.message();
    }
}

} // namespace

void saveItems(TableDataset &table, int cellsPerItem, const std::vector<Item> &items, const QString &shownName)
{
    const QString tableName = table.tableName();
    // The user knows the page, not the table behind it.
    const QString shown = shownName.isEmpty() ? QStringLiteral("数据表“%1”").arg(tableName)
                                              : QStringLiteral("“%1”").arg(shownName);
    // The database's own messages name the table too.
    const auto inWords = [&](QString reason) {
        return reason.replace(QStringLiteral("数据表“%1”").arg(tableName), shown);
    };
    if (!table.isOpen())
        throw AppError(QStringLiteral("%1没有打开，无法保存。").arg(shown));
    // SQLite falls back to a read-only connection when the file cannot be written at open
    // time; a save after the user has fixed the file's rights needs a connection made now.
    try {
        table.database().close();
        table.open(tableName);
    } catch (const AppError &e) {
        // Locked by another program, most often: nothing was written, and the next 保存 tries again.
        throw AppError(QStringLiteral("保存失败，%1保持原样：%2").arg(shown, inWords(e.message())));
    }
    QSqlDatabase &db = table.database().connection();
    if (!db.transaction())
        throw AppError(QStringLiteral("无法保存%1：%2。").arg(shown, databaseErrorReason(db.lastError())));
    try {
        writeAll(table, cellsPerItem, items);
        if (!db.commit())
            throw AppError(databaseErrorReason(db.lastError()) + QStringLiteral("。"));
    } catch (const AppError &e) {
        db.rollback();
        const QString reopenError = reopenAfterFailure(table, tableName);
        throw AppError(QStringLiteral("保存失败，%1保持原样：%2%3").arg(shown, inWords(e.message()), inWords(reopenError)));
    } catch (...) {
        db.rollback();
        reopenAfterFailure(table, tableName);
        throw;
    }
    table.open(tableName);
}

} // namespace mhbk::reference
