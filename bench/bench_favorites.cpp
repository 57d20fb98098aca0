#include "bench/BenchCollection.h"
#include "bench/BenchSupport.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "core/repository/RepositoryRows.h"
#include "favorites/FavoriteResultController.h"
#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoriteSweepList.h"
#include "favorites/FavoritesConstants.h"
#include "favorites/PlayListSweepList.h"
#include "shell/PageHistory.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QListView>
#include <QPixmap>
#include <QScrollBar>
#include <QSet>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QTest>

#include <memory>

using FavoritesGeometry::FAVORITE_PAGE_ROWS;

// The favourites page with 10,000 favourites in 200 playlists and with 100,000 in
// 1,000: refreshing both lists (one frame is 16 ms), reading the next page while the
// list is scrolled, reading a whole playlist, and painting a screenful of playlist and
// favourite rows (budget 2 ms). Each figure is timed in pairs with its baseline,
// alternating which goes first: the same SQLite file queried directly for the same
// rows (the database's share), and for painting a plain QListView over Qt's item
// model with the same texts and thumbnails. It prints min / median / max of both and
// of their ratio, and how the medians grow from the small collection to the large
// one; every result is checked. Thumbnail files are left out of the database, so the
// refill measures the database and the models, not PNG decoding.
class BenchFavorites : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void refreshLists_data();
    void refreshLists();
    void readTheNextPageWhileScrolling_data() { sizes(); }
    void readTheNextPageWhileScrolling();
    void readAWholePlayList_data() { sizes(); }
    void readAWholePlayList();
    void paintRows_data();
    void paintRows();

private:
    // One collection with the page on it.
    struct Collection : StoredCollection
    {
        std::unique_ptr<RecordingVideoService> service;
        PageHistory history;
        std::unique_ptr<QWidget> window;
        FavoriteResultController* controller = nullptr;
        FavoriteResultPage* page() const { return controller->getPage(); }
    };

    static void sizes();
    void fill(Collection& c, int favorites, int playLists);
    Collection& collection(int favorites) { return favorites == mySmall.favorites ? mySmall : myLarge; }
    void figure(const QString& name, int size, const std::function<void()>& ours, const std::function<void()>& bare,
                double goalMs = 0);

    TestEnvironment myEnvironment;
    Collection mySmall;
    Collection myLarge;
    GrowthTable myGrowth{"favourites"};
};

namespace {

constexpr int PAIRS = 25;

const QString PLAYLIST_TREE = QStringLiteral(
    "select vs_id, id, type, name, provider_id, description, provider_updated_date, is_private, entry_count,"
    " download_count from playlist order by vs_id, type, latest_usage_date desc, id desc");

} // namespace

void BenchFavorites::sizes()
{
    QTest::addColumn<int>("favorites");
    QTest::newRow("10,000 favourites") << 10000;
    QTest::newRow("100,000 favourites") << 100000;
}

void BenchFavorites::fill(Collection& c, int favorites, int playLists)
{
    QVERIFY(c.fill(favorites, playLists));
    c.service = std::make_unique<RecordingVideoService>();
    c.window = std::make_unique<QWidget>();
    c.window->resize(800, 480);
    c.controller = new FavoriteResultController(c.service.get(), *c.repository, c.history, c.window.get());
    c.page()->setGeometry(0, 0, 800, 480);
    c.page()->getPlayListModel()->setVsFolderCollapsed(eLocalService, false);
    c.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(c.window.get()));
    c.controller->restoreHistoryPosition(nullptr);
    QCOMPARE(c.page()->getPlayListModel()->rowCount(), playLists + 3);
}

void BenchFavorites::initTestCase()
{
    fill(mySmall, 10000, 200);
    fill(myLarge, 100000, 1000);
}

void BenchFavorites::cleanupTestCase()
{
    myGrowth.print();
    for (Collection* c : {&mySmall, &myLarge}) {
        delete c->controller;
        c->controller = nullptr;
    }
}

void BenchFavorites::figure(const QString& name, int size, const std::function<void()>& ours,
                            const std::function<void()>& bare, double goalMs)
{
    const PairedFigures figures = timeInPairs(PAIRS, ours, bare);
    const QString line = QStringLiteral("%1, %L2").arg(name).arg(size);
    figures.print(qPrintable(line), "ms");
    if (goalMs > 0)
        std::printf("goal %.0f ms (median): %s\n", goalMs, figures.oursSpread().median < goalMs ? "met" : "MISSED");
    myGrowth.add(name + QStringLiteral(", ms"), size, figures.oursSpread().median);
}

void BenchFavorites::refreshLists_data()
{
    QTest::addColumn<int>("favorites");
    QTest::addColumn<QString>("shown"); // "playlist", "all" or "scrolled"
    for (int favorites : {10000, 100000}) {
        const QString size = QStringLiteral("%1 favourites").arg(favorites);
        QTest::newRow(qPrintable(size + QStringLiteral(", a playlist"))) << favorites << "playlist";
        QTest::newRow(qPrintable(size + QStringLiteral(", all favourites"))) << favorites << "all";
        QTest::newRow(qPrintable(size + QStringLiteral(", 1,000 rows down"))) << favorites << "scrolled";
    }
}

// Both lists refilled from the database with what is selected: a user playlist
// (read whole), "All local favorites" (its first page), or "All local favorites"
// scrolled down a thousand rows (as far as the position). The bare side reads the
// playlist tree and the same rows.
void BenchFavorites::refreshLists()
{
    QFETCH(int, favorites);
    QFETCH(QString, shown);
    Collection& c = collection(favorites);
    FavoriteResultPage* page = c.page();
    FavoriteSweepList* view = page->getFavoriteView();
    const int playList = c.playLists.at(c.playLists.size() / 2);
    const int perList = favorites / c.playLists.size();
    page->selectPlayListById(shown == QLatin1String("playlist") ? playList : int(ePlayListIdAllFavorites));
    int rowsBefore = 0;
    if (shown == QLatin1String("scrolled")) {
        QVERIFY(page->getFavoriteModel()->fetchUntil(1000 + FAVORITE_PAGE_ROWS));
        view->doItemsLayout();
        view->verticalScrollBar()->setValue(1000 * view->sizeHintForRow(0));
        rowsBefore = 1000;
    }
    const int scroll = view->verticalScrollBar()->value();
    // What a refill reads: the playlist, the first page, or as far as the position.
    c.controller->refreshLists();
    const int refilled = page->getFavoriteModel()->rowCount();
    if (shown == QLatin1String("playlist"))
        QCOMPARE(refilled, perList);
    else
        QVERIFY2(refilled >= qMax(rowsBefore, FAVORITE_PAGE_ROWS) && refilled <= rowsBefore + FAVORITE_PAGE_ROWS,
                 qPrintable(QString::number(refilled)));
    int bare = 0;
    figure(QStringLiteral("refresh, ") + shown, favorites, [&] { c.controller->refreshLists(); },
           [&] {
               bare = bareRows(c.bareDb(), PLAYLIST_TREE);
               bare += shown == QLatin1String("playlist")
                   ? bareRows(c.bareDb(),
                              ENTRY_SELECT + QStringLiteral("where f.playlist_id = ? order by f.sort_id desc, f.id desc"),
                              {playList})
                   : bareRows(c.bareDb(),
                              ENTRY_SELECT
                                  + QStringLiteral("where f.playlist_id = 1 order by f.sort_id desc, f.id desc limit ?"),
                              {refilled});
           },
           16.0);
    QCOMPARE(page->getPlayListModel()->rowCount(), c.playLists.size() + 3);
    QCOMPARE(bare, c.playLists.size() + 3 + refilled);
    QCOMPARE(view->verticalScrollBar()->value(), scroll);
    QCOMPARE(page->getFavoriteModel()->rowCount(), refilled);
}

// Scrolling on towards the end of the rows read: the next page and the list's new
// layout, anywhere in "All local favorites"; the bare side reads the page after the
// same cursor.
void BenchFavorites::readTheNextPageWhileScrolling()
{
    QFETCH(int, favorites);
    Collection& c = collection(favorites);
    FavoriteResultPage* page = c.page();
    FavoriteSweepList* view = page->getFavoriteView();
    VideoListModel* model = page->getFavoriteModel();
    page->selectPlayListById(ePlayListIdAllFavorites);
    int bareRead = 0;
    int read = 0;
    figure(QStringLiteral("next page while scrolling"), favorites,
           [&] {
               if (!model->canFetchMore()) {
                   view->setToBeginning();
                   c.controller->refreshLists();
               }
               const int before = model->rowCount();
               QScrollBar* bar = view->verticalScrollBar();
               view->doItemsLayout();
               bar->setValue(bar->maximum());
               view->doItemsLayout();
               read = model->rowCount() - before;
           },
           [&] {
               const VideoEntry* last = model->entryAt(model->rowCount() - 1);
               bareRead = bareRows(c.bareDb(),
                                   ENTRY_SELECT
                                       + QStringLiteral("where f.playlist_id = 1 and f.sort_id < ?"
                                                        " order by f.sort_id desc, f.id desc limit ?"),
                                   {last->getSortId(), FAVORITE_PAGE_ROWS});
           });
    QCOMPARE(read, FAVORITE_PAGE_ROWS);
    QCOMPARE(bareRead, FAVORITE_PAGE_ROWS);
}

// The largest user playlist's entries into a model that no view shows, against the
// bare query of the same rows.
void BenchFavorites::readAWholePlayList()
{
    QFETCH(int, favorites);
    Collection& c = collection(favorites);
    const int playList = c.playLists.first();
    VideoListModel model(c.repository.get());
    int bare = 0;
    figure(QStringLiteral("a whole playlist read"), favorites,
           [&] {
               model.clear();
               c.repository->getPlayListEntries(playList, &model);
           },
           [&] {
               bare = bareRows(c.bareDb(),
                               ENTRY_SELECT + QStringLiteral("where f.playlist_id = ? order by f.sort_id desc, f.id desc"),
                               {playList});
           });
    QCOMPARE(model.rowCount(), favorites / c.playLists.size());
    QCOMPARE(bare, favorites / c.playLists.size());
}

void BenchFavorites::paintRows_data()
{
    QTest::addColumn<int>("favorites");
    QTest::addColumn<bool>("playLists"); // the playlist list, else the favourites
    for (int favorites : {10000, 100000}) {
        const QString size = QStringLiteral("%1 favourites").arg(favorites);
        QTest::newRow(qPrintable(size + QStringLiteral(", playlist rows"))) << favorites << true;
        QTest::newRow(qPrintable(size + QStringLiteral(", favourite rows"))) << favorites << false;
    }
}

// A screenful of the list rendered into an image of its viewport, against a plain
// list of as many rows of the same height with the same texts (and thumbnails).
void BenchFavorites::paintRows()
{
    QFETCH(int, favorites);
    QFETCH(bool, playLists);
    Collection& c = collection(favorites);
    FavoriteResultPage* page = c.page();
    page->selectPlayListById(c.playLists.at(5));
    QAbstractItemView* view = playLists ? static_cast<QAbstractItemView*>(page->getPlayListView())
                                        : static_cast<QAbstractItemView*>(page->getFavoriteView());
    QImage thumbnail(128, 96, QImage::Format_RGB32);
    thumbnail.fill(QColor(60, 90, 150));
    if (playLists) {
        view->scrollTo(page->getPlayListModel()->getPlayListIndex(c.playLists.at(5)));
    } else {
        for (VideoEntry* entry : page->getFavoriteModel()->entries())
            entry->setThumbnail(thumbnail);
    }
    view->doItemsLayout();
    QStandardItemModel plainModel;
    const int rowHeight = view->sizeHintForRow(0);
    const int rows = view->viewport()->height() / rowHeight + 2;
    for (int row = 0; row < rows; ++row) {
        auto* item = new QStandardItem(view->model()->index(row, 0).isValid()
                                           ? QStringLiteral("Row %1 with a text as long as a title").arg(row)
                                           : QString());
        if (!playLists)
            item->setData(QPixmap::fromImage(thumbnail), Qt::DecorationRole);
        item->setSizeHint(QSize(view->viewport()->width(), rowHeight));
        plainModel.appendRow(item);
    }
    QListView plain(c.window.get());
    plain.setModel(&plainModel);
    plain.setUniformItemSizes(true);
    plain.setIconSize(thumbnail.size());
    plain.setGeometry(view->geometry());
    plain.show();
    plain.lower();
    QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QImage plainImage(plain.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    figure(playLists ? QStringLiteral("a screenful of playlist rows") : QStringLiteral("a screenful of favourite rows"),
           favorites, [&] { view->viewport()->render(&image); }, [&] { plain.viewport()->render(&plainImage); }, 2.0);
    // The rows were drawn: texts and lines give the picture many colours.
    QSet<QRgb> colors;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            colors.insert(image.pixel(x, y));
    QVERIFY2(colors.size() > 8, qPrintable(QString::number(colors.size())));
}

QTEST_MAIN(BenchFavorites)
#include "bench_favorites.moc"
