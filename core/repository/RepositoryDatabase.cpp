#include "core/repository/RepositoryDatabase.h"
#include "core/CoreLogging.h"
#include "core/constants/Paths.h"

#include <QSqlError>

namespace {

// SQLite's result codes for a file whose pages do not hold what they should.
const int SQLITE_CODE_CORRUPT = 11;
const int SQLITE_CODE_NOT_A_DATABASE = 26;

bool isDamage(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff; // the primary code of an extended one
    return ok && (code == SQLITE_CODE_CORRUPT || code == SQLITE_CODE_NOT_A_DATABASE);
}

} // namespace

RepositoryDatabase::RepositoryDatabase(const QString& connectionName) : myConnectionName(connectionName)
{
}

RepositoryDatabase::~RepositoryDatabase()
{
    if (!QSqlDatabase::contains(myConnectionName))
        return;
    close();
    QSqlDatabase::removeDatabase(myConnectionName);
}

QSqlDatabase RepositoryDatabase::connection() const
{
    if (QSqlDatabase::contains(myConnectionName))
        return QSqlDatabase::database(myConnectionName, false);
    return QSqlDatabase::addDatabase(DATABASE_DRIVER, myConnectionName);
}

void RepositoryDatabase::close()
{
    if (QSqlDatabase::contains(myConnectionName))
        QSqlDatabase::database(myConnectionName, false).close();
    myUsable = false;
}

bool RepositoryDatabase::run(QSqlQuery& query, const QString& sql, const QVariantList& values, const char* caller)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        report(query.lastError(), caller);
        return false;
    }
    // A null QString would bind as SQL NULL; our text columns hold "" instead.
    for (const QVariant& value : values) {
        if (value.typeId() == QMetaType::QString && value.toString().isNull())
            query.addBindValue(QStringLiteral(""));
        else
            query.addBindValue(value);
    }
    if (query.exec())
        return true;
    report(query.lastError(), caller);
    return false;
}

bool RepositoryDatabase::exec(const QString& sql, const QVariantList& values, const char* caller)
{
    QSqlQuery query(connection());
    return run(query, sql, values, caller);
}

int RepositoryDatabase::changeRow(const QString& sql, const QVariantList& values, const char* caller)
{
    QSqlQuery query(connection());
    if (!run(query, sql, values, caller))
        return 1;
    return query.numRowsAffected() > 0 ? 0 : 2;
}

int RepositoryDatabase::scalar(const QString& sql, const QVariantList& values, int fallback, const char* caller, bool* ok)
{
    QSqlQuery query(connection());
    const bool ran = run(query, sql, values, caller);
    const bool hasRow = ran && query.next();
    const bool good = ran && (hasRow || rowsEnded(query, caller));
    if (ok)
        *ok = good;
    return hasRow ? int(query.value(0).toLongLong()) : fallback;
}

QString RepositoryDatabase::text(const QString& sql, const QVariantList& values, const char* caller)
{
    QSqlQuery query(connection());
    if (!run(query, sql, values, caller))
        return QString();
    if (query.next())
        return query.value(0).toString();
    rowsEnded(query, caller);
    return QString();
}

bool RepositoryDatabase::readRows(const QString& sql, const QVariantList& values, const char* caller,
                                  const std::function<void(const QSqlQuery&)>& read)
{
    QSqlQuery query(connection());
    if (!run(query, sql, values, caller))
        return false;
    while (query.next())
        read(query);
    return rowsEnded(query, caller);
}

bool RepositoryDatabase::rowsEnded(const QSqlQuery& query, const char* caller)
{
    if (!query.lastError().isValid())
        return true;
    report(query.lastError(), caller);
    return false;
}

void RepositoryDatabase::report(const QSqlError& error, const char* caller)
{
    qCWarning(lcCore) << caller << error.text();
    if (!isDamage(error) || myDamaged)
        return;
    myDamaged = true;
    qCWarning(lcCore) << caller << "the database file is damaged";
    if (myDamageHandler)
        myDamageHandler();
}

Transaction::Transaction(RepositoryDatabase& database, const char* caller)
    : myDatabase(database), myCaller(caller), myActive(database.connection().transaction())
{
    if (!myActive)
        myDatabase.report(myDatabase.connection().lastError(), caller);
}

Transaction::~Transaction()
{
    if (myActive)
        myDatabase.connection().rollback();
}

bool Transaction::commit()
{
    if (!myActive)
        return false;
    myActive = false;
    QSqlDatabase db = myDatabase.connection();
    if (db.commit())
        return true;
    myDatabase.report(db.lastError(), myCaller);
    db.rollback();
    return false;
}
