#ifndef KRELVOX_REPOSITORYDATABASE_H
#define KRELVOX_REPOSITORYDATABASE_H

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>

class QSqlError;

// The repository's connection to its SQLite file and the one path every statement
// takes: prepared with its values bound, run, and on failure reported together with
// the operation that ran it. A failure that shows the file damaged is remembered, and
// the damage handler hears of it once.
class RepositoryDatabase
{
public:
    explicit RepositoryDatabase(const QString& connectionName);
    ~RepositoryDatabase();

    RepositoryDatabase(const RepositoryDatabase&) = delete;
    RepositoryDatabase& operator=(const RepositoryDatabase&) = delete;

    // The connection; it is added (not opened) on first use.
    QSqlDatabase connection() const;
    void close();

    bool isUsable() const { return myUsable; }
    void setUsable(bool usable) { myUsable = usable; }

    // Prepares sql on query (forward only: every result is read once from its first
    // row), binds the values in order and runs it. True when it ran.
    bool run(QSqlQuery& query, const QString& sql, const QVariantList& values, const char* caller);
    // A statement whose rows are not read.
    bool exec(const QString& sql, const QVariantList& values, const char* caller);
    // An update or delete of one row: 0 when it changed a row, 2 when there was none,
    // 1 when it failed.
    int changeRow(const QString& sql, const QVariantList& values, const char* caller);
    // The first column of the first row as an int, fallback when there is no row; ok
    // (when given) tells whether the statement ran.
    int scalar(const QString& sql, const QVariantList& values, int fallback, const char* caller, bool* ok = nullptr);
    // The first column of the first row as text; "" when there is no row.
    QString text(const QString& sql, const QVariantList& values, const char* caller);
    // Runs sql and hands every row to read, in order; true when all rows were read.
    bool readRows(const QString& sql, const QVariantList& values, const char* caller,
                  const std::function<void(const QSqlQuery&)>& read);
    // After a query's rows were read: true when they ended, false (reported) when the
    // reading broke off on the way.
    bool rowsEnded(const QSqlQuery& query, const char* caller);
    // Reports a failure that was not a statement's (opening, a transaction).
    void report(const QSqlError& error, const char* caller);

    // True once a statement failed because the file is damaged.
    bool isDamaged() const { return myDamaged; }
    void setDamageHandler(std::function<void()> handler) { myDamageHandler = std::move(handler); }

private:
    QString myConnectionName;
    bool myUsable = false;
    bool myDamaged = false;
    std::function<void()> myDamageHandler;
};

// A write of several statements that takes effect whole or not at all: rolled back
// unless committed.
class Transaction
{
public:
    Transaction(RepositoryDatabase& database, const char* caller);
    ~Transaction();

    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return myActive; }
    bool commit();

private:
    RepositoryDatabase& myDatabase;
    const char* myCaller;
    bool myActive;
};

#endif
