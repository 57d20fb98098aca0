#include "favorites/FavoriteItemDelegate.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoriteSweepList.h"
#include "favorites/FavoritesConstants.h"
#include "favorites/PlayListDelegate.h"
#include "favorites/PlayListSweepList.h"

#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/constants/Paths.h"
#include "shell/PageHistory.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStyleOptionViewItem>
#include <QTest>

#include <memory>

using FavoritesGeometry::FAVORITE_PAGE_ROWS;

// The favourites page with 10,000 favourites in 200 playlists of 50:
// refreshing both lists (one frame is 16 ms), and painting a screenful of playlist
// and favourite rows (budget 2 ms). Thumbnail files are left out of the database, so
// the refill measures the database and the models, not PNG decoding.
class BenchFavorites : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void refreshListsWithAPlayListSelected();
    void refreshListsWithAllFavoritesSelected();
    void refreshListsScrolledDownAllFavorites();
    void readTheNextPageWhileScrolling();
    void readAllFavoritesFromTheDatabase();
    void paintPlayListRows();
    void paintFavoriteRows();

private:
    void fillDatabase();
    // Paints every row that the view shows into an image of the view's size.
    template <typename View> void paintScreenful(View* view);

    TestEnvironment myEnvironment;
    std::unique_ptr<Repository> myRepository;
    PageHistory myHistory;
    std::unique_ptr<RecordingVideoService> myService;
    std::unique_ptr<QWidget> myWindow;
    FavoriteResultController* myController = nullptr;
    int myFirstPlayList = 0;
};

void BenchFavorites::fillDatabase()
{
    // One transaction on a second connection: 10,000 videos, all of them stored
    // favourites, and 200 local playlists of 50 entries each.
    const QString name = QStringLiteral("bench_fill");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(DATABASE_DRIVER, name);
        db.setDatabaseName(myRepository->databaseFileName());
        QVERIFY(db.open());
        QVERIFY(db.transaction());
        QSqlQuery query(db);
        QVERIFY(query.prepare(QStringLiteral("insert into playlist (vs_id, type, name, latest_usage_date) values (0, 4, ?, ?)")));
        for (int p = 0; p < 200; ++p) {
            query.addBindValue(QStringLiteral("Playlist %1").arg(p + 1));
            query.addBindValue(1000 + p);
            QVERIFY(query.exec());
            if (p == 0)
                myFirstPlayList = query.lastInsertId().toInt();
        }
        QSqlQuery video(db);
        QVERIFY(video.prepare(QStringLiteral("insert into video_entry (vs_id, video_id, name, author, length, rating,"
                                             " video_file_size) values (0, ?, ?, ?, ?, ?, ?)")));
        QSqlQuery favorite(db);
        QVERIFY(favorite.prepare(QStringLiteral("insert into favorite (playlist_id, video_entry_id, sort_id,"
                                                " download_state, video_link) values (?, ?, ?, 1, 0)")));
        for (int v = 0; v < 10000; ++v) {
            video.addBindValue(QStringLiteral("video%1").arg(v, 5, 10, QLatin1Char('0')));
            video.addBindValue(QStringLiteral("A favourite video number %1 with a title of some length").arg(v));
            video.addBindValue(QStringLiteral("uploader%1").arg(v % 300));
            video.addBindValue(60.0 + v % 900);
            video.addBindValue(QString::number(1 + v % 5));
            video.addBindValue(1048576 + v * 1000);
            QVERIFY(video.exec());
            const int videoRow = video.lastInsertId().toInt();
            favorite.addBindValue(int(ePlayListIdAllFavorites));
            favorite.addBindValue(videoRow);
            favorite.addBindValue(v + 1);
            QVERIFY(favorite.exec());
            favorite.addBindValue(myFirstPlayList + v / 50);
            favorite.addBindValue(videoRow);
            favorite.addBindValue(v % 50 + 1);
            QVERIFY(favorite.exec());
        }
        QVERIFY(db.commit());
    }
    QSqlDatabase::removeDatabase(name);
}

void BenchFavorites::initTestCase()
{
    myRepository = std::make_unique<Repository>();
    QCOMPARE(myRepository->openDatabase(), 0);
    fillDatabase();
    myService = std::make_unique<RecordingVideoService>();
    myWindow = std::make_unique<QWidget>();
    myWindow->resize(800, 480);
    myController = new FavoriteResultController(myService.get(), *myRepository, myHistory, myWindow.get());
    myController->getPage()->setGeometry(0, 0, 800, 480);
    myController->getPage()->getPlayListModel()->setVsFolderCollapsed(eLocalService, false);
    myWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(myWindow.get()));
    myController->restoreHistoryPosition(nullptr);
    QCOMPARE(myController->getPage()->getPlayListModel()->rowCount(), 203);
}

void BenchFavorites::cleanupTestCase()
{
    delete myController;
    myController = nullptr;
}

void BenchFavorites::refreshListsWithAPlayListSelected()
{
    FavoriteResultPage* page = myController->getPage();
    page->selectPlayListById(myFirstPlayList + 120);
    QCOMPARE(page->getFavoriteModel()->rowCount(), 50);
    QBENCHMARK {
        myController->refreshLists();
    }
    QCOMPARE(page->getPlayListModel()->rowCount(), 203);
    QCOMPARE(page->getFavoriteModel()->rowCount(), 50);
    QCOMPARE(page->getSelectedPlayList()->getId(), myFirstPlayList + 120);
}

// The page opens with "All local favorites": its 10,000 rows are read a page at a
// time, so the refill reads the first page only.
void BenchFavorites::refreshListsWithAllFavoritesSelected()
{
    FavoriteResultPage* page = myController->getPage();
    page->selectPlayListById(ePlayListIdAllFavorites);
    QCOMPARE(page->getFavoriteModel()->rowCount(), FAVORITE_PAGE_ROWS);
    QBENCHMARK {
        myController->refreshLists();
    }
    QCOMPARE(page->getFavoriteModel()->rowCount(), FAVORITE_PAGE_ROWS);
    QVERIFY(page->getFavoriteModel()->canFetchMore());
}

// Scrolled down a thousand rows, the refill reads as far as the position.
void BenchFavorites::refreshListsScrolledDownAllFavorites()
{
    FavoriteResultPage* page = myController->getPage();
    FavoriteSweepList* view = page->getFavoriteView();
    page->selectPlayListById(ePlayListIdAllFavorites);
    const int rowHeight = view->sizeHintForRow(0);
    QVERIFY(page->getFavoriteModel()->fetchUntil(1000 + FAVORITE_PAGE_ROWS));
    view->doItemsLayout();
    view->verticalScrollBar()->setValue(1000 * rowHeight);
    QBENCHMARK {
        myController->refreshLists();
    }
    QCOMPARE(view->verticalScrollBar()->value(), 1000 * rowHeight);
    QVERIFY(page->getFavoriteModel()->rowCount() > 1000);
    QVERIFY(page->getFavoriteModel()->rowCount() < 1000 + 2 * FAVORITE_PAGE_ROWS);
}

// Scrolling on towards the end of the rows read: the next page and the list's new
// layout, anywhere in the 10,000 rows.
void BenchFavorites::readTheNextPageWhileScrolling()
{
    FavoriteResultPage* page = myController->getPage();
    FavoriteSweepList* view = page->getFavoriteView();
    VideoListModel* model = page->getFavoriteModel();
    page->selectPlayListById(ePlayListIdAllFavorites);
    QBENCHMARK {
        if (!model->canFetchMore()) {
            // Every row read: start again from the top (one refill in a hundred pages).
            view->setToBeginning();
            myController->refreshLists();
        }
        QScrollBar* bar = view->verticalScrollBar();
        view->doItemsLayout();
        bar->setValue(bar->maximum());
        view->doItemsLayout();
    }
    QVERIFY(model->rowCount() > FAVORITE_PAGE_ROWS);
}

// The database's share of the refill above: the same 10,000 entries into a model
// that no view shows.
void BenchFavorites::readAllFavoritesFromTheDatabase()
{
    VideoListModel model(myRepository.get());
    QBENCHMARK {
        model.clear();
        myRepository->getPlayListEntries(ePlayListIdAllFavorites, &model);
    }
    QCOMPARE(model.rowCount(), 10000);
}

template <typename View> void BenchFavorites::paintScreenful(View* view)
{
    QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QAbstractItemModel* model = view->model();
    QAbstractItemDelegate* delegate = view->itemDelegate();
    QList<QModelIndex> visible;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (view->visualRect(index).intersects(view->viewport()->rect()))
            visible << index;
    }
    QVERIFY(visible.count() >= 3);
    QBENCHMARK {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        for (const QModelIndex& index : std::as_const(visible)) {
            QStyleOptionViewItem option;
            option.rect = view->visualRect(index);
            delegate->paint(&painter, option, index);
        }
    }
}

void BenchFavorites::paintPlayListRows()
{
    FavoriteResultPage* page = myController->getPage();
    page->selectPlayListById(myFirstPlayList + 1);
    page->getPlayListView()->scrollTo(page->getPlayListModel()->getPlayListIndex(myFirstPlayList + 1));
    paintScreenful(page->getPlayListView());
}

void BenchFavorites::paintFavoriteRows()
{
    FavoriteResultPage* page = myController->getPage();
    page->selectPlayListById(myFirstPlayList + 5);
    // Rows as the page shows them, with thumbnails.
    QImage thumbnail(128, 96, QImage::Format_RGB32);
    thumbnail.fill(QColor(60, 90, 150));
    for (VideoEntry* entry : page->getFavoriteModel()->entries())
        entry->setThumbnail(thumbnail);
    paintScreenful(page->getFavoriteView());
}

QTEST_MAIN(BenchFavorites)
#include "bench_favorites.moc"
