// Repository queries on a full device: 10,000 favourites, each also in one of 200
// local playlists (50 per playlist), a fifth of them still waiting in the download
// queue. What the favourites page asks for while the user moves around must stay
// well within a frame.
#include "tests/support/TestSupport.h"

#include "core/FileManager.h"
#include "core/GlobalConstants.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"

#include <QElapsedTimer>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

namespace {
const int FAVORITES = 10000;
const int PLAYLISTS = 200;
}

class BenchRepository : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> myEnv;
    std::unique_ptr<Repository> myRepository;
    QList<int> myPlayListIds;

private Q_SLOTS:
    void initTestCase()
    {
        myEnv = std::make_unique<TestEnvironment>();
        myRepository = std::make_unique<Repository>();
        QCOMPARE(myRepository->openDatabase(), 0);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < PLAYLISTS; ++i) {
            PlayList playList(0, 0, 4, QStringLiteral("Playlist %1").arg(i));
            QCOMPARE(myRepository->addPlayList(&playList), 0);
            myPlayListIds << playList.getId();
        }
        for (int i = 0; i < FAVORITES; ++i) {
            VideoEntry video;
            video.setVideoId(QStringLiteral("video%1").arg(i, 5, 10, QLatin1Char('0')));
            video.setName(QStringLiteral("A video title number %1 that is about as long as they are").arg(i));
            video.setAuthor(QStringLiteral("author%1").arg(i % 300));
            video.setDescription(QStringLiteral("Some description text of the video. ").repeated(5));
            video.setLength(float(30 + i % 600));
            video.setRating(QStringLiteral("4.%1").arg(i % 10));
            QCOMPARE(myRepository->addFavorite(&video, i % 5 != 0), 0);
            QCOMPARE(myRepository->addVideoToPlayList(&video, myPlayListIds.at(i % PLAYLISTS)), 0);
        }
        qDebug("filled in %lld ms", timer.elapsed());
        QCOMPARE(myRepository->getDownloadQueueCount(), FAVORITES / 5);
    }

    void cleanupTestCase()
    {
        myRepository.reset();
        myEnv.reset();
    }

    void getPlayListsWithCounts()
    {
        PlayListModel model(myRepository.get());
        bool collapsed[2] = {false, false};
        QBENCHMARK {
            model.clear();
            myRepository->getPlayLists(&model, collapsed);
        }
        QCOMPARE(model.rowCount(), PLAYLISTS + 3);
        QCOMPARE(model.getPlayListById(1)->getCount(), FAVORITES);
        QCOMPARE(model.getPlayListById(myPlayListIds.first())->getCount(), FAVORITES / PLAYLISTS);
    }

    void openOnePlayList()
    {
        VideoListModel model(myRepository.get());
        const int id = myPlayListIds.at(PLAYLISTS / 2);
        QBENCHMARK {
            model.clear();
            myRepository->getPlayListEntries(id, &model);
        }
        QCOMPARE(model.rowCount(), FAVORITES / PLAYLISTS);
    }

    // The favourites page reads its list a page at a time: a page of "All local
    // favorites" or of the download queue, from the top or from deep down the list.
    void readAPage_data()
    {
        QTest::addColumn<int>("playListId");
        QTest::addColumn<int>("rowsBefore");
        QTest::newRow("all favorites, first page") << int(ePlayListIdAllFavorites) << 0;
        QTest::newRow("all favorites, from row 9000") << int(ePlayListIdAllFavorites) << 9000;
        QTest::newRow("download queue, first page") << int(ePlayListIdDownloadQueue) << 0;
        QTest::newRow("download queue, from row 1800") << int(ePlayListIdDownloadQueue) << 1800;
    }

    void readAPage()
    {
        QFETCH(int, playListId);
        QFETCH(int, rowsBefore);
        VideoListModel model(myRepository.get());
        PlayListCursor start;
        QCOMPARE(myRepository->getPlayListEntries(playListId, &model, rowsBefore, start), 0);
        QCOMPARE(model.rowCount(), rowsBefore);
        QBENCHMARK {
            model.clear();
            PlayListCursor cursor = start;
            myRepository->getPlayListEntries(playListId, &model, 100, cursor);
        }
        QCOMPARE(model.rowCount(), 100);
    }

    void firstDownloadEntry()
    {
        QBENCHMARK {
            delete myRepository->getFirstDownloadEntry();
        }
        std::unique_ptr<VideoEntry> first(myRepository->getFirstDownloadEntry());
        QVERIFY(first);
        QCOMPARE(first->getVideoId(), QStringLiteral("video00000"));
    }

    void nextPlayListEntry()
    {
        const int id = myPlayListIds.first();
        std::unique_ptr<VideoEntry> first(myRepository->getFirstPlayListsEntry(id));
        QVERIFY(first);
        QBENCHMARK {
            delete myRepository->getNextPlayListsEntry(id, first->getFavoriteId());
        }
    }

    // Every favourite with its thumbnail on the card, as after a long use: opening
    // "All local favorites" must not cost a picture file per row. Runs last, as it
    // gives every video a thumbnail file.
    void openAllFavoritesWithThumbnailsOnTheCard()
    {
        const QString folder = myRepository->getFileManager()->getFavoriteThumbnailFolder();
        QVERIFY(QDir().mkpath(folder));
        QImage picture(120, 90, QImage::Format_RGB32);
        const QString name = QStringLiteral("bench_thumbnails");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(DATABASE_DRIVER, name);
            db.setDatabaseName(myRepository->databaseFileName());
            QVERIFY(db.open());
            QVERIFY(db.transaction());
            QSqlQuery update(db);
            QVERIFY(update.prepare(QStringLiteral("update video_entry set thumbnail_file = ? where video_id = ?")));
            for (int i = 0; i < FAVORITES; ++i) {
                const QString videoId = QStringLiteral("video%1").arg(i, 5, 10, QLatin1Char('0'));
                const QString file = folder + videoId + QStringLiteral(".jpg");
                picture.fill(QColor::fromHsv(i % 360, 200, 200));
                QVERIFY(picture.save(file, "JPG"));
                update.addBindValue(file);
                update.addBindValue(videoId);
                QVERIFY(update.exec());
            }
            QVERIFY(db.commit());
        }
        QSqlDatabase::removeDatabase(name);

        VideoListModel model(myRepository.get());
        QBENCHMARK {
            model.clear();
            myRepository->getPlayListEntries(ePlayListIdAllFavorites, &model);
        }
        QCOMPARE(model.rowCount(), FAVORITES);
        // The rows that are painted show their pictures.
        QCOMPARE(model.entryAt(0)->getThumbnail().size(), QSize(120, 90));
        QCOMPARE(model.entryAt(FAVORITES - 1)->getThumbnail().size(), QSize(120, 90));
    }
};

QTEST_MAIN(BenchRepository)
#include "bench_repository.moc"
