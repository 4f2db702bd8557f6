#include "data/datasets.h"

#include "common/errors.h"
#include "data/database.h"
#include "data/dberror.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace mhbk {

QString quotedName(const QString &name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

namespace {

[[noreturn]] void failQuery(const QSqlQuery &query, const QString &what)
{
    throw AppError(QStringLiteral("%1：%2。").arg(what, databaseErrorReason(query.lastError())));
}

void bindAll(QSqlQuery &query, const QVariantList &parameters)
{
    for (int i = 0; i < parameters.size(); ++i)
        query.bindValue(i, parameters[i]);
}

} // namespace

TableDataset::TableDataset(HandbookDatabase &db) : db_(db) {}

void TableDataset::close()
{
    open_ = false;
    editing_ = false;
    dirtyFields_.clear();
    rows_.clear();
    fieldNames_.clear();
    current_ = 0;
}

void TableDataset::open(const QString &tableName)
{
    close();
    tableName_ = tableName;
    QSqlQuery query(db_.connection());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(quotedName(tableName))))
        failQuery(query, QStringLiteral("无法打开数据表“%1”").arg(tableName));
    const QSqlRecord record = query.record();
    for (int i = 1; i < record.count(); ++i)
        fieldNames_ << record.fieldName(i);
    while (query.next()) {
        Record row;
        row.rowId = query.value(0).toLongLong();
        for (int i = 1; i < record.count(); ++i)
            row.values << query.value(i);
        rows_.push_back(std::move(row));
    }
    // A step can fail part-way (a damaged page, an I/O error): half a table must not pass for all of it.
    if (query.lastError().isValid()) {
        rows_.clear();
        failQuery(query, QStringLiteral("无法读取数据表“%1”").arg(tableName));
    }
    open_ = true;
    current_ = 0;
}

void TableDataset::first()
{
    writePending();
    current_ = 0;
}

void TableDataset::next()
{
    writePending();
    if (current_ < recordCount())
        ++current_;
}

bool TableDataset::eof() const { return current_ >= recordCount(); }
bool TableDataset::bof() const { return current_ == 0; }

int TableDataset::positionOf(const QString &name) const
{
    for (int i = 0; i < fieldNames_.size(); ++i)
        if (fieldNames_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    throw AppError(QStringLiteral("数据表“%1”中没有字段“%2”。").arg(tableName_, name));
}

void TableDataset::requireCurrent() const
{
    if (!open_)
        throw AppError(QStringLiteral("数据表没有打开，无法进行此操作。"));
    if (current_ < 0 || current_ >= recordCount())
        throw AppError(QStringLiteral("数据表“%1”中没有当前记录，无法进行此操作。").arg(tableName_));
}

QString TableDataset::fieldText(int position) const { 
    requireCurrent();
    if (position < 0 || position >= fieldCount())
        throw AppError(QStringLiteral("数据表“%1”中没有序号为%2的字段。").arg(tableName_).arg(position));
    return rows_[current_].values[position].toString();
}

QString TableDataset::fieldText(const QString &name) const { return fieldText(positionOf(name)); }

QVariant TableDataset::fieldValue(const QString &name) const
{
    requireCurrent();
    return rows_[current_].values[positionOf(name)];
}

void TableDataset::edit()
{
    requireCurrent();
    editing_ = true;
}

void TableDataset::setField(int position, const QVariant &value)
{
    requireCurrent();
    if (position < 0 || position >= fieldCount())
        throw AppError(QStringLiteral("数据表“%1”中没有序号为%2的字段。").arg(tableName_).arg(position));
    if (!editing_)
        throw AppError(QStringLiteral("数据表“%1”不在编辑或插入状态，无法修改字段。").arg(tableName_));
    rows_[current_].values[position] = value;
    if (std::find(dirtyFields_.begin(), dirtyFields_.end(), position) == dirtyFields_.end())
        dirtyFields_.push_back(position);
}

void TableDataset::setField(const QString &name, const QVariant &value) { setField(positionOf(name), value); }

void TableDataset::post() { writePending(); }

void TableDataset::writePending()
{
    if (!editing_)
        return;
    editing_ = false;
    Record &row = rows_[current_];
    QSqlQuery query(db_.connection());
    if (row.rowId < 0) {
        QStringList names;
        QStringList marks;
        for (int i = 0; i < fieldCount(); ++i) {
            names << quotedName(fieldNames_[i]);
            marks << QStringLiteral("?");
        }
        query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(quotedName(tableName_), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        for (int i = 0; i < fieldCount(); ++i)
            query.bindValue(i, row.values[i]);
        if (!query.exec())
            failQuery(query, QStringLiteral("无法写入数据表“%1”").arg(tableName_));
        row.rowId = query.lastInsertId().toLongLong();
    } else if (!dirtyFields_.empty()) {
        QStringList sets;
        for (int position : dirtyFields_)
            sets << quotedName(fieldNames_[position]) + QStringLiteral("=?");
        query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                          .arg(quotedName(tableName_), sets.join(QLatin1Char(','))));
        int i = 0;
        for (int position : dirtyFields_)
            query.bindValue(i++, row.values[position]);
        query.bindValue(i, row.rowId);
        if (!query.exec())
            failQuery(query, QStringLiteral("无法写入数据表“%1”").arg(tableName_));
    }
    dirtyFields_.clear();
}

void TableDataset::insert() { append(); }

void TableDataset::append()
{
    if (!open_)
        throw AppError(QStringLiteral("数据表没有打开，无法进行此操作。"));
    writePending();
    Record row;
    for (int i = 0; i < fieldCount(); ++i)
        row.values << QVariant();
    rows_.push_back(std::move(row));
    current_ = recordCount() - 1;
    editing_ = true;
}

void TableDataset::remove()
{
    requireCurrent();
    editing_ = false;
    dirtyFields_.clear();
    const qint64 rowId = rows_[current_].rowId;
    if (rowId >= 0) {
        QSqlQuery query(db_.connection());
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quotedName(tableName_)));
        query.bindValue(0, rowId);
        if (!query.exec())
            failQuery(query, QStringLiteral("无法删除数据表“%1”的记录").arg(tableName_));
    }
    rows_.erase(rows_.begin() + current_);
}

QueryDataset::QueryDataset(HandbookDatabase &db) : db_(db) {}

void QueryDataset::close()
{
    fieldNames_.clear();
    rows_.clear();
    current_ = 0;
}

void QueryDataset::open(const QString &sql, const QVariantList &parameters)
{
    close();
    QSqlQuery query(db_.connection());
    query.setForwardOnly(true);
    query.prepare(sql);
    bindAll(query, parameters);
    if (!query.exec())
        failQuery(query, QStringLiteral("数据库查询失败"));
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i)
        fieldNames_ << record.fieldName(i);
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < record.count(); ++i)
            row << query.value(i);
        rows_.push_back(std::move(row));
    }
    if (query.lastError().isValid()) {
        rows_.clear();
        failQuery(query, QStringLiteral("数据库查询失败"));
    }
}

void QueryDataset::execute(const QString &sql, const QVariantList &parameters)
{
    close();
    QSqlQuery query(db_.connection());
    query.prepare(sql);
    bindAll(query, parameters);
    if (!query.exec())
        failQuery(query, QStringLiteral("数据库语句执行失败"));
}

QVariant QueryDataset::field(int position) const
{
    if (eof() || position < 0 || position >= fieldNames_.size())
        throw AppError(QStringLiteral("查询结果的当前记录中没有序号为%1的字段。").arg(position));
    return rows_[current_][position];
}

QVariant QueryDataset::field(const QString &name) const
{
    for (int i = 0; i < fieldNames_.size(); ++i)
        if (fieldNames_[i].compare(name, Qt::CaseInsensitive) == 0)
            return field(i);
    throw AppError(QStringLiteral("查询结果中没有字段“%1”。").arg(name));
}

} // namespace mhbk
