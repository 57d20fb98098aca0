// The playlist tree model and its rows: flags per service id, one inserted row per
// playlist, reset on clear, lookups by id, and what a row shows (icon, fixed rows).
// Its display role is checked with the other list models.
#include "tests/support/TestSupport.h"

#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Repository.h"
#include "core/SharedImages.h"

#include <QSignalSpy>
#include <QtTest>

class TestPlayListModel : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;

private Q_SLOTS:
    void bothFoldersStartCollapsed()
    {
        PlayListModel model(nullptr);
        QVERIFY(model.isVsFolderCollapsed(0));
        QVERIFY(model.isVsFolderCollapsed(1));
        QCOMPARE(model.getVsFolderCollapsedFlags()[0], true);
        QCOMPARE(model.getVsFolderCollapsedFlags()[1], true);
        QCOMPARE(model.rowCount(), 0);
    }

    void flagsPerServiceId_data()
    {
        QTest::addColumn<int>("vsId");
        QTest::addColumn<bool>("valid");
        QTest::newRow("local") << 0 << true;
        QTest::newRow("account") << 1 << true;
        QTest::newRow("two") << 2 << false;
        QTest::newRow("negative") << -1 << false;
    }

    void flagsPerServiceId()
    {
        QFETCH(int, vsId);
        QFETCH(bool, valid);
        PlayListModel model(nullptr);
        model.setVsFolderCollapsed(vsId, false);
        QCOMPARE(model.isVsFolderCollapsed(vsId), false);
        model.toggleVsFolderCollapsed(vsId);
        QCOMPARE(model.isVsFolderCollapsed(vsId), valid);
        // The other service's flag, and both stored flags for a bad id, stay put.
        const int other = vsId == 0 ? 1 : 0;
        QCOMPARE(model.isVsFolderCollapsed(other), true);
        if (!valid) {
            QCOMPARE(model.getVsFolderCollapsedFlags()[0], true);
            QCOMPARE(model.getVsFolderCollapsedFlags()[1], true);
        }
    }

    void addingAnnouncesExactlyOneRow()
    {
        PlayListModel model(nullptr);
        QSignalSpy about(&model, &QAbstractItemModel::rowsAboutToBeInserted);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        model.addPlayList(nullptr);
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(about.count(), 0);
        QCOMPARE(model.rowCount(), 0);

        model.addPlayList(new PlayList(7, 0, 4, QStringLiteral("a")));
        model.addPlayList(new PlayList(8, 0, 4, QStringLiteral("b")));
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(inserted.at(1).at(1).toInt(), 1);
        QCOMPARE(inserted.at(1).at(2).toInt(), 1);
        QVERIFY(!inserted.at(1).at(0).value<QModelIndex>().isValid());
        QCOMPARE(model.rowCount(), 2);
    }

    void clearResetsEvenWhenEmpty()
    {
        PlayListModel model(nullptr);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.clear();
        QCOMPARE(reset.count(), 1);
        model.addPlayList(new PlayList(1, 0, 0, QStringLiteral("x")));
        model.clear();
        QCOMPARE(reset.count(), 2);
        QCOMPARE(model.rowCount(), 0);
    }

    void lookupsById()
    {
        PlayListModel model(nullptr);
        PlayList* a = new PlayList(10, 0, 4, QStringLiteral("a"));
        PlayList* b = new PlayList(20, 1, 6, QStringLiteral("b"));
        PlayList* duplicate = new PlayList(20, 1, 6, QStringLiteral("b2"));
        model.addPlayList(a);
        model.addPlayList(b);
        model.addPlayList(duplicate);
        QCOMPARE(model.getPlayListById(20), b);
        QCOMPARE(model.getPlayListIndex(20).row(), 1);
        QCOMPARE(model.getPlayListIndex(10).column(), 0);
        QVERIFY(!model.getPlayListIndex(10).parent().isValid());
        QVERIFY(!model.getPlayListById(99));
        QVERIFY(!model.getPlayListIndex(99).isValid());
    }

    void fillWithBothFlagsTrueGivesFixedAndFolderRows()
    {
        TestWorld world;
        Repository& repository = *world.repository;
        PlayList local(0, 0, ePlayListLocal, QStringLiteral("Mine"));
        QCOMPARE(repository.addPlayList(&local), 0);
        QVERIFY(repository.addAccountPlayListFolder() > 0);
        PlayList remote(0, 1, ePlayListAccount, QStringLiteral("Remote"));
        QCOMPARE(repository.addPlayList(&remote), 0);
        PlayListModel model(&repository);
        QCOMPARE(repository.getPlayLists(&model, model.getVsFolderCollapsedFlags()), 0);
        QList<int> types;
        for (PlayList* p : model.entries())
            types << p->getType();
        QCOMPARE(types, QList<int>({0, 1, 2, 3}));
        // Folder rows carry the collapsed flag of their service.
        QVERIFY(model.entries().at(2)->isFolderCollapsed());
        QVERIFY(model.entries().at(3)->isFolderCollapsed());
    }

    void iconByType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("collapsed");
        QTest::addColumn<QString>("icon");
        QTest::newRow("all favourites") << 0 << false << ":icons/list_open.svg";
        QTest::newRow("queue") << 1 << false << ":icons/folder_downloading.svg";
        QTest::newRow("local folder collapsed") << 2 << true << ":icons/local_playlist_main_open.svg";
        QTest::newRow("local folder open") << 2 << false << ":icons/local_playlist_main_close.svg";
        QTest::newRow("account folder collapsed") << 3 << true << ":icons/youtube_playlist_open.svg";
        QTest::newRow("account folder open") << 3 << false << ":icons/youtube_playlist_close.svg";
        QTest::newRow("local playlist") << 4 << false << ":icons/local_playlist.svg";
        QTest::newRow("account favourites") << 5 << false << ":icons/youtube_playlist.svg";
        QTest::newRow("account playlist") << 6 << false << ":icons/youtube_playlist.svg";
        QTest::newRow("unknown") << 9 << false << ":icons/star5.svg";
    }

    void iconByType()
    {
        QFETCH(int, type);
        QFETCH(bool, collapsed);
        QFETCH(QString, icon);
        PlayList playList(50, 0, type, QStringLiteral("x"));
        playList.setFolderOpen(collapsed);
        QCOMPARE(&playList.getIcon(), &getSharedImage(icon));
        QVERIFY(!playList.getIcon().isNull());
    }

    void fixedRows_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("fixed");
        QTest::newRow("all favourites") << 1 << 0 << true;
        QTest::newRow("queue") << 2 << 1 << true;
        QTest::newRow("local folder") << 3 << 2 << true;
        QTest::newRow("account folder") << 40 << 3 << true;
        QTest::newRow("account favourites") << 41 << 5 << true;
        QTest::newRow("local playlist") << 42 << 4 << false;
        QTest::newRow("account playlist") << 43 << 6 << false;
    }

    void fixedRows()
    {
        QFETCH(int, id);
        QFETCH(int, type);
        QFETCH(bool, fixed);
        QCOMPARE(PlayList(id, 0, type, QStringLiteral("x")).isFixed(), fixed);
    }
};

QTEST_MAIN(TestPlayListModel)
#include "tst_playlistmodel.moc"
