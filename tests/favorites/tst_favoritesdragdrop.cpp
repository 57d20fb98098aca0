#include "tests/favorites/DragSimulator.h"
#include "tests/favorites/FavoritesFixture.h"

#include "core/SharedImages.h"
#include "core/constants/Icons.h"

#include <QDrag>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

// Drag and drop through the lists' real press handling: a press on a thumbnail or a
// playlist icon builds the QDrag, and the drag simulator moves it over the page and
// drops it (the offscreen platform's own drag ends at once). The service double
// carries out the device's playlist commands on the database, as the dispatcher does.
class TestFavoritesDragDrop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void favoriteOntoAPlayListRow();
    void favoriteOntoAnotherRowReorders();
    void favoriteOntoTheTrash();
    void playListOntoTheTrash();
    void favoriteReleasedOutsideTheTargets();
    void playListReleasedOutsideTheTargets();

private:
    // Presses at `from` on the widget, then (inside the drag) moves over `to` on the page
    // and releases there. Runs `during` while the pointer is over the target.
    void dragAndDrop(QWidget* pressOn, const QPoint& from, const QPoint& to,
                     const std::function<void()>& during = std::function<void()>());
    QPoint thumbnailOf(int row) const;
    QPoint iconOf(int playListId) const;
    QList<int> sortIds(int playListId, QStringList* videoIds);

    FavoritesWorld* w = nullptr;
    QStringList myLastFormats;
    QByteArray myLastData;
    QPixmap myLastPixmap;
    QPoint myLastHotSpot;
    Qt::DropActions myLastActions;
    QObject* myLastSource = nullptr;
    Qt::DropAction myLastResult = Qt::IgnoreAction;
    FavoritesWorld::PlayLists myLists;
};

void TestFavoritesDragDrop::init()
{
    w = new FavoritesWorld(FavoritesWorld::LocalCommands);
    w->addStored("s1", "First stored");
    w->addStored("s2", "Second stored");
    w->addStored("s3", "Third stored");
    w->addLink("l1", "A link");
    myLists = w->addPlayLists({"s1", "s2", "l1"}, false);
    w->show();
    QVERIFY(w->playList(myLists.mix));
}

void TestFavoritesDragDrop::cleanup()
{
    delete w;
    w = nullptr;
}

void TestFavoritesDragDrop::dragAndDrop(QWidget* pressOn, const QPoint& from, const QPoint& to,
                                        const std::function<void()>& during)
{
    DragSimulator drag(&w->window, {w->page->mapTo(&w->window, to - QPoint(0, 3)), w->page->mapTo(&w->window, to)},
                       during);
    Touch::press(pressOn, from);
    QVERIFY2(drag.started, "the press did not start a drag");
    myLastFormats = drag.formats;
    myLastData = drag.data;
    myLastPixmap = drag.pixmap;
    myLastHotSpot = drag.hotSpot;
    myLastActions = drag.supportedActions;
    myLastSource = drag.source;
    myLastResult = drag.result;
    Touch::release(pressOn, from);
}

QPoint TestFavoritesDragDrop::thumbnailOf(int row) const
{
    w->page->getFavoriteView()->scrollTo(w->page->getFavoriteModel()->index(row, 0));
    w->paint();
    return w->entry(row)->getThumbnailRect().center().toPoint();
}

QPoint TestFavoritesDragDrop::iconOf(int playListId) const
{
    w->page->getPlayListView()->scrollTo(w->page->getPlayListModel()->getPlayListIndex(playListId));
    w->paint();
    return w->playList(playListId)->getRect().center().toPoint();
}

QList<int> TestFavoritesDragDrop::sortIds(int playListId, QStringList* videoIds)
{
    VideoListModel model(&w->repository);
    w->repository.getPlayListEntries(playListId, &model);
    QList<int> ids;
    for (VideoEntry* entry : model.entries()) {
        ids << entry->getSortId();
        *videoIds << entry->getVideoId();
    }
    return ids;
}

void TestFavoritesDragDrop::favoriteOntoAPlayListRow()
{
    const int row = w->rowOf("s3");
    QVERIFY(row >= 0);
    const QPoint from = thumbnailOf(row);
    bool buttonsDuringDrag = true;
    dragAndDrop(w->page->getFavoriteView()->viewport(), from, w->playListPoint(myLists.empty), [&]() {
        buttonsDuringDrag = w->page->getTrashButton()->isEnabled() && !w->page->getSearchButton()->isEnabled()
            && !w->page->getPlayListButtons()->isEnabled() && !w->page->getActionButtons()->isEnabled();
    });
    QVERIFY(buttonsDuringDrag);
    QCOMPARE(myLastResult, Qt::LinkAction);
    // The drag data: one format, no bytes, the link action only, the thumbnail with
    // its middle as the hot spot, the list as the source.
    QCOMPARE(myLastFormats, QStringList{"app/krelvox_favorite"});
    QVERIFY(myLastData.isEmpty());
    QCOMPARE(myLastActions, Qt::DropActions(Qt::LinkAction));
    QCOMPARE(myLastPixmap.size(), QSize(128, 96));
    QCOMPARE(myLastHotSpot, QPoint(64, 48));
    QCOMPARE(myLastSource, w->page->getFavoriteView());
    QVERIFY(w->page->getSearchButton()->isEnabled());
    QVERIFY(w->page->getActionButtons()->isEnabled());

    QCOMPARE(w->service.commands.count(), 1);
    QCOMPARE(w->service.commands.first().cmdType, int(vsAddVideoToPlayList));
    QCOMPARE(w->service.commands.first().playList.getId(), myLists.empty);
    QCOMPARE(w->service.commands.first().video.getVideoId(), QStringLiteral("s3"));

    // Stored, and the refilled tree counts it.
    QStringList videoIds;
    sortIds(myLists.empty, &videoIds);
    QCOMPARE(videoIds, QStringList{"s3"});
    QCOMPARE(w->playList(myLists.empty)->getCount(), 1);
    QCOMPARE(w->page->getShownPlayListId(), int(ePlayListIdAllFavorites));
}

void TestFavoritesDragDrop::favoriteOntoAnotherRowReorders()
{
    w->select(myLists.mix);
    QStringList before;
    QCOMPARE(sortIds(myLists.mix, &before), (QList<int>{3, 2, 1}));
    QCOMPARE(before, (QStringList{"l1", "s2", "s1"}));

    // The first row onto the lower half of the last row: it goes to the end.
    const QPoint from = thumbnailOf(0);
    VideoEntry* indicatorDuringDrag = nullptr;
    int flagDuringDrag = -1;
    dragAndDrop(w->page->getFavoriteView()->viewport(), from, w->favoritePoint(2, 0.8), [&]() {
        indicatorDuringDrag = w->dropIndicator(&flagDuringDrag);
    });
    QVERIFY(indicatorDuringDrag);
    QCOMPARE(flagDuringDrag, 1);
    QCOMPARE(w->dropIndicator(), nullptr);

    QCOMPARE(w->service.commands.count(), 1);
    QCOMPARE(w->service.commands.first().cmdType, int(vsUpdatePlayListOrder));
    QCOMPARE(w->service.commands.first().sortId, 1);
    QVERIFY(w->service.commands.first().afterLast);

    QStringList after;
    QCOMPARE(sortIds(myLists.mix, &after), (QList<int>{3, 2, 1}));
    QCOMPARE(after, (QStringList{"s2", "s1", "l1"}));
    // The list shows the new order.
    QCOMPARE(w->entry(0)->getVideoId(), QStringLiteral("s2"));
    QCOMPARE(w->entry(2)->getVideoId(), QStringLiteral("l1"));

    // Now the last row onto the upper half of the first: it goes to the top.
    const QPoint last = thumbnailOf(2);
    dragAndDrop(w->page->getFavoriteView()->viewport(), last, w->favoritePoint(0, 0.2));
    QStringList again;
    sortIds(myLists.mix, &again);
    QCOMPARE(again, (QStringList{"l1", "s2", "s1"}));
}

void TestFavoritesDragDrop::favoriteOntoTheTrash()
{
    w->select(myLists.mix);
    const int row = w->rowOf("s2");
    const QPoint from = thumbnailOf(row);
    DialogAnswerer answer(true);
    dragAndDrop(w->page->getFavoriteView()->viewport(), from, w->trashPoint());
    QVERIFY(answer.answered());
    QCOMPARE(answer.text, QStringLiteral("Remove Video s2 from the playlist Mix?"));
    QStringList videoIds;
    QCOMPARE(sortIds(myLists.mix, &videoIds), (QList<int>{2, 1}));
    QCOMPARE(videoIds, (QStringList{"l1", "s1"}));
    QCOMPARE(w->page->getFavoriteModel()->rowCount(), 2);
    // Still a favourite: only the playlist lost it.
    QStringList all;
    sortIds(ePlayListIdAllFavorites, &all);
    QVERIFY(all.contains("s2"));
}

void TestFavoritesDragDrop::playListOntoTheTrash()
{
    const QPoint from = iconOf(myLists.mix);
    QVERIFY(!from.isNull());
    DialogAnswerer answer(true);
    dragAndDrop(w->page->getPlayListView()->viewport(), from, w->trashPoint());
    QVERIFY(answer.answered());
    QCOMPARE(answer.text, QStringLiteral("Remove the playlist Mix and its list of videos?"));
    QCOMPARE(myLastFormats, QStringList{"app/krelvox_playlist"});
    QVERIFY(myLastData.isEmpty());
    QCOMPARE(myLastActions, Qt::DropActions(Qt::LinkAction));
    QCOMPARE(myLastSource, w->page->getPlayListView());
    const QImage& icon = getSharedImage(ICON_LOCAL_PLAYLIST);
    QCOMPARE(myLastPixmap.size(), icon.size());
    QCOMPARE(myLastHotSpot, QPoint(icon.width() / 2, icon.height() / 2));
    QCOMPARE(w->service.commands.count(), 1);
    QCOMPARE(w->service.commands.first().cmdType, int(vsRemovePlayList));
    QCOMPARE(w->playList(myLists.mix), nullptr);
    PlayList* gone = w->repository.getPlayList(myLists.mix);
    QCOMPARE(gone, nullptr);
    QVERIFY(w->playList(myLists.empty));
}

void TestFavoritesDragDrop::favoriteReleasedOutsideTheTargets()
{
    w->select(myLists.mix);
    const QPoint from = thumbnailOf(0);
    // Over the list first (which sets the line), then released on the header band.
    bool indicatorWasSet = false;
    DragSimulator drag(&w->window, {w->favoritePoint(1, 0.3), w->favoritePoint(1, 0.4), QPoint(300, 20)},
                       [&]() { indicatorWasSet = w->dropIndicator() != nullptr; });
    Touch::press(w->page->getFavoriteView()->viewport(), from);
    QVERIFY(drag.started);
    QCOMPARE(drag.result, Qt::IgnoreAction);
    QVERIFY(indicatorWasSet);
    QCOMPARE(w->dropIndicator(), nullptr);
    QVERIFY(w->service.commands.isEmpty());
    QVERIFY(w->page->getPlayListButtons()->isEnabled());
    QVERIFY(w->page->getSearchButton()->isEnabled());
}

void TestFavoritesDragDrop::playListReleasedOutsideTheTargets()
{
    const QPoint from = iconOf(myLists.empty);
    dragAndDrop(w->page->getPlayListView()->viewport(), from, QPoint(300, 20));
    QCOMPARE(myLastResult, Qt::IgnoreAction);
    QVERIFY(w->service.commands.isEmpty());
    QVERIFY(w->playList(myLists.empty));
    QVERIFY(w->page->getPlayListButtons()->isEnabled());
    QVERIFY(w->page->getActionButtons()->isEnabled());
    QVERIFY(w->page->getSearchButton()->isEnabled());
}

QTEST_MAIN(TestFavoritesDragDrop)
#include "tst_favoritesdragdrop.moc"
