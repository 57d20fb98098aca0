#include "tests/favorites/FavoritesFixture.h"
#include "shell/BackButton.h"

#include "core/constants/Settings.h"
#include "favorites/FocusManager.h"
#include "favorites/HistoryItemFavorites.h"
#include "shell/BackButton.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStyleOptionViewItem>
#include <QtTest>

// The favourites controller with its page: filling, refilling and restoring the
// lists, new playlists, renaming, playing, the download switch and the keys.
class TestFavoriteResultController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void playListSelectedSetsTheModes_data();
    void playListSelectedSetsTheModes();
    void emptyListMessages_data();
    void emptyListMessages();
    void foldersOpenAndCloseFromTheDatabase();
    void refreshKeepsSelectionAndPosition();
    void refreshAfterTheSelectedPlayListIsGone();
    void historyRestoresThePage();
    void createPlaylist_data();
    void createPlaylist();
    void renameThroughTheNameField();
    void playingAPlayListOrAFavorite();
    void downloadSwitchWritesTheSetting();
    void arrowKeysMoveRoundTheButtons();
    void theFocusIsVisible_data();
    void theFocusIsVisible();
    void screenshots();

private:
    QString emptyMessage();

    FavoritesWorld* w = nullptr;
    FavoritesWorld::PlayLists myLists;
};

void TestFavoriteResultController::init()
{
    w = new FavoritesWorld(FavoritesWorld::LocalCommands);
    w->addStored("s1", "Harbour at dawn");
    w->addStored("s2", "Mountain railway, the whole line from the valley to the summit station in one take");
    w->addLink("l1", "Street musicians");
    w->addLink("l2", "Cooking with cast iron");
    w->addStored("s3", "Night train");
    myLists = w->addPlayLists({"s1", "s2", "l1", "l2", "s3"});
    w->setSignedIn(true);
}

void TestFavoriteResultController::cleanup()
{
    delete w;
    w = nullptr;
}

void TestFavoriteResultController::playListSelectedSetsTheModes_data()
{
    QTest::addColumn<QString>("playList");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("rows");
    QTest::newRow("all local favorites") << "All" << 1 << 0 << 5;
    QTest::newRow("a playlist") << "Mix" << 1 << 4 << 5;
    QTest::newRow("an empty playlist") << "Empty" << 2 << 4 << 1;
    QTest::newRow("the empty download queue") << "Queue" << 2 << 1 << 1;
    QTest::newRow("a folder") << "Folder" << 2 << 2 << 1;
    QTest::newRow("the account's empty favorites") << "Favorites" << 2 << 5 << 1;
    QTest::newRow("none") << "none" << 2 << 0 << 1;
}

void TestFavoriteResultController::playListSelectedSetsTheModes()
{
    QFETCH(QString, playList);
    QFETCH(int, mode);
    QFETCH(int, type);
    QFETCH(int, rows);
    w->show();
    const QMap<QString, int> ids{{"All", ePlayListIdAllFavorites}, {"Mix", myLists.mix}, {"Empty", myLists.empty},
                                 {"Queue", ePlayListIdDownloadQueue}, {"Folder", ePlayListIdLocalFolder},
                                 {"Favorites", myLists.accountFavorites}};
    w->controller->playListSelected(ids.contains(playList) ? w->playList(ids[playList]) : nullptr);
    QCOMPARE(w->page->getFavoriteDelegate()->getDelegateMode(), mode);
    QCOMPARE(w->page->getPlayListType(), type);
    QCOMPARE(w->page->getFavoriteModel()->rowCount(), rows);
    if (mode == 2)
        QVERIFY(w->entry(0)->getVideoId().isEmpty()); // the placeholder that makes the message paint
}

QString TestFavoriteResultController::emptyMessage()
{
    FavoriteSweepList* view = w->page->getFavoriteView();
    RecordingPaintDevice device;
    QStyleOptionViewItem option;
    option.rect = view->visualRect(w->page->getFavoriteModel()->index(0, 0));
    {
        QPainter painter(&device);
        w->page->getFavoriteDelegate()->paint(&painter, option, w->page->getFavoriteModel()->index(0, 0));
    }
    RecordingPaintEngine& engine = device.engine();
    for (const RecordedText& text : engine.recordedTexts) {
        // The message sits in its box a quarter in from the left, below the middle.
        if (text.position.x() < 0.25 * view->width() - 1 || text.position.y() < view->height() / 2.1)
            return QStringLiteral("misplaced");
        if (text.weight != QFont::Bold || text.pointSize != 20)
            return QStringLiteral("wrong font");
    }
    return engine.allText();
}

void TestFavoriteResultController::emptyListMessages_data()
{
    QTest::addColumn<QString>("playList");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty download queue") << "Queue" << "NO DOWNLOADS";
    QTest::newRow("local playlist") << "Empty" << "EMPTY PLAYLIST";
    QTest::newRow("account playlist") << "Trips" << "EMPTY PLAYLIST";
    QTest::newRow("local folder") << "Folder" << "";
    QTest::newRow("account folder") << "AccountFolder" << "";
    QTest::newRow("account favorites") << "Favorites" << "NO FAVORITES";
    QTest::newRow("no local favorites") << "AllEmpty" << "NO FAVORITES";
}

void TestFavoriteResultController::emptyListMessages()
{
    QFETCH(QString, playList);
    QFETCH(QString, message);
    if (playList == "AllEmpty") {
        delete w;
        w = new FavoritesWorld(FavoritesWorld::LocalCommands);
    }
    w->show();
    const QMap<QString, int> ids{{"Queue", ePlayListIdDownloadQueue}, {"Empty", myLists.empty}, {"Trips", myLists.trips},
                                 {"Folder", ePlayListIdLocalFolder}, {"AccountFolder", myLists.accountFolder},
                                 {"Favorites", myLists.accountFavorites}, {"AllEmpty", ePlayListIdAllFavorites}};
    w->select(ids[playList]);
    QCOMPARE(w->page->getFavoriteDelegate()->getDelegateMode(), 2);
    QCOMPARE(emptyMessage().remove(QLatin1Char(' ')), QString(message).remove(QLatin1Char(' ')));
}

void TestFavoriteResultController::foldersOpenAndCloseFromTheDatabase()
{
    w->show(false);
    PlayListModel* model = w->page->getPlayListModel();
    // Both folders start collapsed: only the fixed rows and the two folder rows.
    QList<int> types;
    for (PlayList* p : model->entries())
        types << p->getType();
    QCOMPARE(types, (QList<int>{0, 1, 2, 3}));
    QVERIFY(w->playList(ePlayListIdLocalFolder)->isFolderCollapsed());

    // A playlist that appears in the database meanwhile is there when the folder opens.
    const int late = w->addPlayList(eLocalService, ePlayListLocal, "Late");
    QSignalSpy changed(w->page, &FavoriteResultPage::playListsChanged);
    w->page->getPlayListView()->setFocus();
    w->page->selectPlayListById(ePlayListIdLocalFolder);
    QTest::keyClick(w->page->getPlayListView(), Qt::Key_Return);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!model->isVsFolderCollapsed(0));
    QVERIFY(model->isVsFolderCollapsed(1));
    QVERIFY(!w->playList(ePlayListIdLocalFolder)->isFolderCollapsed());
    QVERIFY(w->playList(late));
    QVERIFY(w->playList(myLists.mix));
    QVERIFY(w->playList(myLists.empty));
    QCOMPARE(model->rowCount(), 7);
    // The folder row stays selected.
    QCOMPARE(w->page->getSelectedPlayList()->getId(), int(ePlayListIdLocalFolder));

    // The account folder by tap.
    w->paint();
    QTest::mouseClick(w->page->getPlayListView()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      w->page->getPlayListView()->viewport()->mapFrom(w->page, w->playListPoint(myLists.accountFolder)));
    QCOMPARE(changed.count(), 2);
    QVERIFY(!model->isVsFolderCollapsed(1));
    QVERIFY(w->playList(myLists.accountFavorites));
    QVERIFY(w->playList(myLists.trips));

    // An ordinary row ignores the toggle; Return on it emits it all the same.
    w->page->selectPlayListById(myLists.mix);
    QTest::keyClick(w->page->getPlayListView(), Qt::Key_Return);
    QCOMPARE(changed.count(), 2);

    // Closing the local folder drops its playlists from the model again.
    w->page->selectPlayListById(ePlayListIdLocalFolder);
    QTest::keyClick(w->page->getPlayListView(), Qt::Key_Return);
    QCOMPARE(changed.count(), 3);
    QVERIFY(model->isVsFolderCollapsed(0));
    QVERIFY(!w->playList(myLists.mix));
    QVERIFY(!w->playList(late));
    QVERIFY(w->playList(myLists.trips));
}

void TestFavoriteResultController::refreshKeepsSelectionAndPosition()
{
    for (int i = 0; i < 6; ++i)
        w->addToPlayList(QStringLiteral("x%1").arg(i), myLists.mix);
    w->show();
    w->select(myLists.mix);
    FavoriteSweepList* entries = w->page->getFavoriteView();
    QCOMPARE(w->page->getFavoriteModel()->rowCount(), 11);
    entries->setCurrentIndex(w->page->getFavoriteModel()->index(7, 0));
    entries->verticalScrollBar()->setValue(150);
    const int scroll = entries->verticalScrollBar()->value();
    QVERIFY(scroll > 0);

    // A new playlist ahead of the selected one moves its row.
    const int newer = w->addPlayList(eLocalService, ePlayListLocal, "Newer");
    w->controller->refreshLists();
    QVERIFY(w->playList(newer));
    QCOMPARE(w->page->getSelectedPlayList()->getId(), myLists.mix);
    QCOMPARE(w->page->getShownPlayListId(), myLists.mix);
    QCOMPARE(entries->currentIndex().row(), 7);
    QCOMPARE(entries->verticalScrollBar()->value(), scroll);
    QCOMPARE(w->page->getFavoriteModel()->rowCount(), 11);
}

void TestFavoriteResultController::refreshAfterTheSelectedPlayListIsGone()
{
    w->show();
    w->select(myLists.empty);
    const int row = w->page->getPlayListView()->currentIndex().row();
    w->repository.removePlayList(myLists.empty);
    w->controller->refreshLists();
    QVERIFY(!w->playList(myLists.empty));
    QCOMPARE(w->page->getPlayListView()->currentIndex().row(), row);
    PlayList* selected = w->page->getSelectedPlayList();
    QVERIFY(selected);
    QCOMPARE(w->page->getShownPlayListId(), selected->getId());
}

void TestFavoriteResultController::historyRestoresThePage()
{
    w->show();
    w->select(myLists.mix);
    w->page->getFavoriteView()->setCurrentIndex(w->page->getFavoriteModel()->index(3, 0));
    w->page->addToPageHistory();
    QCOMPARE(w->history.count(), 1);
    HistoryItemFavorites* item = qobject_cast<HistoryItemFavorites*>(w->history.last());
    QVERIFY(item);
    QCOMPARE(item->getPageId(), int(eFavoritePageId));
    QCOMPARE(item->getPlayListId(), myLists.mix);
    QCOMPARE(item->getFavoriteRow(), 3);

    w->select(ePlayListIdDownloadQueue);
    PageHistoryItem* last = w->history.takeLast();
    w->controller->restoreHistoryPosition(last);
    delete last;
    QCOMPARE(w->page->getSelectedPlayList()->getId(), myLists.mix);
    QCOMPARE(w->page->getFavoriteModel()->rowCount(), 5);
    QCOMPARE(w->page->getFavoriteView()->currentIndex().row(), 3);
    QCOMPARE(w->page->getFavoriteDelegate()->getDelegateMode(), 1);

    // An item of a playlist that is gone shows the first row.
    HistoryItemFavorites gone(999, 0, 0, 0);
    w->controller->restoreHistoryPosition(&gone);
    QCOMPARE(w->page->getSelectedPlayList()->getId(), int(ePlayListIdAllFavorites));
}

void TestFavoriteResultController::createPlaylist_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<int>("serviceId");   // -1: refused
    QTest::addColumn<QString>("name");
    QTest::newRow("in the local folder") << "Folder" << true << 0 << "Playlist 3";
    QTest::newRow("beside a local playlist") << "Mix" << true << 0 << "Playlist 3";
    QTest::newRow("from all local favorites") << "All" << true << 0 << "Playlist 3";
    QTest::newRow("in the account folder") << "AccountFolder" << true << 1 << "Playlist 2";
    QTest::newRow("in the account folder, signed out") << "AccountFolder" << false << -1 << "";
}

void TestFavoriteResultController::createPlaylist()
{
    QFETCH(QString, selected);
    QFETCH(bool, signedIn);
    QFETCH(int, serviceId);
    QFETCH(QString, name);
    w->setSignedIn(signedIn);
    w->show(false);
    const QMap<QString, int> ids{{"Folder", ePlayListIdLocalFolder}, {"All", ePlayListIdAllFavorites},
                                 {"AccountFolder", myLists.accountFolder}, {"Mix", myLists.mix}};
    if (selected == "Mix") {
        w->page->getPlayListModel()->setVsFolderCollapsed(0, false);
        w->controller->refreshLists();
    }
    w->select(ids[selected]);
    QSignalSpy account(w->page, &FavoriteResultPage::accountNeeded);
    // A user playlist offers renaming in the button's place; the slot still works there.
    QPushButton* newButton = w->page->getPlayListButton(FavoriteResultPage::eNewPlayListButton);
    const bool fromButton = selected != "Mix";
    QCOMPARE(w->page->getPlayListButtons()->currentWidget() == newButton, fromButton);
    if (fromButton)
        newButton->click();
    else
        w->controller->createPlaylist();

    if (serviceId < 0) {
        QCOMPARE(account.count(), 1);
        QVERIFY(w->service.commands.isEmpty());
        return;
    }
    QCOMPARE(w->service.commands.count(), 1);
    const vsCmdStruct& command = w->service.commands.first();
    QCOMPARE(command.cmdType, int(vsAddPlayList));
    QCOMPARE(command.playList.getServiceId(), serviceId);
    QCOMPARE(command.playList.getType(), serviceId == 0 ? int(ePlayListLocal) : int(ePlayListAccount));
    QCOMPARE(command.playList.getName(), name);
    QCOMPARE(command.playList.getDescription(), QStringLiteral("playlist made with Krelvox"));
    // Its folder is opened so that the new playlist shows.
    QVERIFY(!w->page->getPlayListModel()->isVsFolderCollapsed(serviceId));
    if (serviceId == 0) {
        // Carried out locally: the refilled tree holds it, as the current row.
        PlayList* created = w->page->getSelectedPlayList();
        QVERIFY(created);
        QCOMPARE(created->getName(), name);
        QCOMPARE(w->page->getShownPlayListId(), created->getId());
        // The next one takes the next free number.
        w->controller->createPlaylist();
        QCOMPARE(w->service.commands.last().playList.getName(), QStringLiteral("Playlist 4"));
    }
}

void TestFavoriteResultController::renameThroughTheNameField()
{
    w->show();
    w->select(myLists.mix);
    QStackedWidget* stack = w->page->getPlayListButtons();
    QCOMPARE(stack->currentWidget(), w->page->getPlayListButton(FavoriteResultPage::eRenameButton));
    w->page->getPlayListButton(FavoriteResultPage::eRenameButton)->click();
    QLineEdit* field = w->page->getNameField();
    QVERIFY(field->isVisible());
    QCOMPARE(field->text(), QStringLiteral("Mix"));
    QCOMPARE(stack->currentWidget(), w->page->getPlayListButton(FavoriteResultPage::eSaveNameButton));

    // The arrow keys stay with the field.
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), field);

    // A name that another local playlist has is refused with a notice.
    field->setText(QStringLiteral("Empty"));
    {
        DialogAnswerer answer(true);
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(answer.answered());
        QCOMPARE(answer.title, QStringLiteral("Favorites"));
        QCOMPARE(answer.text, QStringLiteral("A playlist with this name already exists."));
    }
    QVERIFY(w->service.commands.isEmpty());
    QVERIFY(field->isVisible());

    // Blank does nothing; a free name is stored and the field closes.
    field->setText(QStringLiteral("   "));
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(w->service.commands.isEmpty());
    field->setText(QStringLiteral("Road trip"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(w->service.commands.count(), 1);
    QCOMPARE(w->service.commands.first().cmdType, int(vsRenamePlayList));
    QCOMPARE(w->service.commands.first().text, QStringLiteral("Road trip"));
    QVERIFY(!field->isVisible());
    QCOMPARE(w->playList(myLists.mix)->getName(), QStringLiteral("Road trip"));
    QCOMPARE(w->page->getSelectedPlayList()->getId(), myLists.mix);

    // Fixed rows have nothing to rename.
    w->select(ePlayListIdAllFavorites);
    QCOMPARE(stack->currentWidget(), w->page->getPlayListButton(FavoriteResultPage::eNewPlayListButton));
}

void TestFavoriteResultController::playingAPlayListOrAFavorite()
{
    w->show();
    w->select(myLists.mix);
    QSignalSpy play(w->controller, &FavoriteResultController::playListFromVideo);
    QPushButton* playButton = w->page->getActionButton(FavoriteResultPage::ePlayButton);
    QCOMPARE(w->page->getActionButtons()->currentWidget(), playButton);
    QVERIFY(playButton->isEnabled());

    // Nothing selected: the whole playlist from its first entry.
    playButton->click();
    QCOMPARE(play.count(), 1);
    QCOMPARE(play.last().at(0).toInt(), myLists.mix);
    QCOMPARE(play.last().at(1).toInt(), -1);
    // Nothing shows the video yet: the page stays, so it records no step back to itself.
    QCOMPARE(w->history.count(), 0);

    // A selected favourite: from that one.
    FavoriteSweepList* entries = w->page->getFavoriteView();
    entries->setCurrentIndex(w->page->getFavoriteModel()->index(2, 0));
    playButton->click();
    QCOMPARE(play.last().at(1).toInt(), w->entry(2)->getFavoriteId());

    // Return in the list plays the current row.
    entries->setFocus();
    entries->setCurrentIndex(w->page->getFavoriteModel()->index(4, 0));
    QTest::keyClick(entries, Qt::Key_Return);
    QCOMPARE(play.count(), 3);
    QCOMPARE(play.last().at(0).toInt(), myLists.mix);
    QCOMPARE(play.last().at(1).toInt(), w->entry(4)->getFavoriteId());
    QCOMPARE(w->history.count(), 0);

    // An empty list and a folder have nothing to play.
    w->select(myLists.empty);
    QVERIFY(!playButton->isEnabled());
    QTest::keyClick(entries, Qt::Key_Return);
    w->select(ePlayListIdLocalFolder);
    QVERIFY(!playButton->isEnabled());
    QCOMPARE(play.count(), 3);
}

void TestFavoriteResultController::downloadSwitchWritesTheSetting()
{
    w->addQueued("q1", "Waiting");
    w->show();
    w->select(ePlayListIdDownloadQueue);
    QCOMPARE(w->page->getFavoriteDelegate()->getDelegateMode(), 0);
    QPushButton* button = w->page->getActionButton(FavoriteResultPage::eDownloadSwitchButton);
    QCOMPARE(w->page->getActionButtons()->currentWidget(), button);
    QCOMPARE(button->text(), QStringLiteral("STOP DOWNLOADING"));

    QSignalSpy status(&w->repository, &Repository::backgroundDownloadStatusChanged);
    button->click();
    QCOMPARE(status.count(), 1);
    int enabled = -1;
    w->repository.getSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, enabled);
    QCOMPARE(enabled, 0);
    QCOMPARE(button->text(), QStringLiteral("START DOWNLOADING"));
    button->click();
    w->repository.getSetting(SETTING_BACKGROUND_DOWNLOADING_ENABLED, enabled);
    QCOMPARE(enabled, 1);
    QCOMPARE(button->text(), QStringLiteral("STOP DOWNLOADING"));

    // Any other playlist shows the play button instead.
    w->select(myLists.mix);
    QCOMPARE(w->page->getActionButtons()->currentIndex(), int(FavoriteResultPage::ePlayButton));
}

void TestFavoriteResultController::arrowKeysMoveRoundTheButtons()
{
    w->show();
    w->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w->window));
    FavoriteResultPage* page = w->page;
    page->getTrashButton()->setFocus();
    page->getFocusManager()->useList(0, page->getTrashButton());

    QTest::keyClick(page->getTrashButton(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), page->getSearchButton());
    QTest::keyClick(page->getSearchButton(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), page->getPlayListView());
    // In the list, Left is the list's own signal; the ring goes back to the search button.
    QTest::keyClick(page->getPlayListView(), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), page->getSearchButton());
    QTest::keyClick(page->getSearchButton(), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), page->getTrashButton());
    QTest::keyClick(page->getTrashButton(), Qt::Key_Left);
    QCOMPARE(QApplication::focusWidget(), page->getActionButtons()->currentWidget());

    // Return clicks the focused button.
    QSignalSpy search(page, &FavoriteResultPage::searchRequested);
    page->getSearchButton()->setFocus();
    QTest::keyClick(page->getSearchButton(), Qt::Key_Return);
    QCOMPARE(search.count(), 1);
}

void TestFavoriteResultController::theFocusIsVisible_data()
{
    QTest::addColumn<int>("position");
    const char* const names[] = {"playlist list", "favourite list", "back button", "playlist buttons",
                                 "action buttons", "trash button", "search button"};
    for (int i = 0; i < 7; ++i)
        QTest::newRow(names[i]) << i;
}

// Each place of the page's focus ring looks different while it has the focus.
void TestFavoriteResultController::theFocusIsVisible()
{
    QFETCH(int, position);
    w->show();
    w->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w->window));
    FavoriteResultPage* page = w->page;
    const QList<QWidget*> ring = {page->getPlayListView(), page->getFavoriteView(),
                                  static_cast<QWidget*>(page->getBackButton()), page->getPlayListButtons(),
                                  page->getActionButtons(), page->getTrashButton(), page->getSearchButton()};
    QWidget* widget = ring.at(position);
    // The focus elsewhere: on the next place of the ring.
    QWidget* other = ring.at((position + 1) % ring.size());
    page->getFocusManager()->useList(0, other);
    page->getFocusManager()->setFocusToCurrent();
    const QImage without = widget->grab().toImage();

    page->getFocusManager()->useList(0, other);
    page->getFocusManager()->focusPrevious(QApplication::focusWidget());
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused == widget || widget->isAncestorOf(focused));
    const QImage with = widget->grab().toImage();
    QVERIFY(with != without);
}

void TestFavoriteResultController::screenshots()
{
    w->addQueued("q1", "Waiting for the background channel");
    w->addQueued("q2", "Also in the queue");
    w->addInvalid("i1", "Removed by its uploader");
    w->show();
    QVERIFY(TestEnvironment::saveScreenshot(&w->window, "favorites-both-folders-open"));
    // The tree scrolled down to the account folder and its lists.
    w->page->getPlayListView()->scrollToBottom();
    QVERIFY(TestEnvironment::saveScreenshot(&w->window, "favorites-both-folders-open-account"));
    w->select(myLists.mix);
    w->page->getFavoriteView()->setCurrentIndex(w->page->getFavoriteModel()->index(1, 0));
    w->paint();
    QVERIFY(TestEnvironment::saveScreenshot(&w->window, "favorites-playlist-of-five"));
    // A long playlist name beside the focused trash button.
    const int longName = w->addPlayList(0, ePlayListLocal, "Summer holidays at the lake cabin with the whole family");
    w->controller->refreshLists();
    w->select(longName);
    w->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w->window));
    w->page->getTrashButton()->setFocus();
    QVERIFY(TestEnvironment::saveScreenshot(&w->window, "favorites-long-name-focused-button"));
    w->select(ePlayListIdDownloadQueue);
    w->page->setDownloadProgress(42.5, "q1");
    QVERIFY(TestEnvironment::saveScreenshot(&w->window, "favorites-download-queue"));
    struct Empty { int id; const char* name; };
    w->repository.removeFavorite(w->entryByVideoId("q1"), ePlayListIdAllFavorites);
    w->repository.removeFavorite(w->entryByVideoId("q2"), ePlayListIdAllFavorites);
    w->repository.removeFavorite(w->entryByVideoId("i1"), ePlayListIdAllFavorites);
    for (const Empty& empty : {Empty{ePlayListIdDownloadQueue, "favorites-empty-download-queue"},
                               Empty{myLists.empty, "favorites-empty-playlist"},
                               Empty{myLists.accountFavorites, "favorites-empty-account-favorites"},
                               Empty{ePlayListIdLocalFolder, "favorites-folder-selected"}}) {
        w->controller->refreshLists();
        w->select(empty.id);
        QCOMPARE(w->page->getFavoriteDelegate()->getDelegateMode(), 2);
        QVERIFY(TestEnvironment::saveScreenshot(&w->window, empty.name));
    }
}

QTEST_MAIN(TestFavoriteResultController)
#include "tst_favoriteresultcontroller.moc"
