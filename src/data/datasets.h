#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <vector>

namespace mhbk {

class HandbookDatabase;

// The shared whole-table dataset: one table at a time, by name, read in stored order
// (by row id) into a client-side cursor, so the record count is known at once.
// Field position 0 is the table's first column. Changes go straight to the database.
class TableDataset {
public:
    explicit TableDataset(HandbookDatabase &db);

    // Closes whatever was open, opens the named table and moves to its first record.
    // Throws AppError (unknown table, unreadable database).
    void open(const QString &tableName);
    void close();
    bool isOpen() const { return open_; }
    const QString &tableName() const { return tableName_; }
    HandbookDatabase &database() { return db_; }

    int recordCount() const { return static_cast<int>(rows_.size()); }
    int fieldCount() const { return static_cast<int>(fieldNames_.size()); }
    const QStringList &fieldNames() const { return fieldNames_; }

    void first();
    void next();
    bool eof() const;
    bool bof() const;

    // Field text of the current record; throws AppError for an unknown position or name.
    QString fieldText(int position) const;
    QString fieldText(const QString &name) const;
    QVariant fieldValue(const QString &name) const;

    // Edit mode, set, post: the changed fields are written when the record is posted
    // (also by moving on with next()).
    void edit();
    void setField(int position, const QVariant &value);
    void setField(const QString &name, const QVariant &value);
    void post();

    // Insert and append both add a new record at the end of the stored order and make it
    // current in edit mode; post writes it.
    void insert();
    void append();
    // Deletes the current record; the cursor moves to the next one.
    void remove();

private:
    struct Record {
        qint64 rowId = -1;
        QVariantList values;
    };

    int positionOf(const QString &name) const;
    void requireCurrent() const;
    void writePending();

    HandbookDatabase &db_;
    QString tableName_;
    QStringList fieldNames_;
    std::vector<Record> rows_;
    int current_ = 0;
    bool open_ = false;
    bool editing_ = false;
    std::vector<int> dirtyFields_;
};

// The shared statement dataset. Values are bound as parameters, never pasted into the text.
class QueryDataset {
public:
    explicit QueryDataset(HandbookDatabase &db);

    // Runs a statement that returns rows and moves to the first one. Throws AppError.
    void open(const QString &sql, const QVariantList &parameters = {});
    // Runs a statement that returns no rows. Throws AppError.
    void execute(const QString &sql, const QVariantList &parameters = {});
    void close();

    int recordCount() const { return static_cast<int>(rows_.size()); }
    void first() { current_ = 0; }
    void next() { if (current_ < recordCount()) ++current_; }
    bool eof() const { return current_ >= recordCount(); }

    QVariant field(int position) const;
    QVariant field(const QString &name) const;
    QString fieldText(const QString &name) const { return field(name).toString(); }
    // A binary field read whole.
    QByteArray blob(const QString &name) const { return field(name).toByteArray(); }

    HandbookDatabase &database() { return db_; }

private:
    HandbookDatabase &db_;
    QStringList fieldNames_;
    std::vector<QVariantList> rows_;
    int current_ = 0;
};

// Quotes a table or field name for SQLite.
QString quotedName(const QString &name);

} // namespace mhbk
