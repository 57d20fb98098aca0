#include "tests/favorites/FavoritesFixture.h"

#include "core/constants/Settings.h"
#include "favorites/FavoritesTexts.h"
#include "shell/BackButton.h"
#include "shell/OneButtonDialog.h"
#include "shell/PageHeader.h"

#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

// The drop rules of the favourites page and the operations its lists call.
class TestFavoriteResultPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void dragEnterAcceptsOnlyOurFormats_data();
    void dragEnterAcceptsOnlyOurFormats();
    void dropOutsideTheTargetsIsIgnored();
    void dropWidgetAt();
    void mousePointerPlayList();

    void playListDropOnPlayListRow_data();
    void playListDropOnPlayListRow();
    void playListDropOnTrashAsks_data();
    void playListDropOnTrashAsks();
    void fixedPlayListIsNeverRemoved();

    void favoriteDropWithoutDraggedEntryDoesNothing();
    void favoriteDropOnPlayListRow_data();
    void favoriteDropOnPlayListRow();
    void notDownloadedVideoCannotBeCopied_data();
    void notDownloadedVideoCannotBeCopied();
    void reorderDrop_data();
    void reorderDrop();
    void favoritesOfTheAccountCannotBeReordered();
    void favoriteDropOnTrashAsks_data();
    void favoriteDropOnTrashAsks();

    void dragMoveSetsTheDropIndicator_data();
    void dragMoveSetsTheDropIndicator();
    void dragMoveInTheDownloadQueue();
    void setDragModeSwitchesTheButtons();
    void isDownloadingOnlyInTheQueue();
    void setDownloadProgressReachesThePainter();
    void downloadProgressRepaintsOnlyItsRow_data();
    void downloadProgressRepaintsOnlyItsRow();
    void refillDuringADragForgetsTheDraggedEntry();
    void refillDuringTheQuestionRemovesTheRefilledEntry();
    void noticesAndQuestionsGoThroughThePrompt_data();
    void noticesAndQuestionsGoThroughThePrompt();
    void headerBandAsOnEveryPage();

private:
    FavoritesWorld* w = nullptr;
    FavoritesWorld::PlayLists myLists;
};

void TestFavoriteResultPage::init()
{
    w = new FavoritesWorld(FavoritesWorld::RecordedCommands);
    w->addStored("s1", "First stored");
    w->addStored("s2", "Second stored");
    w->addStored("s3", "Third stored");
    w->addLink("l1", "A link");
    w->addQueued("q1", "Waiting");
    w->addInvalid("i1", "Gone");
    myLists = w->addPlayLists({"s1", "s2", "l1"}, true, {"a1", "a2"});
    w->setSignedIn(true);
    w->show();
    QVERIFY(w->playList(myLists.trips));
}

void TestFavoriteResultPage::cleanup()
{
    delete w;
    w = nullptr;
}

void TestFavoriteResultPage::dragEnterAcceptsOnlyOurFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("playlist") << "app/krelvox_playlist" << true;
    QTest::newRow("favourite") << "app/krelvox_favorite" << true;
    QTest::newRow("text") << "text/plain" << false;
}

void TestFavoriteResultPage::dragEnterAcceptsOnlyOurFormats()
{
    QFETCH(QString, format);
    QFETCH(bool, accepted);
    QMimeData data;
    data.setData(format, QByteArray());
    QDragEnterEvent event(w->playListPoint(1), Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
    event.ignore();
    w->deliver(&event);
    QCOMPARE(event.isAccepted(), accepted);
    QVERIFY(w->page->acceptDrops());
    QVERIFY(!w->page->getPlayListView()->acceptDrops());
    QVERIFY(!w->page->getFavoriteView()->acceptDrops());
}

void TestFavoriteResultPage::dropOutsideTheTargetsIsIgnored()
{
    QSignalSpy spy(w->page, &FavoriteResultPage::vsLocalizePlayList);
    w->page->setDragDropPlaylist(w->playList(myLists.trips));
    QVERIFY(!w->drop(QPoint(400, 20), MIME_TYPE_PLAYLIST)); // the header band
    w->page->setDragDropFavorite(w->entry(0));
    QVERIFY(!w->drop(QPoint(400, 20), MIME_TYPE_FAVORITE));
    QCOMPARE(spy.count(), 0);
    QVERIFY(w->service.commands.isEmpty());
}

void TestFavoriteResultPage::dropWidgetAt()
{
    FavoriteResultPage* page = w->page;
    QCOMPARE(page->dropWidgetAt(w->trashPoint()), page->getTrashButton());
    QCOMPARE(page->dropWidgetAt(w->favoritePoint(0)), page->getFavoriteView());
    QCOMPARE(page->dropWidgetAt(w->playListPoint(1)), page->getPlayListView());
    QCOMPARE(page->dropWidgetAt(QPoint(400, 10)), nullptr);
    QCOMPARE(page->dropWidgetAt(page->getSearchButton()->mapTo(page, QPoint(5, 5))), nullptr);
}

void TestFavoriteResultPage::mousePointerPlayList()
{
    FavoriteResultPage* page = w->page;
    QCOMPARE(page->mousePointerPlayList(w->playListPoint(myLists.mix), false), w->playList(myLists.mix));
    const QPoint inViewport = page->getPlayListView()->viewport()->mapFrom(page, w->playListPoint(myLists.trips));
    QCOMPARE(page->mousePointerPlayList(inViewport, true), w->playList(myLists.trips));
    // Below the last row there is none.
    w->collapseFolders();
    QCOMPARE(page->mousePointerPlayList(w->belowPlayLists(), false), nullptr);
    QCOMPARE(page->mousePointerPlayList(w->playListPoint(ePlayListIdLocalFolder), false), w->playList(ePlayListIdLocalFolder));
}

void TestFavoriteResultPage::playListDropOnPlayListRow_data()
{
    QTest::addColumn<QString>("dragged");  // "Mix", "Trips", "none"
    QTest::addColumn<QString>("onto");     // "Empty", "Trips", "Favorites", "All", "below"
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<QString>("outcome");  // "localize", "externalize", "account", "none"
    QTest::newRow("account playlist onto a local row") << "Trips" << "Empty" << true << "localize";
    QTest::newRow("account playlist onto a fixed local row") << "Trips" << "All" << true << "localize";
    QTest::newRow("local playlist onto an account row") << "Mix" << "Favorites" << true << "externalize";
    QTest::newRow("local playlist onto an account row, signed out") << "Mix" << "Trips" << false << "account";
    QTest::newRow("local onto local") << "Mix" << "Empty" << true << "none";
    QTest::newRow("account onto account") << "Trips" << "Favorites" << true << "none";
    QTest::newRow("below the last row") << "AccountFolder" << "below" << true << "none";
    QTest::newRow("nothing dragged") << "none" << "Empty" << true << "none";
}

void TestFavoriteResultPage::playListDropOnPlayListRow()
{
    QFETCH(QString, dragged);
    QFETCH(QString, onto);
    QFETCH(bool, signedIn);
    QFETCH(QString, outcome);
    w->setSignedIn(signedIn);
    const QMap<QString, int> ids{{"Mix", myLists.mix}, {"Trips", myLists.trips}, {"Empty", myLists.empty},
                                 {"Favorites", myLists.accountFavorites}, {"All", ePlayListIdAllFavorites},
                                 {"AccountFolder", myLists.accountFolder}};
    if (onto == "below")
        w->collapseFolders();
    PlayList* draggedPlayList = ids.contains(dragged) ? w->playList(ids[dragged]) : nullptr;
    const QPoint point = ids.contains(onto) ? w->playListPoint(ids[onto]) : w->belowPlayLists();
    PlayListModel* model = w->page->getPlayListModel();
    model->setVsFolderCollapsed(0, true);
    model->setVsFolderCollapsed(1, true);
    w->page->getFavoriteDelegate()->setDropIndicator(w->entry(1), 1);

    QSignalSpy localize(w->page, &FavoriteResultPage::vsLocalizePlayList);
    QSignalSpy externalize(w->page, &FavoriteResultPage::vsExternalizePlayList);
    QSignalSpy account(w->page, &FavoriteResultPage::accountNeeded);
    w->page->setDragDropPlaylist(draggedPlayList);
    QVERIFY(w->drop(point, MIME_TYPE_PLAYLIST));
    QCOMPARE(w->page->getDragDropPlaylist(), nullptr);

    // A playlist drop never touches the drop indicator.
    int flag = 0;
    QCOMPARE(w->dropIndicator(&flag), w->entry(1));
    QCOMPARE(flag, 1);

    QList<OneButtonDialog*> notices;
    for (OneButtonDialog* dialog : w->page->findChildren<OneButtonDialog*>())
        if (dialog->isVisible())
            notices << dialog;

    QCOMPARE(localize.count(), outcome == "localize" ? 1 : 0);
    QCOMPARE(externalize.count(), outcome == "externalize" ? 1 : 0);
    QCOMPARE(account.count(), outcome == "account" ? 1 : 0);
    if (outcome == "localize") {
        QCOMPARE(localize.first().at(0).value<PlayList*>(), draggedPlayList);
        QVERIFY(!model->isVsFolderCollapsed(0));
        QVERIFY(model->isVsFolderCollapsed(1));
        QCOMPARE(notices.count(), 1);
        QCOMPARE(notices.first()->getTitle(), QStringLiteral("Sending the YouTube playlist to device"));
        QCOMPARE(w->service.commands.count(), 1);
        QCOMPARE(w->service.commands.first().cmdType, int(vsCopyPlayList));
        QCOMPARE(w->service.commands.first().targetServiceId, 0);
        QCOMPARE(w->service.commands.first().playList.getId(), myLists.trips);
        // Once the copy is made, it is the current row.
        PlayList copy(0, eLocalService, ePlayListLocal, QStringLiteral("Trips"));
        QCOMPARE(w->repository.addPlayList(&copy), 0);
        Q_EMIT w->service.commandFinished(vsCopyPlayList, true);
        QVERIFY(w->page->getSelectedPlayList());
        QCOMPARE(w->page->getSelectedPlayList()->getId(), copy.getId());
        // The notice closes itself after three seconds.
        QPointer<OneButtonDialog> notice = notices.first();
        QTRY_VERIFY_WITH_TIMEOUT(!notice || !notice->isVisible(), 5000);
    } else if (outcome == "externalize") {
        QCOMPARE(externalize.first().at(0).value<PlayList*>(), draggedPlayList);
        QCOMPARE(externalize.first().at(1).toInt(), 1);
        QVERIFY(model->isVsFolderCollapsed(0));
        QVERIFY(!model->isVsFolderCollapsed(1));
        QCOMPARE(w->service.commands.count(), 1);
        QCOMPARE(w->service.commands.first().cmdType, int(vsCopyPlayList));
        QCOMPARE(w->service.commands.first().targetServiceId, 1);
        QCOMPARE(w->service.commands.first().playList.getName(), QStringLiteral("Mix"));
        QVERIFY(notices.isEmpty());
    } else {
        QVERIFY(model->isVsFolderCollapsed(0));
        QVERIFY(model->isVsFolderCollapsed(1));
        QVERIFY(notices.isEmpty());
        QVERIFY(w->service.commands.isEmpty());
    }
}

void TestFavoriteResultPage::playListDropOnTrashAsks_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void TestFavoriteResultPage::playListDropOnTrashAsks()
{
    QFETCH(bool, confirm);
    QSignalSpy removed(w->page, &FavoriteResultPage::vsRemovePlayList);
    w->page->setDragDropPlaylist(w->playList(myLists.mix));
    DialogAnswerer answer(confirm);
    QVERIFY(w->drop(w->trashPoint(), MIME_TYPE_PLAYLIST));
    QVERIFY(answer.answered());
    QCOMPARE(answer.text, QStringLiteral("Remove the playlist Mix and its list of videos?"));
    QCOMPARE(removed.count(), confirm ? 1 : 0);
    QCOMPARE(w->service.commands.count(), confirm ? 1 : 0);
    if (confirm) {
        QCOMPARE(removed.first().at(0).value<PlayList*>()->getId(), myLists.mix);
        QCOMPARE(w->service.commands.first().cmdType, int(vsRemovePlayList));
        QCOMPARE(w->service.commands.first().playList.getId(), myLists.mix);
    }
}

void TestFavoriteResultPage::fixedPlayListIsNeverRemoved()
{
    QSignalSpy removed(w->page, &FavoriteResultPage::vsRemovePlayList);
    for (int id : {int(ePlayListIdAllFavorites), int(ePlayListIdDownloadQueue), int(ePlayListIdLocalFolder),
                   myLists.accountFolder, myLists.accountFavorites}) {
        DialogAnswerer answer(true);
        w->page->askRemovePlayList(w->playList(id));
        QVERIFY(!answer.answered());
    }
    w->page->askRemovePlayList(nullptr);
    QCOMPARE(removed.count(), 0);
}

void TestFavoriteResultPage::favoriteDropWithoutDraggedEntryDoesNothing()
{
    QSignalSpy added(w->page, &FavoriteResultPage::vsAddVideoToPlayList);
    w->page->getFavoriteDelegate()->setDropIndicator(w->entry(0), 0);
    for (const QPoint& point : {w->playListPoint(myLists.mix), w->favoritePoint(1), w->trashPoint()}) {
        DialogAnswerer answer(true);
        QVERIFY(w->drop(point, MIME_TYPE_FAVORITE));
        QVERIFY(!answer.answered());
    }
    QCOMPARE(added.count(), 0);
    QCOMPARE(w->dropIndicator(), w->entry(0));
}

void TestFavoriteResultPage::favoriteDropOnPlayListRow_data()
{
    QTest::addColumn<QString>("videoId");
    QTest::addColumn<QString>("onto");
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<QString>("outcome"); // "playlist", "favorites", "account", "none"
    QTest::addColumn<bool>("indicatorCleared");
    QTest::newRow("stored copy onto a local playlist") << "s3" << "Mix" << true << "playlist" << true;
    QTest::newRow("link onto a local playlist") << "l1" << "Empty" << true << "playlist" << true;
    QTest::newRow("onto an account playlist") << "s1" << "Trips" << true << "playlist" << true;
    QTest::newRow("onto the account's favorites") << "s2" << "Favorites" << true << "favorites" << true;
    QTest::newRow("onto the account's favorites, signed out") << "s2" << "Favorites" << false << "account" << false;
    QTest::newRow("onto an account playlist, signed out") << "s2" << "Trips" << false << "account" << false;
    QTest::newRow("onto all local favorites") << "s1" << "All" << true << "none" << true;
    QTest::newRow("onto the download queue") << "s1" << "Queue" << true << "none" << true;
    QTest::newRow("onto the local folder") << "s1" << "Folder" << true << "none" << true;
    QTest::newRow("onto the account folder") << "s1" << "AccountFolder" << true << "none" << true;
    QTest::newRow("below the last row") << "s1" << "below" << true << "none" << false;
}

void TestFavoriteResultPage::favoriteDropOnPlayListRow()
{
    QFETCH(QString, videoId);
    QFETCH(QString, onto);
    QFETCH(bool, signedIn);
    QFETCH(QString, outcome);
    QFETCH(bool, indicatorCleared);
    w->setSignedIn(signedIn);
    const QMap<QString, int> ids{{"Mix", myLists.mix}, {"Trips", myLists.trips}, {"Empty", myLists.empty},
                                 {"Favorites", myLists.accountFavorites}, {"All", ePlayListIdAllFavorites},
                                 {"Queue", ePlayListIdDownloadQueue}, {"Folder", ePlayListIdLocalFolder},
                                 {"AccountFolder", myLists.accountFolder}};
    if (onto == "below")
        w->collapseFolders();
    const QPoint point = onto == "below" ? w->belowPlayLists() : w->playListPoint(ids[onto]);
    VideoEntry* entry = w->entryByVideoId(videoId);
    QVERIFY(entry);
    w->page->getFavoriteDelegate()->setDropIndicator(w->entry(0), 0);
    w->page->setDragDropPlaylist(w->playList(myLists.mix));

    QSignalSpy toPlayList(w->page, &FavoriteResultPage::vsAddVideoToPlayList);
    QSignalSpy toFavorites(w->page, &FavoriteResultPage::vsAddVideoToYouTubeFavorites);
    QSignalSpy account(w->page, &FavoriteResultPage::accountNeeded);
    w->page->setDragDropFavorite(entry);
    DialogAnswerer answer(true);
    QVERIFY(w->drop(point, MIME_TYPE_FAVORITE));
    QVERIFY(!answer.answered());
    QCOMPARE(w->page->getDragDropFavorite(), nullptr);

    QCOMPARE(toPlayList.count(), outcome == "playlist" ? 1 : 0);
    QCOMPARE(toFavorites.count(), outcome == "favorites" ? 1 : 0);
    QCOMPARE(account.count(), outcome == "account" ? 1 : 0);
    QSignalSpy& sent = outcome == "favorites" ? toFavorites : toPlayList;
    if (!sent.isEmpty()) {
        QCOMPARE(sent.first().at(0).toString(), videoId);
        QCOMPARE(sent.first().at(1).value<VideoEntry*>(), entry);
        QCOMPARE(sent.first().at(2).value<PlayList*>(), w->playList(ids[onto]));
        QCOMPARE(w->service.commands.count(), 1);
        QCOMPARE(w->service.commands.first().cmdType,
                 int(outcome == "favorites" ? vsAddVideoToYouTubeFavorites : vsAddVideoToPlayList));
        QCOMPARE(w->service.commands.first().video.getVideoId(), videoId);
        QCOMPARE(w->service.commands.first().playList.getId(), ids[onto]);
    } else {
        QVERIFY(w->service.commands.isEmpty());
    }
    QCOMPARE(w->dropIndicator() == nullptr, indicatorCleared);
    // A drop that got past the target check forgets the dragged playlist too.
    if (onto != "below")
        QCOMPARE(w->page->getDragDropPlaylist(), nullptr);
}

void TestFavoriteResultPage::notDownloadedVideoCannotBeCopied_data()
{
    QTest::addColumn<QString>("videoId");
    QTest::newRow("waiting in the queue") << "q1";
    QTest::newRow("cannot be downloaded") << "i1";
}

void TestFavoriteResultPage::notDownloadedVideoCannotBeCopied()
{
    QFETCH(QString, videoId);
    VideoEntry* entry = w->entryByVideoId(videoId);
    QVERIFY(entry);
    QVERIFY(entry->getVideoLink() != 1);
    w->page->getFavoriteDelegate()->setDropIndicator(w->entry(0), 0);
    QSignalSpy toPlayList(w->page, &FavoriteResultPage::vsAddVideoToPlayList);
    w->page->setDragDropFavorite(entry);
    DialogAnswerer answer(true);
    QVERIFY(w->drop(w->playListPoint(myLists.mix), MIME_TYPE_FAVORITE));
    QVERIFY(answer.answered());
    // A notice: a short title, the message in its body.
    QCOMPARE(answer.title, QStringLiteral("Favorites"));
    QCOMPARE(answer.text, QStringLiteral("Can't copy a video to playlist before it has been downloaded."));
    QCOMPARE(toPlayList.count(), 0);
    QVERIFY(w->service.commands.isEmpty());
    QCOMPARE(w->dropIndicator(), w->entry(0));
}

void TestFavoriteResultPage::reorderDrop_data()
{
    QTest::addColumn<int>("draggedRow");
    QTest::addColumn<int>("indicatorRow"); // -1: no indicator
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<bool>("afterLast");
    QTest::newRow("above a row") << 0 << 2 << 0 << true << false;
    QTest::newRow("below the last row") << 0 << 2 << 1 << true << true;
    QTest::newRow("above an invalid entry") << 2 << 0 << 2 << true << true;
    QTest::newRow("onto itself") << 1 << 1 << 0 << false << false;
    QTest::newRow("no indicator") << 1 << -1 << 0 << false << false;
}

void TestFavoriteResultPage::reorderDrop()
{
    QFETCH(int, draggedRow);
    QFETCH(int, indicatorRow);
    QFETCH(int, flag);
    QFETCH(bool, sent);
    QFETCH(bool, afterLast);
    w->select(myLists.mix);
    QCOMPARE(w->page->getFavoriteModel()->rowCount(), 3);
    VideoEntry* dragged = w->entry(draggedRow);
    VideoEntry* indicator = indicatorRow >= 0 ? w->entry(indicatorRow) : nullptr;
    w->page->getFavoriteDelegate()->setDropIndicator(indicator, flag);

    QSignalSpy order(w->page, &FavoriteResultPage::vsUpdatePlayListOrder);
    w->page->setDragDropFavorite(dragged);
    QVERIFY(w->drop(w->favoritePoint(1), MIME_TYPE_FAVORITE));
    QCOMPARE(w->dropIndicator(), nullptr);
    QCOMPARE(order.count(), sent ? 1 : 0);
    if (!sent)
        return;
    const QList<QVariant> args = order.first();
    QCOMPARE(args.at(0).value<PlayList*>(), w->playList(myLists.mix));
    QCOMPARE(args.at(1).value<VideoEntry*>(), dragged);
    QCOMPARE(args.at(2).toInt(), indicator->getSortId());
    QCOMPARE(args.at(3).toBool(), afterLast);
    QCOMPARE(args.at(4).toInt(), 3 - indicator->getSortId());
    QCOMPARE(args.at(5).toInt(), int(ePlayListLocal));

    QCOMPARE(w->service.commands.count(), 1);
    const vsCmdStruct& command = w->service.commands.first();
    QCOMPARE(command.cmdType, int(vsUpdatePlayListOrder));
    QCOMPARE(command.playList.getId(), myLists.mix);
    QCOMPARE(command.video.getFavoriteId(), dragged->getFavoriteId());
    QCOMPARE(command.sortId, indicator->getSortId());
    QCOMPARE(command.afterLast, afterLast);
    QCOMPARE(command.rowCount, 3 - indicator->getSortId());
}

void TestFavoriteResultPage::favoritesOfTheAccountCannotBeReordered()
{
    w->select(myLists.accountFavorites);
    QCOMPARE(w->page->getPlayListType(), int(ePlayListAccountFavorites));
    w->page->getFavoriteDelegate()->setDropIndicator(w->entry(1), 0);
    QSignalSpy order(w->page, &FavoriteResultPage::vsUpdatePlayListOrder);
    w->page->setDragDropFavorite(w->entry(0));
    DialogAnswerer answer(true);
    QVERIFY(w->drop(w->favoritePoint(1), MIME_TYPE_FAVORITE));
    QVERIFY(answer.answered());
    QCOMPARE(answer.title, QStringLiteral("Favorites"));
    QCOMPARE(answer.text, QStringLiteral("Cannot change the order of Favorites"));
    QCOMPARE(order.count(), 0);
    QCOMPARE(w->dropIndicator(), w->entry(1));

    // Signed out, the account's lists take no edit at all: no question, no change.
    w->select(myLists.trips);
    w->setSignedIn(false);
    QSignalSpy account(w->page, &FavoriteResultPage::accountNeeded);
    w->page->setDragDropFavorite(w->entry(0));
    w->page->getFavoriteDelegate()->setDropIndicator(w->entry(0), 0);
    QVERIFY(w->drop(w->favoritePoint(0), MIME_TYPE_FAVORITE));
    QCOMPARE(account.count(), 1);
    QCOMPARE(order.count(), 0);
    QCOMPARE(w->dropIndicator(), w->entry(0));
}

void TestFavoriteResultPage::favoriteDropOnTrashAsks_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("question");
    QTest::addColumn<int>("command");
    QTest::newRow("from a playlist") << "Mix" << true << "Remove Video s2 from the playlist Mix?"
                                     << int(vsRemoveVideoFromPlayList);
    QTest::newRow("from a playlist, cancelled") << "Mix" << false << "Remove Video s2 from the playlist Mix?" << 0;
    QTest::newRow("from all favorites")
        << "All" << true
        << "Remove Video s2 from the favorites? It is removed from every local playlist and its stored copy is deleted."
        << int(vsRemoveVideoFromPlayList);
    QTest::newRow("from the account's favorites") << "Favorites" << true
                                                  << "Remove Video a2 from the playlist Favorites?"
                                                  << int(vsRemoveVideoFromYouTubeFavorites);
}

void TestFavoriteResultPage::favoriteDropOnTrashAsks()
{
    QFETCH(QString, shown);
    QFETCH(bool, confirm);
    QFETCH(QString, question);
    QFETCH(int, command);
    const int shownId = shown == "Mix" ? myLists.mix : shown == "All" ? int(ePlayListIdAllFavorites) : myLists.accountFavorites;
    w->select(shownId);
    VideoEntry* entry = w->entryByVideoId(shown == "Favorites" ? "a2" : "s2");
    QVERIFY(entry);
    w->page->getFavoriteDelegate()->setDropIndicator(entry, 0);
    w->page->setDragDropFavorite(entry);
    DialogAnswerer answer(confirm);
    QVERIFY(w->drop(w->trashPoint(), MIME_TYPE_FAVORITE));
    QVERIFY(answer.answered());
    QCOMPARE(answer.text, question);
    QCOMPARE(w->dropIndicator(), nullptr);
    QCOMPARE(w->service.commands.count(), command ? 1 : 0);
    if (command) {
        QCOMPARE(w->service.commands.first().cmdType, command);
        QCOMPARE(w->service.commands.first().playList.getId(), shownId);
        QCOMPARE(w->service.commands.first().video.getVideoId(), entry->getVideoId());
    }
}

void TestFavoriteResultPage::dragMoveSetsTheDropIndicator_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("share");
    QTest::addColumn<int>("flag");
    QTest::newRow("upper half of the first row") << 0 << 0.25 << 0;
    QTest::newRow("lower half of a middle row") << 1 << 0.75 << 0;
    QTest::newRow("upper half of the last row") << 2 << 0.25 << 0;
    QTest::newRow("lower half of the last row") << 2 << 0.75 << 1;
}

void TestFavoriteResultPage::dragMoveSetsTheDropIndicator()
{
    QFETCH(int, row);
    QFETCH(double, share);
    QFETCH(int, flag);
    w->select(myLists.mix);
    QVERIFY(w->dragMove(w->favoritePoint(row, share), MIME_TYPE_FAVORITE));
    int position = -1;
    QCOMPARE(w->dropIndicator(&position), w->entry(row));
    QCOMPARE(position, flag);

    // Over the playlist list or elsewhere the line stays where it was.
    QVERIFY(w->dragMove(w->playListPoint(myLists.mix), MIME_TYPE_FAVORITE));
    QVERIFY(w->dragMove(QPoint(400, 20), MIME_TYPE_FAVORITE));
    QCOMPARE(w->dropIndicator(), w->entry(row));
    // A playlist drag never sets it.
    w->page->clearDropIndicator();
    QVERIFY(w->dragMove(w->favoritePoint(row, share), MIME_TYPE_PLAYLIST));
    QCOMPARE(w->dropIndicator(), nullptr);
}

void TestFavoriteResultPage::dragMoveInTheDownloadQueue()
{
    // The queue holds the waiting entry and the one that cannot be downloaded.
    w->addQueued("q2", "Also waiting");
    w->controller->refreshLists();
    w->select(ePlayListIdDownloadQueue);
    QCOMPARE(w->page->getFavoriteDelegate()->getDelegateMode(), 0);
    const int q1 = w->rowOf("q1");
    const int q2 = w->rowOf("q2");
    const int i1 = w->rowOf("i1");
    QVERIFY(q1 >= 0 && q2 >= 0 && i1 >= 0);

    // The invalid entry takes no line.
    QVERIFY(w->dragMove(w->favoritePoint(i1, 0.25), MIME_TYPE_FAVORITE));
    QCOMPARE(w->dropIndicator(), nullptr);

    // The running download takes no line either.
    w->page->setDownloadProgress(10, "q2");
    QVERIFY(w->dragMove(w->favoritePoint(q2, 0.25), MIME_TYPE_FAVORITE));
    QCOMPARE(w->dropIndicator(), nullptr);

    // A row followed by an invalid entry puts the line below itself with flag 2.
    const int beforeInvalid = i1 - 1;
    QVERIFY(beforeInvalid >= 0);
    w->page->setDownloadProgress(10, "nothing");
    QVERIFY(w->dragMove(w->favoritePoint(beforeInvalid, 0.75), MIME_TYPE_FAVORITE));
    int flag = -1;
    QCOMPARE(w->dropIndicator(&flag), w->entry(beforeInvalid));
    QCOMPARE(flag, 2);
}

void TestFavoriteResultPage::setDragModeSwitchesTheButtons()
{
    FavoriteResultPage* page = w->page;
    for (const QString& format : {MIME_TYPE_PLAYLIST, MIME_TYPE_FAVORITE}) {
        page->setDragMode(true, format);
        QVERIFY(page->getTrashButton()->isEnabled());
        QVERIFY(!page->getPlayListButtons()->isEnabled());
        QVERIFY(!page->getActionButtons()->isEnabled());
        QVERIFY(!page->getSearchButton()->isEnabled());
        page->setDragMode(false, format);
        QVERIFY(page->getTrashButton()->isEnabled());
        QVERIFY(page->getPlayListButtons()->isEnabled());
        QVERIFY(page->getActionButtons()->isEnabled());
        QVERIFY(page->getSearchButton()->isEnabled());
    }
}

void TestFavoriteResultPage::isDownloadingOnlyInTheQueue()
{
    FavoriteResultPage* page = w->page;
    page->setDownloadProgress(55.5, "q1");
    VideoEntry* inFavorites = w->entryByVideoId("q1");
    QVERIFY(!page->isDownloading(inFavorites));
    w->select(ePlayListIdDownloadQueue);
    QVERIFY(page->isDownloading(w->entryByVideoId("q1")));
    QVERIFY(!page->isDownloading(w->entryByVideoId("i1")));
    QVERIFY(!page->isDownloading(nullptr));

    // Switching background downloading off stops the download: nothing is fetched.
    w->repository.setSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, 0);
    QVERIFY(!page->isDownloading(w->entryByVideoId("q1")));
}

void TestFavoriteResultPage::setDownloadProgressReachesThePainter()
{
    w->page->setDownloadProgress(73.9, "q1");
    QCOMPARE(w->page->getFavoriteDelegate()->getDownloadPercent(), 73);
    QCOMPARE(w->page->getFavoriteDelegate()->getDownloadVideoId(), QStringLiteral("q1"));
}

namespace {

// The region of every paint event a widget gets while it is installed.
struct PaintRecorder : QObject
{
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

void TestFavoriteResultPage::downloadProgressRepaintsOnlyItsRow_data()
{
    QTest::addColumn<int>("playList");
    QTest::addColumn<double>("percentBefore");
    QTest::addColumn<QString>("videoBefore");
    QTest::addColumn<double>("percent");
    QTest::addColumn<QString>("video");
    QTest::addColumn<QStringList>("repainted");
    const int queue = ePlayListIdDownloadQueue;
    QTest::newRow("the first report") << queue << 0.0 << "" << 12.5 << "q2" << QStringList{"q2"};
    QTest::newRow("a new whole percent") << queue << 12.9 << "q2" << 13.1 << "q2" << QStringList{"q2"};
    QTest::newRow("the same whole percent") << queue << 12.2 << "q2" << 12.9 << "q2" << QStringList{};
    QTest::newRow("the next video") << queue << 100.0 << "q2" << 0.5 << "q3" << QStringList{"q2", "q3"};
    QTest::newRow("the queue not shown") << int(ePlayListIdAllFavorites) << 12.0 << "q2" << 13.0 << "q2" << QStringList{};
}

// During a background download each report repaints the row it changes and nothing
// else of the list.
void TestFavoriteResultPage::downloadProgressRepaintsOnlyItsRow()
{
    QFETCH(int, playList);
    QFETCH(double, percentBefore);
    QFETCH(QString, videoBefore);
    QFETCH(double, percent);
    QFETCH(QString, video);
    QFETCH(QStringList, repainted);
    w->addQueued("q2", "Next in the queue");
    w->addQueued("q3", "Last in the queue");
    w->controller->refreshLists();
    w->select(playList);
    w->page->setDownloadProgress(percentBefore, videoBefore);
    w->paint();
    QCoreApplication::processEvents();

    FavoriteSweepList* view = w->page->getFavoriteView();
    PaintRecorder recorder;
    view->viewport()->installEventFilter(&recorder);
    w->page->setDownloadProgress(percent, video);
    QCoreApplication::processEvents();
    view->viewport()->removeEventFilter(&recorder);

    QRegion expected;
    for (const QString& id : repainted) {
        QVERIFY(w->rowOf(id) >= 0);
        expected += view->visualRect(w->page->getFavoriteModel()->index(w->rowOf(id), 0)) & view->viewport()->rect();
    }
    QCOMPARE(recorder.painted, expected);
}

void TestFavoriteResultPage::refillDuringADragForgetsTheDraggedEntry()
{
    // A finished background download refills the lists while a favourite is dragged:
    // the page must not keep pointers to the deleted entries.
    w->select(myLists.mix);
    w->page->setDragDropFavorite(w->entry(0));
    w->page->getFavoriteDelegate()->setDropIndicator(w->entry(1), 0);
    w->page->setDragDropPlaylist(w->playList(myLists.mix));
    w->controller->refreshLists();
    QCOMPARE(w->page->getDragDropFavorite(), nullptr);
    QCOMPARE(w->page->getDragDropPlaylist(), nullptr);
    QCOMPARE(w->dropIndicator(), nullptr);
    QVERIFY(w->drop(w->favoritePoint(1), MIME_TYPE_FAVORITE));
    QVERIFY(w->drop(w->playListPoint(myLists.empty), MIME_TYPE_FAVORITE));
    QVERIFY(w->service.commands.isEmpty());
}

void TestFavoriteResultPage::refillDuringTheQuestionRemovesTheRefilledEntry()
{
    // The question runs an event loop; a refill that arrives meanwhile deletes the
    // entry that was asked about. The answer must act on the entry now shown.
    w->select(myLists.mix);
    VideoEntry* asked = w->entryByVideoId("s2");
    const int favoriteId = asked->getFavoriteId();
    QSignalSpy removed(w->page, &FavoriteResultPage::vsRemoveVideoFromPlayList);
    QTimer::singleShot(0, this, [this]() { w->controller->refreshLists(); });
    DialogAnswerer answer(true);
    w->page->askRemoveFavorite(asked);
    QVERIFY(answer.answered());
    QCOMPARE(removed.count(), 1);
    VideoEntry* sent = removed.first().at(1).value<VideoEntry*>();
    QCOMPARE(sent, w->entryByVideoId("s2"));
    QCOMPARE(sent->getFavoriteId(), favoriteId);
    QCOMPARE(w->service.commands.first().video.getVideoId(), QStringLiteral("s2"));

    // A playlist removed meanwhile is not removed again.
    QSignalSpy removedPlayList(w->page, &FavoriteResultPage::vsRemovePlayList);
    QTimer::singleShot(0, this, [this]() {
        w->repository.removePlayList(myLists.empty);
        w->controller->refreshLists();
    });
    DialogAnswerer again(true);
    w->page->askRemovePlayList(w->playList(myLists.empty));
    QVERIFY(again.answered());
    QCOMPARE(removedPlayList.count(), 0);
}

// With the program's prompt set, the page shows no dialog of its own: what it tells or
// asks goes through the prompt (which, without anyone at the screen, only traces it).
void TestFavoriteResultPage::noticesAndQuestionsGoThroughThePrompt_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("logged");
    QTest::newRow("copying a video not downloaded")
        << "copy" << "inform|Favorites|Can't copy a video to playlist before it has been downloaded.";
    QTest::newRow("reordering the account's favorites")
        << "reorder" << "inform|Favorites|Cannot change the order of Favorites";
    QTest::newRow("a name in use") << "rename" << "inform|Favorites|A playlist with this name already exists.";
    QTest::newRow("removing a playlist") << "remove" << "ask|Remove playlist|Remove the playlist Mix and its list of videos?";
    QTest::newRow("copying the account's playlist") << "localize" << "show|Sending the YouTube playlist to device|";
}

void TestFavoriteResultPage::noticesAndQuestionsGoThroughThePrompt()
{
    QFETCH(QString, action);
    QFETCH(QString, logged);
    ScriptedPrompt prompt;
    w->page->setPrompt(&prompt);
    QSignalSpy removed(w->page, &FavoriteResultPage::vsRemovePlayList);
    DialogAnswerer dialogs(true);
    if (action == "copy") {
        w->page->setDragDropFavorite(w->entryByVideoId("q1"));
        QVERIFY(w->drop(w->playListPoint(myLists.mix), MIME_TYPE_FAVORITE));
    } else if (action == "reorder") {
        w->select(myLists.accountFavorites);
        w->page->getFavoriteDelegate()->setDropIndicator(w->entry(1), 0);
        w->page->setDragDropFavorite(w->entry(0));
        QVERIFY(w->drop(w->favoritePoint(1), MIME_TYPE_FAVORITE));
    } else if (action == "rename") {
        w->select(myLists.mix);
        w->page->getPlayListButton(FavoriteResultPage::eRenameButton)->click();
        w->page->getNameField()->setText(QStringLiteral("Empty"));
        w->page->getPlayListButton(FavoriteResultPage::eSaveNameButton)->click();
    } else if (action == "remove") {
        w->page->askRemovePlayList(w->playList(myLists.mix));
    } else if (action == "localize") {
        w->page->setDragDropPlaylist(w->playList(myLists.trips));
        QVERIFY(w->drop(w->playListPoint(myLists.mix), MIME_TYPE_PLAYLIST));
    }
    // Only a notice that closes itself is shown (by the prompt) without waiting.
    if (logged.startsWith(QLatin1String("show|"))) {
        QTRY_VERIFY(dialogs.answered());
    } else {
        QCoreApplication::processEvents();
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!dialogs.answered());
    }
    QCOMPARE(prompt.log, QStringList({logged}));
    // The prompt's Cancel is the user's.
    QCOMPARE(removed.count(), 0);
    w->page->setPrompt(nullptr);
    qDeleteAll(prompt.shown);
}

// The header band is the shared one: the service logo at the left and the back button
// where every other page has it.
void TestFavoriteResultPage::headerBandAsOnEveryPage()
{
    PageHeader* header = w->page->findChild<PageHeader*>();
    QVERIFY(header);
    bool logo = false;
    for (QLabel* label : header->findChildren<QLabel*>())
        logo = logo || !label->pixmap().isNull();
    QVERIFY(logo);
    QCOMPARE(header->getTitle(), QStringLiteral("Favorites"));

    QWidget other;
    other.resize(800, 480);
    PageHeader otherHeader(QStringLiteral("Search"), &other);
    otherHeader.setGeometry(0, 0, 800, otherHeader.height());
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    BackButton* back = w->page->getBackButton();
    QCOMPARE(back->mapTo(w->page, QPoint(0, 0)), otherHeader.getBackButton()->mapTo(&other, QPoint(0, 0)));
    QCOMPARE(back->size(), otherHeader.getBackButton()->size());
}

QTEST_MAIN(TestFavoriteResultPage)
#include "tst_favoriteresultpage.moc"
