#ifndef KRELVOX_CORETESTHELPERS_H
#define KRELVOX_CORETESTHELPERS_H

#include "core/Repository.h"
#include "core/VideoEntry.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>

// A video as the service would deliver it.
inline VideoEntry makeVideo(const QString& videoId, const QString& title = QString())
{
    VideoEntry entry;
    entry.setVideoId(videoId);
    entry.setName(title.isEmpty() ? QStringLiteral("Title of ") + videoId : title);
    entry.setAuthor(QStringLiteral("author_") + videoId);
    entry.setLength(61.5f);
    entry.setRating(QStringLiteral("4.5"));
    return entry;
}

inline bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// A second connection to the same database file: lets a test look at the rows
// directly, or install a trigger that makes one write fail.
class RawDatabase
{
public:
    explicit RawDatabase(const QString& fileName)
        : myName(QStringLiteral("raw_") + QString::number(quintptr(this)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), myName);
        db.setDatabaseName(fileName);
        db.open();
    }
    ~RawDatabase()
    {
        QSqlDatabase::database(myName, false).close();
        QSqlDatabase::removeDatabase(myName);
    }
    bool exec(const QString& sql)
    {
        QSqlQuery query(QSqlDatabase::database(myName));
        return query.exec(sql);
    }
    // The first column of every row of a query, as text.
    QStringList column(const QString& sql)
    {
        QStringList values;
        QSqlQuery query(QSqlDatabase::database(myName));
        if (query.exec(sql))
            while (query.next())
                values << query.value(0).toString();
        return values;
    }
    int count(const QString& sql) { return column(sql).value(0).toInt(); }
    // Every row of a query, its columns joined by "|".
    QStringList rows(const QString& sql)
    {
        QStringList out;
        QSqlQuery query(QSqlDatabase::database(myName));
        if (query.exec(sql)) {
            while (query.next()) {
                QStringList columns;
                for (int i = 0; i < query.record().count(); ++i)
                    columns << query.value(i).toString();
                out << columns.join(QLatin1Char('|'));
            }
        }
        return out;
    }

private:
    QString myName;
};

// Overwrites the root page of a table in a database file that no connection holds
// open with bytes that are no page: the schema still reads, the table does not.
inline bool damageTable(const QString& fileName, const QString& table)
{
    qint64 offset = 0;
    int pageSize = 0;
    {
        RawDatabase raw(fileName);
        pageSize = raw.count(QStringLiteral("pragma page_size"));
        offset = qint64(raw.count(QStringLiteral("select rootpage from sqlite_master where name = '%1'").arg(table)) - 1)
            * pageSize;
    }
    QFile file(fileName);
    return offset > 0 && file.open(QIODevice::ReadWrite) && file.seek(offset)
        && file.write(QByteArray(pageSize, '\xff')) == pageSize;
}

#endif
