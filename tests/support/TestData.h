#ifndef KRELVOX_TESTDATA_H
#define KRELVOX_TESTDATA_H

#include "core/VideoEntry.h"

#include <QAbstractItemModel>
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

class Repository;
class VideoListModel;
struct FakeRequest;

// A video as the service would deliver it: the id, the title ("Title of <id>" unless
// given), author "author_<id>", 61.5 seconds long, rated 4.5.
VideoEntry testVideo(const QString& videoId, const QString& title = QString());
// A video that has nothing but its id.
VideoEntry videoWithId(const QString& videoId);

bool writeFile(const QString& path, const QByteArray& data);
QByteArray readFile(const QString& path);   // empty when it cannot be read

// Stores a playlist; its id, or -1 when the repository refuses it.
int addPlayList(Repository& repository, int serviceId, int type, const QString& name,
                const QString& providerId = QString());

// The video ids of a model's rows, top first.
QStringList videoIds(const VideoListModel& model);
// The video ids of a playlist as the repository reads it whole, top first.
QStringList playListVideoIds(Repository& repository, int playListId);
// The download state of every favourite ("All local favorites"), by video id.
QMap<QString, int> downloadStates(Repository& repository);

// The entry a list model holds in a row (through its display role).
template <typename Entry>
Entry* itemAt(const QAbstractItemModel& model, int row)
{
    return model.data(model.index(row, 0)).template value<Entry*>();
}

// A model that also hands out indexes for rows it does not have, as a view holds them
// after the rows went.
template <typename Model>
class ModelProbe : public Model
{
public:
    using Model::Model;
    QModelIndex indexForRow(int row) const { return this->createIndex(row, 0); }
};

// The names of a request's query keys in the order they were sent.
QStringList queryKeys(const FakeRequest& request);

// A second connection to a database file: lets a test look at the rows directly, or
// install a trigger that makes one write fail.
class RawDatabase
{
public:
    explicit RawDatabase(const QString& fileName);
    ~RawDatabase();
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    bool exec(const QString& sql);
    // The first column of every row of a query, as text.
    QStringList column(const QString& sql);
    int count(const QString& sql) { return column(sql).value(0).toInt(); }
    // Every row of a query, its columns joined by "|".
    QStringList rows(const QString& sql);

private:
    QString myName;
};

// Overwrites the root page of a table in a database file that no connection holds
// open with bytes that are no page: the schema still reads, the table does not.
bool damageTable(const QString& fileName, const QString& table);
// Raises the last byte of a key in the root page of an index ("video39" becomes
// "video3:") in a file that no connection holds open: every page stays well formed
// and in order, but the index no longer matches its table.
bool damageIndex(const QString& fileName, const QString& index, const QByteArray& key);

#endif
