#include "tests/favorites/DragSimulator.h"
#include "tests/favorites/FavoritesFixture.h"

#include <QSignalSpy>
#include <QtTest>

// Taps, sweeps, double taps and keys on the two lists of the favourites page.
class TestFavoriteSweepLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    // Playlist list
    void pressOnTheNameSelectsWithoutDragging();
    void fixedRowsAreNeverDragged_data();
    void fixedRowsAreNeverDragged();
    void tapOrSweep_data();
    void tapOrSweep();
    void pressBelowTheLastRow_data();
    void pressBelowTheLastRow();
    void returnOnAnOrdinaryRowClearsTheSelection();
    void doubleTapOnAFolderTogglesItTwice();
    void holdingStillDoesNothingUntilRelease();

    // Favourite list
    void pressOutsideTheThumbnailSelectsAndClicks();
    void thumbnailOfAnEntryWithoutVideoIdOnlyClicks();
    void thumbnailOfTheRunningDownloadDoesNothing();
    void entryWithoutThumbnailImageDragsAnEmptyPixmap();
    void doubleTapOnTheAuthor();
    void returnEmitsDoubleClickedForTheCurrentRow();
    void everyPressSelects();

private:
    QWidget* playListViewport() const { return w->page->getPlayListView()->viewport(); }
    QWidget* favoriteViewport() const { return w->page->getFavoriteView()->viewport(); }
    QPoint inPlayListViewport(const QPoint& pagePoint) const { return playListViewport()->mapFrom(w->page, pagePoint); }
    // A point on a playlist row's name, right of its icon.
    QPoint nameOf(int playListId) const
    {
        const QPoint center = inPlayListViewport(w->playListPoint(playListId));
        return QPoint(int(w->playList(playListId)->getRect().right()) + 40, center.y());
    }

    FavoritesWorld* w = nullptr;
    int myMix = 0;
    int myEmpty = 0;
    int myAccountFavorites = 0;
    int myAccountFolder = 0;
};

void TestFavoriteSweepLists::init()
{
    w = new FavoritesWorld(FavoritesWorld::RecordedCommands);
    w->addStored("s1", "First");
    w->addStored("s2", "Second");
    w->addLink("l1", "Third");
    w->addQueued("q1", "Waiting");
    myMix = w->addPlayList(eLocalService, ePlayListLocal, "Mix");
    myEmpty = w->addPlayList(eLocalService, ePlayListLocal, "Empty");
    myAccountFolder = w->repository.addAccountPlayListFolder();
    myAccountFavorites = w->addPlayList(eAccountService, ePlayListAccountFavorites, "Favorites");
    w->show();
}

void TestFavoriteSweepLists::cleanup()
{
    delete w;
    w = nullptr;
}

void TestFavoriteSweepLists::pressOnTheNameSelectsWithoutDragging()
{
    DragSimulator drag(&w->window, {w->trashPoint()});
    QSignalSpy clicked(w->page->getPlayListView(), &QAbstractItemView::clicked);
    const QPoint point = nameOf(myMix);
    Touch::press(playListViewport(), point);
    QVERIFY(!drag.started);
    QCOMPARE(w->page->getSelectedPlayList()->getId(), int(ePlayListIdAllFavorites)); // not yet
    Touch::release(playListViewport(), point);
    QCOMPARE(w->page->getSelectedPlayList()->getId(), myMix);
    QCOMPARE(w->page->getShownPlayListId(), myMix);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().at(0).value<QModelIndex>().row(), w->page->getPlayListModel()->getPlayListIndex(myMix).row());
}

void TestFavoriteSweepLists::fixedRowsAreNeverDragged_data()
{
    QTest::addColumn<QString>("row");
    QTest::newRow("all local favorites") << "All";
    QTest::newRow("download queue") << "Queue";
    QTest::newRow("local folder") << "Folder";
    QTest::newRow("account folder") << "AccountFolder";
    QTest::newRow("account favorites") << "Favorites";
}

void TestFavoriteSweepLists::fixedRowsAreNeverDragged()
{
    QFETCH(QString, row);
    const QMap<QString, int> ids{{"All", ePlayListIdAllFavorites}, {"Queue", ePlayListIdDownloadQueue},
                                 {"Folder", ePlayListIdLocalFolder}, {"AccountFolder", myAccountFolder},
                                 {"Favorites", myAccountFavorites}};
    w->playListPoint(ids[row]); // scrolls it into view
    w->paint();
    const QPoint icon = w->playList(ids[row])->getRect().center().toPoint();
    QVERIFY(!icon.isNull());
    DragSimulator drag(&w->window, {w->trashPoint()});
    Touch::press(playListViewport(), icon);
    QVERIFY(!drag.started);
    // Lifted after a sweep, so that a folder row does not toggle.
    const QPoint away = icon + QPoint(0, 30);
    Touch::move(playListViewport(), away);
    Touch::release(playListViewport(), away);
    QVERIFY(w->playList(myEmpty));

    // The icon of a user playlist does start one.
    w->playListPoint(myEmpty);
    w->paint();
    const QPoint movable = w->playList(myEmpty)->getRect().center().toPoint();
    DragSimulator other(&w->window, {QPoint(300, 20)});
    Touch::press(playListViewport(), movable);
    QVERIFY(other.started);
    Touch::release(playListViewport(), movable);
}

void TestFavoriteSweepLists::tapOrSweep_data()
{
    QTest::addColumn<QPoint>("move");
    QTest::addColumn<bool>("tap");
    QTest::newRow("still") << QPoint(0, 0) << true;
    QTest::newRow("exactly 10 pixels") << QPoint(6, 8) << true;
    QTest::newRow("11 pixels") << QPoint(0, 11) << false;
    QTest::newRow("sideways 11 pixels") << QPoint(11, 0) << false;
}

void TestFavoriteSweepLists::tapOrSweep()
{
    QFETCH(QPoint, move);
    QFETCH(bool, tap);
    const QPoint press = nameOf(myEmpty);
    Touch::press(playListViewport(), press);
    if (!move.isNull()) {
        Touch::move(playListViewport(), press + move);
    }
    Touch::release(playListViewport(), press + move);
    QCOMPARE(w->page->getSelectedPlayList()->getId() == myEmpty, tap);
}

void TestFavoriteSweepLists::pressBelowTheLastRow_data()
{
    QTest::addColumn<bool>("rowCurrent");
    QTest::addColumn<int>("clicks");
    QTest::newRow("a row was current") << true << 3;
    QTest::newRow("none was current") << false << 2;
}

void TestFavoriteSweepLists::pressBelowTheLastRow()
{
    QFETCH(bool, rowCurrent);
    QFETCH(int, clicks);
    w->collapseFolders();
    PlayListSweepList* view = w->page->getPlayListView();
    if (!rowCurrent)
        view->setCurrentIndex(QModelIndex());
    QCOMPARE(view->currentIndex().isValid(), rowCurrent);
    QSignalSpy clicked(view, &QAbstractItemView::clicked);
    const QPoint below = inPlayListViewport(w->belowPlayLists());
    Touch::press(playListViewport(), below);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().at(0).value<QModelIndex>().isValid(), rowCurrent);
    Touch::release(playListViewport(), below);
    QCOMPARE(clicked.count(), clicks);
    QVERIFY(!clicked.last().at(0).value<QModelIndex>().isValid());
    QVERIFY(!view->currentIndex().isValid());
}

void TestFavoriteSweepLists::returnOnAnOrdinaryRowClearsTheSelection()
{
    PlayListSweepList* view = w->page->getPlayListView();
    w->select(myMix);
    view->selectionModel()->select(view->currentIndex(), QItemSelectionModel::Select);
    QSignalSpy toggle(view, &PlayListSweepList::folderOpenToggle);
    QSignalSpy changed(w->page, &FavoriteResultPage::playListsChanged);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(toggle.count(), 1);
    QCOMPARE(toggle.first().at(0).value<PlayList*>(), w->playList(myMix));
    QCOMPARE(changed.count(), 0);
    QVERIFY(view->selectionModel()->selectedIndexes().isEmpty());

    // Left and Right are the list's own signals.
    QSignalSpy left(view, &PlayListSweepList::leftKeyPressed);
    QSignalSpy right(view, &PlayListSweepList::rightKeyPressed);
    QTest::keyClick(view, Qt::Key_Left);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(left.count(), 1);
    QCOMPARE(right.count(), 1);
}

void TestFavoriteSweepLists::doubleTapOnAFolderTogglesItTwice()
{
    QSignalSpy changed(w->page, &FavoriteResultPage::playListsChanged);
    const QPoint folder = nameOf(myAccountFolder);
    Touch::doubleTap(playListViewport(), folder);
    QCOMPARE(changed.count(), 2);
    QVERIFY(!w->page->getPlayListModel()->isVsFolderCollapsed(1));
}

void TestFavoriteSweepLists::holdingStillDoesNothingUntilRelease()
{
    ManualClock clock;
    QSignalSpy clicked(w->page->getPlayListView(), &QAbstractItemView::clicked);
    const QPoint point = nameOf(myEmpty);
    Touch::press(playListViewport(), point);
    clock.advance(300);
    QCoreApplication::processEvents();
    QCOMPARE(clicked.count(), 0);
    QVERIFY(w->page->getSelectedPlayList()->getId() != myEmpty);
    Touch::release(playListViewport(), point);
    QCOMPARE(w->page->getSelectedPlayList()->getId(), myEmpty);
}

void TestFavoriteSweepLists::pressOutsideTheThumbnailSelectsAndClicks()
{
    FavoriteSweepList* view = w->page->getFavoriteView();
    const int row = w->rowOf("s2");
    const QPoint title = favoriteViewport()->mapFrom(w->page, w->favoritePoint(row, 0.2));
    QVERIFY(!w->entry(row)->getThumbnailRect().contains(title));
    QList<QString> order;
    connect(view, &UniformSweepList::selectionMade, this, [&]() { order << "selectionMade"; });
    connect(view, &QAbstractItemView::clicked, this, [&](const QModelIndex&) { order << "clicked"; });
    DragSimulator drag(&w->window, {w->trashPoint()});
    Touch::press(favoriteViewport(), title);
    QVERIFY(!drag.started);
    QCOMPARE(view->currentIndex().row(), row);
    QCOMPARE(order.value(0), QStringLiteral("selectionMade"));
    QCOMPARE(order.last(), QStringLiteral("clicked"));
    QCOMPARE(order.count("clicked"), 1);
    Touch::release(favoriteViewport(), title);
}

void TestFavoriteSweepLists::thumbnailOfAnEntryWithoutVideoIdOnlyClicks()
{
    VideoEntry* nameless = new VideoEntry;
    nameless->setName(QStringLiteral("No id"));
    w->page->getFavoriteModel()->addEntry(nameless);
    const int row = w->page->getFavoriteModel()->rowCount() - 1;
    w->favoritePoint(row);
    w->paint();
    const QPoint thumbnail = nameless->getThumbnailRect().center().toPoint();
    QVERIFY(!thumbnail.isNull());
    QSignalSpy clicked(w->page->getFavoriteView(), &QAbstractItemView::clicked);
    DragSimulator drag(&w->window, {w->trashPoint()});
    Touch::press(favoriteViewport(), thumbnail);
    QVERIFY(!drag.started);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(w->page->getFavoriteView()->currentIndex().row(), row);
}

void TestFavoriteSweepLists::thumbnailOfTheRunningDownloadDoesNothing()
{
    w->select(ePlayListIdDownloadQueue);
    w->page->setDownloadProgress(12, "q1");
    w->paint();
    const int row = w->rowOf("q1");
    const QPoint thumbnail = w->entry(row)->getThumbnailRect().center().toPoint();
    QSignalSpy clicked(w->page->getFavoriteView(), &QAbstractItemView::clicked);
    DragSimulator drag(&w->window, {w->trashPoint()});
    Touch::press(favoriteViewport(), thumbnail);
    QVERIFY(!drag.started);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(w->page->getFavoriteView()->currentIndex().row(), row);
    Touch::release(favoriteViewport(), thumbnail);

    // Another video fetched: this one can be dragged again.
    w->page->setDownloadProgress(0, "other");
    DragSimulator again(&w->window, {QPoint(300, 20)});
    Touch::press(favoriteViewport(), thumbnail);
    QVERIFY(again.started);
}

void TestFavoriteSweepLists::entryWithoutThumbnailImageDragsAnEmptyPixmap()
{
    VideoEntry* bare = new VideoEntry;
    bare->setVideoId(QStringLiteral("bare"));
    bare->setDownloadState(eDownloadStored);
    w->page->getFavoriteModel()->addEntry(bare);
    const int row = w->page->getFavoriteModel()->rowCount() - 1;
    w->favoritePoint(row);
    w->paint();
    DragSimulator drag(&w->window, {QPoint(300, 20)});
    Touch::press(favoriteViewport(), bare->getThumbnailRect().center().toPoint());
    QVERIFY(drag.started);
    QVERIFY(drag.pixmap.isNull());
    QCOMPARE(drag.hotSpot, QPoint(0, 0));
}

void TestFavoriteSweepLists::doubleTapOnTheAuthor()
{
    FavoriteSweepList* view = w->page->getFavoriteView();
    QSignalSpy author(view, &FavoriteSweepList::authorLinkClicked);
    QSignalSpy doubled(view, qOverload<const QModelIndex&>(&QAbstractItemView::doubleClicked));
    QSignalSpy search(w->controller, &FavoriteResultController::authorVideosRequested);
    const int row = w->rowOf("s1");
    w->favoritePoint(row);
    w->paint();
    const QPoint link = w->entry(row)->getAuthorRect().center().toPoint();
    Touch::doubleTap(favoriteViewport(), link);
    QCOMPARE(author.count(), 1);
    QCOMPARE(author.first().at(0).value<QModelIndex>().row(), row);
    QVERIFY(view->selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(search.count(), 1);
    QCOMPARE(search.first().at(0).toString(), QStringLiteral("author_s1"));

    // Elsewhere on the row: neither.
    const QPoint title = favoriteViewport()->mapFrom(w->page, w->favoritePoint(row, 0.2));
    Touch::doubleTap(favoriteViewport(), title);
    QCOMPARE(author.count(), 1);
    QCOMPARE(doubled.count(), 0);
}

void TestFavoriteSweepLists::returnEmitsDoubleClickedForTheCurrentRow()
{
    FavoriteSweepList* view = w->page->getFavoriteView();
    QSignalSpy doubled(view, qOverload<const QModelIndex&>(&QAbstractItemView::doubleClicked));
    view->setFocus();
    view->setCurrentIndex(w->page->getFavoriteModel()->index(1, 0));
    view->clearSelection();
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(doubled.last().at(0).value<QModelIndex>().row(), 1);
    view->setCurrentIndex(QModelIndex());
    QTest::keyClick(view, Qt::Key_Enter);
    QCOMPARE(doubled.count(), 2);
    QVERIFY(!doubled.last().at(0).value<QModelIndex>().isValid());

    QSignalSpy left(view, &FavoriteSweepList::leftKeyPressed);
    QSignalSpy right(view, &FavoriteSweepList::rightKeyPressed);
    QTest::keyClick(view, Qt::Key_Left);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(left.count(), 1);
    QCOMPARE(right.count(), 1);
}

void TestFavoriteSweepLists::everyPressSelects()
{
    FavoriteSweepList* view = w->page->getFavoriteView();
    const QPoint start = favoriteViewport()->mapFrom(w->page, w->favoritePoint(2, 0.3));
    Touch::press(favoriteViewport(), start);
    QCOMPARE(view->currentIndex().row(), 2);
    Touch::move(favoriteViewport(), start - QPoint(0, 40));
    Touch::release(favoriteViewport(), start - QPoint(0, 40));
    QCOMPARE(view->currentIndex().row(), 2);
}

QTEST_MAIN(TestFavoriteSweepLists)
#include "tst_favoritesweeplists.moc"
