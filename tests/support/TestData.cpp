#include "tests/support/TestData.h"

#include "core/PlayList.h"
#include "core/Repository.h"
#include "core/VideoListModel.h"
#include "tools/fakeservice/FakeService.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

VideoEntry testVideo(const QString& videoId, const QString& title)
{
    VideoEntry entry = videoWithId(videoId);
    entry.setName(title.isEmpty() ? QStringLiteral("Title of ") + videoId : title);
    entry.setAuthor(QStringLiteral("author_") + videoId);
    entry.setLength(61.5f);
    entry.setRating(QStringLiteral("4.5"));
    return entry;
}

VideoEntry videoWithId(const QString& videoId)
{
    VideoEntry entry;
    entry.setVideoId(videoId);
    return entry;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int addPlayList(Repository& repository, int serviceId, int type, const QString& name, const QString& providerId)
{
    PlayList playList(0, serviceId, type, name);
    playList.setProviderId(providerId);
    return repository.addPlayList(&playList) == eRepOk ? playList.getId() : -1;
}

QStringList videoIds(const VideoListModel& model)
{
    QStringList ids;
    for (VideoEntry* entry : model.entries())
        ids << entry->getVideoId();
    return ids;
}

QStringList playListVideoIds(Repository& repository, int playListId)
{
    VideoListModel model(&repository);
    repository.getPlayListEntries(playListId, &model);
    return videoIds(model);
}

QMap<QString, int> downloadStates(Repository& repository)
{
    VideoListModel model(&repository);
    repository.getPlayListEntries(ePlayListIdAllFavorites, &model);
    QMap<QString, int> states;
    for (VideoEntry* entry : model.entries())
        states.insert(entry->getVideoId(), entry->getDownloadState());
    return states;
}

QStringList queryKeys(const FakeRequest& request)
{
    QStringList keys;
    for (const auto& item : request.query.queryItems())
        keys.append(item.first);
    return keys;
}

RawDatabase::RawDatabase(const QString& fileName) : myName(QStringLiteral("raw_") + QString::number(quintptr(this)))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), myName);
    db.setDatabaseName(fileName);
    db.open();
}

RawDatabase::~RawDatabase()
{
    QSqlDatabase::database(myName, false).close();
    QSqlDatabase::removeDatabase(myName);
}

bool RawDatabase::exec(const QString& sql)
{
    QSqlQuery query(QSqlDatabase::database(myName));
    return query.exec(sql);
}

QStringList RawDatabase::column(const QString& sql)
{
    QStringList values;
    QSqlQuery query(QSqlDatabase::database(myName));
    if (query.exec(sql))
        while (query.next())
            values << query.value(0).toString();
    return values;
}

QStringList RawDatabase::rows(const QString& sql)
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

namespace {

// Where the root page of a table or an index begins in the file, and its size.
bool rootPage(const QString& fileName, const QString& name, qint64& offset, int& pageSize)
{
    RawDatabase raw(fileName);
    pageSize = raw.count(QStringLiteral("pragma page_size"));
    offset = qint64(raw.count(QStringLiteral("select rootpage from sqlite_master where name = '%1'").arg(name)) - 1)
        * pageSize;
    return offset > 0;
}

} // namespace

bool damageTable(const QString& fileName, const QString& table)
{
    qint64 offset = 0;
    int pageSize = 0;
    QFile file(fileName);
    return rootPage(fileName, table, offset, pageSize) && file.open(QIODevice::ReadWrite) && file.seek(offset)
        && file.write(QByteArray(pageSize, '\xff')) == pageSize;
}

bool damageIndex(const QString& fileName, const QString& index, const QByteArray& key)
{
    qint64 offset = 0;
    int pageSize = 0;
    QFile file(fileName);
    if (key.isEmpty() || !rootPage(fileName, index, offset, pageSize) || !file.open(QIODevice::ReadWrite)
        || !file.seek(offset))
        return false;
    const qsizetype at = file.read(pageSize).indexOf(key);
    const char raised = char(key.back() + 1);
    return at >= 0 && file.seek(offset + at + key.size() - 1) && file.write(&raised, 1) == 1;
}
