#include "tests/favorites/FavoritesFixture.h"

#include "core/constants/Paths.h"
#include "favorites/FavoritesConstants.h"
#include "favorites/FavoritesTexts.h"
#include "favorites/HistoryItemFavorites.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using FavoritesGeometry::FAVORITE_PAGE_ROWS;

namespace {
// Longer than two pages, so that the second page is full and a third one follows.
const int LONG_LIST = 2 * FAVORITE_PAGE_ROWS + FAVORITE_PAGE_ROWS / 2;
} // namespace

// The favourite list of a long playlist is read a page at a time: selecting reads the
// first page, scrolling towards the end reads the next, and whatever needs the rows or
// the length of the whole playlist (restoring a position, a refill, a reorder, the drop
// line, the remove question) behaves as with every row read.
class TestFavoriteListPaging : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void selectingReadsTheFirstPage_data();
    void selectingReadsTheFirstPage();
    void fingerDragToTheEndReadsTheNextPage();
    void flickTowardsTheEndReadsTheNextPage();
    void downloadQueueIsReadInPages();

    void reorderOntoARowOfALaterPage();
    void dropLineBelowTheLastRowRead();
    void historyRestoresAPositionBeyondTheFirstPage_data();
    void historyRestoresAPositionBeyondTheFirstPage();
    void refreshKeepsAPositionBeyondTheFirstPage();
    void removeQuestionFindsAnEntryMovedBeyondTheRowsRead();

private:
    // Adds count videos "<prefix>0".. to the database in one transaction, each a
    // favourite (a link, or a queued stored copy) and, with a playlist id, an entry of
    // that playlist; the last added is shown first.
    void addFavorites(const QString& prefix, int count, int playListId, bool queued = false);
    QStringList shownVideoIds() const { return videoIds(*w->page->getFavoriteModel()); }
    QStringList databaseOrder(int playListId) { return playListVideoIds(w->repository, playListId); }
    void scrollToEnd();

    FavoritesWorld* w = nullptr;
    int myLong = 0;
    int myShort = 0;
    int myFull = 0;
};

void TestFavoriteListPaging::addFavorites(const QString& prefix, int count, int playListId, bool queued)
{
    const QString name = QStringLiteral("paging_fill");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(DATABASE_DRIVER, name);
        db.setDatabaseName(w->repository.databaseFileName());
        QVERIFY(db.open());
        QVERIFY(db.transaction());
        QSqlQuery video(db);
        QVERIFY(video.prepare(QStringLiteral("insert into video_entry (vs_id, video_id, name, author, length)"
                                             " values (0, ?, ?, ?, 90)")));
        QSqlQuery favorite(db);
        QVERIFY(favorite.prepare(QStringLiteral("insert into favorite (playlist_id, video_entry_id, sort_id,"
                                                " download_state, video_link)"
                                                " values (?, ?, (select coalesce(max(sort_id), 0) + 1 from favorite"
                                                " where playlist_id = ?), 0, ?)")));
        for (int i = 0; i < count; ++i) {
            const QString videoId = prefix + QString::number(i);
            video.addBindValue(videoId);
            video.addBindValue(QStringLiteral("Video ") + videoId);
            video.addBindValue(QStringLiteral("author_") + videoId);
            QVERIFY(video.exec());
            const int videoRow = video.lastInsertId().toInt();
            QList<int> playLists{int(ePlayListIdAllFavorites)};
            if (playListId > 0)
                playLists << playListId;
            for (int list : playLists) {
                favorite.addBindValue(list);
                favorite.addBindValue(videoRow);
                favorite.addBindValue(list);
                favorite.addBindValue(queued ? 0 : 1);
                QVERIFY(favorite.exec());
            }
        }
        QVERIFY(db.commit());
    }
    QSqlDatabase::removeDatabase(name);
}

void TestFavoriteListPaging::scrollToEnd()
{
    FavoriteSweepList* view = w->page->getFavoriteView();
    view->doItemsLayout();
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    view->doItemsLayout();
}

void TestFavoriteListPaging::init()
{
    w = new FavoritesWorld(FavoritesWorld::LocalCommands);
    myLong = w->addPlayList(eLocalService, ePlayListLocal, "Long");
    addFavorites(QStringLiteral("v"), LONG_LIST, myLong);
    myShort = w->addPlayList(eLocalService, ePlayListLocal, "Short");
    addFavorites(QStringLiteral("s"), FAVORITE_PAGE_ROWS - 1, myShort);
    myFull = w->addPlayList(eLocalService, ePlayListLocal, "Full");
    addFavorites(QStringLiteral("f"), FAVORITE_PAGE_ROWS, myFull);
    w->show();
    QVERIFY(w->playList(myLong));
}

void TestFavoriteListPaging::cleanup()
{
    delete w;
    w = nullptr;
}

void TestFavoriteListPaging::selectingReadsTheFirstPage_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("more");
    QTest::addColumn<QString>("first");
    QTest::newRow("long playlist") << "Long" << FAVORITE_PAGE_ROWS << true << QString("v%1").arg(LONG_LIST - 1);
    QTest::newRow("shorter than a page") << "Short" << FAVORITE_PAGE_ROWS - 1 << false
                                         << QString("s%1").arg(FAVORITE_PAGE_ROWS - 2);
    // A full first page may have more behind it; the read that finds none ends it.
    QTest::newRow("exactly a page") << "Full" << FAVORITE_PAGE_ROWS << true << QString("f%1").arg(FAVORITE_PAGE_ROWS - 1);
    QTest::newRow("all local favorites") << "All" << FAVORITE_PAGE_ROWS << true
                                         << QString("f%1").arg(FAVORITE_PAGE_ROWS - 1);
}

void TestFavoriteListPaging::selectingReadsTheFirstPage()
{
    QFETCH(QString, list);
    QFETCH(int, rows);
    QFETCH(bool, more);
    QFETCH(QString, first);
    const QHash<QString, int> ids{{"Long", myLong}, {"Short", myShort}, {"Full", myFull}, {"All", 1}};
    w->select(ids.value(list));
    VideoListModel* model = w->page->getFavoriteModel();
    QCOMPARE(model->rowCount(), rows);
    QCOMPARE(model->canFetchMore(), more);
    QCOMPARE(w->page->getFavoriteDelegate()->getDelegateMode(), int(FavoriteItemDelegate::eFavoriteMode));
    QCOMPARE(w->entry(0)->getVideoId(), first);
    QCOMPARE(shownVideoIds(), databaseOrder(ids.value(list)).mid(0, rows));

    scrollToEnd();
    QCOMPARE(model->rowCount(), qMin(w->playList(ids.value(list))->getCount(), 2 * FAVORITE_PAGE_ROWS));
    QVERIFY(!model->canFetchMore() || model->rowCount() == 2 * FAVORITE_PAGE_ROWS);
}

void TestFavoriteListPaging::fingerDragToTheEndReadsTheNextPage()
{
    w->select(myLong);
    FavoriteSweepList* view = w->page->getFavoriteView();
    VideoListModel* model = w->page->getFavoriteModel();
    QScrollBar* bar = view->verticalScrollBar();
    view->doItemsLayout();
    const int end = bar->maximum();
    const int height = view->viewport()->height();
    bar->setValue(end - 3 * height);
    QCOMPARE(model->rowCount(), FAVORITE_PAGE_ROWS);

    // The finger moves the list up by two screenfuls, and on past the old end.
    const QPoint press(view->viewport()->width() * 2 / 3, height - 10);
    Touch::press(view, press);
    Touch::move(view, press - QPoint(0, 2 * height + 30));
    QCOMPARE(model->rowCount(), 2 * FAVORITE_PAGE_ROWS);
    QCOMPARE(w->entry(FAVORITE_PAGE_ROWS)->getVideoId(), QString("v%1").arg(LONG_LIST - 1 - FAVORITE_PAGE_ROWS));
    view->doItemsLayout();
    Touch::move(view, press - QPoint(0, 4 * height));
    QVERIFY(bar->value() > end);
    Touch::release(view, press - QPoint(0, 4 * height));
    QCOMPARE(shownVideoIds(), databaseOrder(myLong).mid(0, 2 * FAVORITE_PAGE_ROWS));
}

void TestFavoriteListPaging::flickTowardsTheEndReadsTheNextPage()
{
    // A flick comes to rest on a row boundary, short of the very end of the scroll
    // range; the next page is read all the same.
    w->select(myLong);
    FavoriteSweepList* view = w->page->getFavoriteView();
    VideoListModel* model = w->page->getFavoriteModel();
    QScrollBar* bar = view->verticalScrollBar();
    view->doItemsLayout();
    const int rowHeight = view->sizeHintForRow(0);
    QVERIFY(bar->maximum() % rowHeight != 0);
    bar->setValue((bar->maximum() / rowHeight - 6) * rowHeight);
    QCOMPARE(model->rowCount(), FAVORITE_PAGE_ROWS);

    const QPoint press(view->viewport()->width() * 2 / 3, view->viewport()->height() - 10);
    Touch::press(view, press);
    Touch::move(view, press - QPoint(0, 150));
    Touch::release(view, press - QPoint(0, 150));
    QVERIFY(view->isKineticScrolling());
    QTRY_VERIFY(!view->isKineticScrolling());
    QCOMPARE(model->rowCount(), 2 * FAVORITE_PAGE_ROWS);
    QCOMPARE(bar->value() % rowHeight, 0);
}

void TestFavoriteListPaging::downloadQueueIsReadInPages()
{
    addFavorites(QStringLiteral("q"), LONG_LIST, 0, true);
    w->controller->refreshLists();
    w->select(ePlayListIdDownloadQueue);
    VideoListModel* model = w->page->getFavoriteModel();
    QCOMPARE(w->page->getFavoriteDelegate()->getDelegateMode(), int(FavoriteItemDelegate::eDownloadMode));
    QCOMPARE(model->rowCount(), FAVORITE_PAGE_ROWS);
    QCOMPARE(w->entry(0)->getVideoId(), QString("q%1").arg(LONG_LIST - 1));

    scrollToEnd();
    scrollToEnd();
    scrollToEnd();
    QCOMPARE(model->rowCount(), LONG_LIST);
    QVERIFY(!model->canFetchMore());
    QCOMPARE(shownVideoIds(), databaseOrder(ePlayListIdDownloadQueue));

    // The entry being fetched is recognised on a later page too.
    VideoEntry* late = w->entry(LONG_LIST - 1);
    QVERIFY(!w->page->isDownloading(late));
    w->page->setDownloadProgress(12.0, late->getVideoId());
    QVERIFY(w->page->isDownloading(late));
}

void TestFavoriteListPaging::reorderOntoARowOfALaterPage()
{
    w->select(myLong);
    scrollToEnd();
    VideoListModel* model = w->page->getFavoriteModel();
    QCOMPARE(model->rowCount(), 2 * FAVORITE_PAGE_ROWS);
    const int draggedRow = FAVORITE_PAGE_ROWS + 20;
    const int targetRow = FAVORITE_PAGE_ROWS + 60;
    VideoEntry* dragged = w->entry(draggedRow);
    VideoEntry* target = w->entry(targetRow);
    const QString draggedId = dragged->getVideoId();
    const int targetSortId = target->getSortId();
    QStringList expected = databaseOrder(myLong);
    expected.removeOne(draggedId);
    expected.insert(expected.indexOf(target->getVideoId()), draggedId);

    w->page->setDragDropFavorite(dragged);
    const QPoint onto = w->favoritePoint(targetRow, 0.25);
    QVERIFY(w->dragMove(onto, MIME_TYPE_FAVORITE));
    int flag = -1;
    QCOMPARE(w->dropIndicator(&flag), target);
    QCOMPARE(flag, 0);
    QVERIFY(model->rowCount() < LONG_LIST);

    // The row count handed on is the playlist's, as with every row read.
    QSignalSpy order(w->page, &FavoriteResultPage::vsUpdatePlayListOrder);
    QVERIFY(w->drop(onto, MIME_TYPE_FAVORITE));
    QCOMPARE(order.count(), 1);
    QCOMPARE(order.first().at(2).toInt(), targetSortId);
    QVERIFY(!order.first().at(3).toBool());
    QCOMPARE(order.first().at(4).toInt(), LONG_LIST - targetSortId);
    QCOMPARE(w->service.commands.count(), 1);
    QCOMPARE(w->service.commands.first().rowCount, LONG_LIST - targetSortId);

    // Stored, and the refilled list shows the new order where the user was.
    QCOMPARE(databaseOrder(myLong), expected);
    QVERIFY(model->rowCount() > targetRow);
    QCOMPARE(shownVideoIds(), expected.mid(0, model->rowCount()));
    QCOMPARE(w->entry(targetRow - 1)->getVideoId(), draggedId);
}

void TestFavoriteListPaging::dropLineBelowTheLastRowRead()
{
    // The lower half of the last row read is not the end of the playlist: the line
    // goes below the row only at the playlist's real last row.
    w->select(myLong);
    FavoriteSweepList* view = w->page->getFavoriteView();
    VideoListModel* model = w->page->getFavoriteModel();
    view->doItemsLayout();
    // Scrolled without the list noticing, as before its next layout.
    view->verticalScrollBar()->blockSignals(true);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    view->verticalScrollBar()->blockSignals(false);
    QCOMPARE(model->rowCount(), FAVORITE_PAGE_ROWS);
    const QModelIndex last = model->index(FAVORITE_PAGE_ROWS - 1, 0);
    const QRect rect = view->visualRect(last);
    const QPoint lowerHalf = view->viewport()->mapTo(w->page, QPoint(rect.center().x(), rect.bottom() - 5));
    w->page->setDragDropFavorite(w->entry(0));
    QVERIFY(w->dragMove(lowerHalf, MIME_TYPE_FAVORITE));
    int flag = -1;
    QCOMPARE(w->dropIndicator(&flag), w->entry(FAVORITE_PAGE_ROWS - 1));
    QCOMPARE(flag, 0);
    QVERIFY(model->rowCount() > FAVORITE_PAGE_ROWS);

    QVERIFY(model->fetchUntil(LONG_LIST - 1));
    QVERIFY(!model->canFetchMore());
    QVERIFY(w->dragMove(w->favoritePoint(LONG_LIST - 1, 0.8), MIME_TYPE_FAVORITE));
    QCOMPARE(w->dropIndicator(&flag), w->entry(LONG_LIST - 1));
    QCOMPARE(flag, 1);
}

void TestFavoriteListPaging::historyRestoresAPositionBeyondTheFirstPage_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("topRow"); // the row at the top of the saved scroll position
    QTest::addColumn<int>("currentRow"); // -1: none
    QTest::newRow("on the second page") << FAVORITE_PAGE_ROWS + 30 << FAVORITE_PAGE_ROWS + 28
                                        << FAVORITE_PAGE_ROWS + 30;
    QTest::newRow("on the last page") << LONG_LIST - 1 << LONG_LIST - 3 << LONG_LIST - 1;
    QTest::newRow("current row below the top of the list") << FAVORITE_PAGE_ROWS + 30 << 0 << FAVORITE_PAGE_ROWS + 30;
    QTest::newRow("scrolled far, no current row") << -1 << 2 * FAVORITE_PAGE_ROWS + 10 << -1;
    // The playlist has become shorter than the saved position.
    QTest::newRow("beyond the end") << LONG_LIST + 5 << LONG_LIST + 2 << -1;
}

void TestFavoriteListPaging::historyRestoresAPositionBeyondTheFirstPage()
{
    QFETCH(int, row);
    QFETCH(int, topRow);
    QFETCH(int, currentRow);
    w->select(myLong);
    FavoriteSweepList* view = w->page->getFavoriteView();
    const int rowHeight = view->sizeHintForRow(0);
    const int scroll = topRow * rowHeight;
    HistoryItemFavorites item(myLong, row, scroll, 0);

    w->select(myShort);
    w->controller->restoreHistoryPosition(&item);
    QCOMPARE(w->page->getShownPlayListId(), myLong);
    QCOMPARE(view->currentIndex().row(), currentRow);
    if (currentRow >= 0)
        QCOMPARE(w->entry(currentRow)->getVideoId(), QString("v%1").arg(LONG_LIST - 1 - currentRow));
    if (topRow + 4 < LONG_LIST)
        QCOMPARE(view->verticalScrollBar()->value(), scroll);
    else
        QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
    QCOMPARE(shownVideoIds(), databaseOrder(myLong).mid(0, w->page->getFavoriteModel()->rowCount()));
}

void TestFavoriteListPaging::refreshKeepsAPositionBeyondTheFirstPage()
{
    w->select(myLong);
    FavoriteSweepList* view = w->page->getFavoriteView();
    scrollToEnd();
    const int row = FAVORITE_PAGE_ROWS + 50;
    view->scrollTo(w->page->getFavoriteModel()->index(row, 0));
    view->setCurrentIndex(w->page->getFavoriteModel()->index(row, 0));
    const int scroll = view->verticalScrollBar()->value();
    const QString videoId = w->entry(row)->getVideoId();
    QVERIFY(scroll > FAVORITE_PAGE_ROWS * view->sizeHintForRow(0));

    w->controller->refreshLists();
    QCOMPARE(view->currentIndex().row(), row);
    QCOMPARE(w->entry(row)->getVideoId(), videoId);
    QCOMPARE(view->verticalScrollBar()->value(), scroll);
}

void TestFavoriteListPaging::removeQuestionFindsAnEntryMovedBeyondTheRowsRead()
{
    // While the question is open, new favourites arrive on top and the list is read
    // again from its top: the entry asked about is further down than the rows read.
    w->select(ePlayListIdAllFavorites);
    VideoEntry* asked = w->entry(10);
    const QString videoId = asked->getVideoId();
    QSignalSpy removed(w->page, &FavoriteResultPage::vsRemoveVideoFromPlayList);
    QTimer::singleShot(0, this, [this]() {
        addFavorites(QStringLiteral("n"), FAVORITE_PAGE_ROWS + 40, 0);
        w->page->getFavoriteView()->setToBeginning();
        w->controller->refreshLists();
        QCOMPARE(w->page->getFavoriteModel()->rowCount(), FAVORITE_PAGE_ROWS);
    });
    DialogAnswerer answer(true);
    w->page->askRemoveFavorite(asked);
    QVERIFY(answer.answered());
    // (The command has run and the list been refilled: the entry sent is gone.)
    QCOMPARE(removed.count(), 1);
    QCOMPARE(w->service.commands.count(), 1);
    QCOMPARE(w->service.commands.first().video.getVideoId(), videoId);
    QVERIFY(!databaseOrder(ePlayListIdAllFavorites).contains(videoId));
}

QTEST_MAIN(TestFavoriteListPaging)
#include "tst_favoritelistpaging.moc"
