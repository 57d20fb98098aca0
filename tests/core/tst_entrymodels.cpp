// The comment, contact and message list models and the contact filter: rows are
// announced one by one, only the display role answers (of the playlist and video
// models too), clearing resets, and late
// answers for entries that are gone change nothing. The video model takes batches as
// one block and can be filled a page at a time.
#include "tests/support/TestSupport.h"

#include "core/CommentListModel.h"
#include "core/ContactListModel.h"
#include "core/MessageListModel.h"
#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/VideoListModel.h"

#include <QImage>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

// A list of count videos, read into a video model the way the repository's page
// reads do: each read appends the next entries as one block. Records the limits it
// was asked for.
struct PagedSource
{
    explicit PagedSource(int count) : count(count) {}

    VideoListModel::PageReader reader()
    {
        return [this](VideoListModel* model, int limit) {
            limits << limit;
            if (fail)
                return false;
            if (duringRead)
                duringRead(model);
            QList<VideoEntry*> page;
            for (; next < count && page.size() < limit; ++next) {
                page << new VideoEntry;
                page.last()->setVideoId(QStringLiteral("v%1").arg(next));
            }
            model->addEntries(page);
            return true;
        };
    }

    int count;
    int next = 0;
    bool fail = false;
    std::function<void(VideoListModel*)> duringRead;
    QList<int> limits;
};

class TestEntryModels : public QObject
{
    Q_OBJECT

private:
    static QString savePicture(const TestEnvironment& env, const QString& name)
    {
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        const QString path = env.root() + QLatin1Char('/') + name;
        picture.save(path);
        return path;
    }

    static QStringList proxyNames(const QAbstractItemModel& proxy)
    {
        QStringList names;
        for (int row = 0; row < proxy.rowCount(); ++row)
            names << itemAt<ContactEntry>(proxy, row)->getUserName();
        return names;
    }

private Q_SLOTS:
    void commentRowsAreAnnouncedOneByOne()
    {
        CommentListModel model;
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        for (int i = 0; i < 5; ++i)
            model.addEntry(new CommentEntry(QStringLiteral("a%1").arg(i), QStringLiteral("text"), QStringLiteral("1.2.2009")));
        model.addEntry(nullptr);
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(inserted.count(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(inserted.at(i).at(1).toInt(), i);
            QCOMPARE(inserted.at(i).at(2).toInt(), i);
        }
        QCOMPARE(itemAt<CommentEntry>(model, 3)->getAuthor(), QStringLiteral("a3"));
    }

    void commentClearKeepsTheTotal()
    {
        CommentListModel model;
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        model.setTotal(123);
        model.clear();
        QCOMPARE(reset.count(), 1);
        model.addEntry(new CommentEntry);
        model.clear();
        QCOMPARE(reset.count(), 2);
        QCOMPARE(removed.count(), 0);
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.getTotal(), 123);
    }

    void displayRoleOnly_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("role");
        QTest::addColumn<bool>("valid");
        QTest::newRow("display") << 0 << int(Qt::DisplayRole) << true;
        QTest::newRow("tool tip") << 0 << int(Qt::ToolTipRole) << false;
        QTest::newRow("edit") << 0 << int(Qt::EditRole) << false;
        QTest::newRow("decoration") << 0 << int(Qt::DecorationRole) << false;
        QTest::newRow("user role") << 0 << int(Qt::UserRole) << false;
        QTest::newRow("row at the count") << 1 << int(Qt::DisplayRole) << false;
        QTest::newRow("far row") << 50 << int(Qt::DisplayRole) << false;
        QTest::newRow("invalid index") << -1 << int(Qt::DisplayRole) << false;
    }

    void displayRoleOnly()
    {
        QFETCH(int, row);
        QFETCH(int, role);
        QFETCH(bool, valid);

        ModelProbe<CommentListModel> comments;
        comments.addEntry(new CommentEntry);
        ModelProbe<ContactListModel> contacts;
        contacts.addEntry(new ContactEntry(QStringLiteral("c"), QString(), false));
        ModelProbe<MessageListModel> messages;
        messages.addEntry(new MessageEntry);
        ModelProbe<VideoListModel> videos(nullptr);
        videos.addEntry(new VideoEntry);
        ModelProbe<PlayListModel> playLists(nullptr);
        PlayList* playList = new PlayList(5, 0, 4, QStringLiteral("a"));
        playLists.addPlayList(playList);

        auto at = [row](const auto& model) { return row < 0 ? QModelIndex() : model.indexForRow(row); };
        const QVariant comment = comments.data(at(comments), role);
        const QVariant contact = contacts.data(at(contacts), role);
        const QVariant message = messages.data(at(messages), role);
        const QVariant video = videos.data(at(videos), role);
        const QVariant list = playLists.data(at(playLists), role);
        QCOMPARE(comment.isValid(), valid);
        QCOMPARE(contact.isValid(), valid);
        QCOMPARE(message.isValid(), valid);
        QCOMPARE(video.isValid(), valid);
        QCOMPARE(list.isValid(), valid);
        if (valid) {
            QCOMPARE(QByteArray(comment.metaType().name()), QByteArray("CommentEntry*"));
            QCOMPARE(QByteArray(contact.metaType().name()), QByteArray("ContactEntry*"));
            QCOMPARE(QByteArray(message.metaType().name()), QByteArray("MessageEntry*"));
            QCOMPARE(QByteArray(video.metaType().name()), QByteArray("VideoEntry*"));
            QCOMPARE(QByteArray(list.metaType().name()), QByteArray("PlayList*"));
            QCOMPARE(list.value<PlayList*>(), playList);
        }
    }

    void contactFilters_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("my contacts") << 4 << QStringList({"friend", "pal"});
        QTest::newRow("invitations") << 8 << QStringList({"stranger"});
        QTest::newRow("both bits") << (4 | 8) << QStringList({"friend", "stranger", "pal"});
        QTest::newRow("all") << 2 << QStringList({"friend", "stranger", "pal"});
        QTest::newRow("no bit") << 0 << QStringList();
    }

    void contactFilters()
    {
        QFETCH(int, filter);
        QFETCH(QStringList, shown);
        ContactListModel model;
        ContactFilterProxyModel proxy(nullptr, filter);
        proxy.setSourceModel(&model);
        QCOMPARE(proxy.rowCount(), 0);
        model.addEntry(new ContactEntry(QStringLiteral("friend"), QStringLiteral("1.1.2009"), false));
        model.addEntry(new ContactEntry(QStringLiteral("stranger"), QStringLiteral("2.1.2009"), true));
        model.addEntry(new ContactEntry(QStringLiteral("pal"), QStringLiteral("3.1.2009"), false));
        QCOMPARE(proxyNames(proxy), shown);
        model.clear();
        QCOMPARE(proxy.rowCount(), 0);
    }

    void addingAPendingContactShowsInInvitationsOnly()
    {
        ContactListModel model;
        ContactFilterProxyModel contacts(nullptr, eContactFilter::Accepted);
        ContactFilterProxyModel invitations(nullptr, eContactFilter::Pending);
        contacts.setSourceModel(&model);
        invitations.setSourceModel(&model);
        QSignalSpy contactRows(&contacts, &QAbstractItemModel::rowsInserted);
        QSignalSpy invitationRows(&invitations, &QAbstractItemModel::rowsInserted);
        QSignalSpy modelRows(&model, &QAbstractItemModel::rowsInserted);
        model.addEntry(new ContactEntry(QStringLiteral("new"), QString(), true));
        QCOMPARE(modelRows.count(), 1);
        QCOMPARE(invitationRows.count(), 1);
        QCOMPARE(contactRows.count(), 0);
        model.addEntry(new ContactEntry(QStringLiteral("old"), QString(), false));
        QCOMPARE(contactRows.count(), 1);
        QCOMPARE(invitationRows.count(), 1);
    }

    void contactProfileAndPicture()
    {
        TestEnvironment env;
        ContactListModel model;
        ContactEntry* entry = new ContactEntry(QStringLiteral("bob"), QStringLiteral("5.6.2008"), false);
        model.addEntry(entry);
        QCOMPARE(model.findEntryIndex(entry), 0);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

        model.addContactInfo(entry, QStringLiteral("1.1.2007"), QStringLiteral("12"), QStringLiteral("2.2.2009"),
                             QStringLiteral("3"), QStringLiteral("http://example.invalid/bob.jpg"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QModelIndex>().row(), 0);
        QCOMPARE(entry->getJoined(), QStringLiteral("1.1.2007"));
        QCOMPARE(entry->getWatched(), QStringLiteral("12"));
        QCOMPARE(entry->getLogged(), QStringLiteral("2.2.2009"));
        QCOMPARE(entry->getUploads(), QStringLiteral("3"));
        QCOMPARE(entry->getThumbnailUrl(), QStringLiteral("http://example.invalid/bob.jpg"));

        model.addThumbnailToEntry(entry, savePicture(env, "contact_thumb_bob.png"));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(entry->getThumbnail().size(), QSize(20, 10));

        // A file that is no picture keeps the old picture; the row still repaints.
        QTest::ignoreMessage(QtDebugMsg, "ContactEntry::setContactThumbnail: Error with loading thumbnail");
        model.addThumbnailToEntry(entry, env.root() + "/missing.png");
        QCOMPARE(changed.count(), 3);
        QCOMPARE(entry->getThumbnail().size(), QSize(20, 10));
    }

    void lateContactAnswersAfterClearDoNothing()
    {
        TestEnvironment env;
        ContactListModel model;
        ContactEntry* stale = new ContactEntry(QStringLiteral("gone"), QString(), false);
        model.addEntry(stale);
        model.clear();
        // A different entry that was never added is as unknown as a deleted one.
        ContactEntry outsider(QStringLiteral("outsider"), QString(), false);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QCOMPARE(model.findEntryIndex(stale), -1);
        model.addContactInfo(stale, "a", "b", "c", "d", "e");
        model.addThumbnailToEntry(stale, savePicture(env, "x.png"));
        model.addContactInfo(&outsider, "a", "b", "c", "d", "e");
        model.addThumbnailToEntry(&outsider, savePicture(env, "y.png"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(outsider.getJoined(), QString());
        QVERIFY(outsider.getThumbnail().isNull());
    }

    void messagesInFeedOrderAndLatePictures()
    {
        TestEnvironment env;
        MessageListModel model;
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        MessageEntry* first = new MessageEntry;
        first->setTitle(QStringLiteral("first"));
        MessageEntry* second = new MessageEntry;
        second->setTitle(QStringLiteral("second"));
        model.addEntry(first);
        model.addEntry(nullptr);
        model.addEntry(second);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(inserted.at(1).at(1).toInt(), 1);
        QCOMPARE(model.findEntryIndex(second), 1);

        model.addThumbnailToEntry(second, savePicture(env, "m.png"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QModelIndex>().row(), 1);
        QVERIFY(!second->getThumbnail().isNull());

        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        model.clear();
        QCOMPARE(reset.count(), 1);
        model.clear();
        QCOMPARE(reset.count(), 2);
        MessageEntry outsider;
        model.addThumbnailToEntry(&outsider, savePicture(env, "n.png"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(outsider.getThumbnail().isNull());
    }

    void messagePictureThatCannotBeLoaded()
    {
        MessageEntry entry;
        QTest::ignoreMessage(QtDebugMsg, "MessageEntry::setMessageThumbnail: Error with loading thumbnail");
        entry.setMessageThumbnail(QStringLiteral("/nonexistent/picture.png"));
        QVERIFY(entry.getThumbnail().isNull());
        QCOMPARE(entry.getThumbnailFile(), QString());
    }

    void videoModelRemovesOneRow()
    {
        VideoListModel model(nullptr);
        VideoEntry* a = new VideoEntry;
        VideoEntry* b = new VideoEntry;
        model.addEntry(a);
        model.addEntry(b);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        VideoEntry outsider;
        QVERIFY(!model.removeEntry(&outsider));
        QVERIFY(model.removeEntry(a));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toInt(), 0);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.entryAt(0), b);
        QVERIFY(!model.entryAt(1));
        QVERIFY(!model.entryAt(-1));
    }

    // A batch lands behind the rows already there as one block; null entries are
    // dropped, and a batch with nothing in it announces nothing.
    void videoBatchIsOneBlockOfRows_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QList<bool>>("batch"); // true: an entry, false: a null pointer
        QTest::addColumn<int>("added");
        QTest::newRow("into an empty model") << 0 << QList<bool>{true, true, true} << 3;
        QTest::newRow("behind two rows") << 2 << QList<bool>{true, true} << 2;
        QTest::newRow("one entry") << 1 << QList<bool>{true} << 1;
        QTest::newRow("nulls between") << 1 << QList<bool>{false, true, false, true, false} << 2;
        QTest::newRow("only nulls") << 2 << QList<bool>{false, false} << 0;
        QTest::newRow("empty batch") << 2 << QList<bool>{} << 0;
    }

    void videoBatchIsOneBlockOfRows()
    {
        QFETCH(int, before);
        QFETCH(QList<bool>, batch);
        QFETCH(int, added);

        VideoListModel model(nullptr);
        for (int i = 0; i < before; ++i)
            model.addEntry(new VideoEntry);
        QList<VideoEntry*> entries;
        QList<VideoEntry*> expected;
        for (bool real : batch) {
            VideoEntry* entry = real ? new VideoEntry : nullptr;
            if (entry) {
                entry->setVideoId(QStringLiteral("v%1").arg(expected.count()));
                expected << entry;
            }
            entries << entry;
        }
        QSignalSpy about(&model, &QAbstractItemModel::rowsAboutToBeInserted);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        model.addEntries(entries);

        QCOMPARE(model.rowCount(), before + added);
        QCOMPARE(inserted.count(), added > 0 ? 1 : 0);
        QCOMPARE(about.count(), inserted.count());
        if (added > 0) {
            QCOMPARE(inserted.at(0).at(1).toInt(), before);
            QCOMPARE(inserted.at(0).at(2).toInt(), before + added - 1);
        }
        for (int i = 0; i < expected.count(); ++i) {
            QCOMPARE(model.entryAt(before + i), expected.at(i));
            QCOMPARE(model.findEntryIndex(expected.at(i)), before + i);
        }
    }

    // A paged model reads nothing until asked; each fetchMore appends one page as one
    // block, and the list has ended after the first page that is not full.
    void videoModelReadsPagesOnDemand_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pageSize");
        QTest::addColumn<QList<int>>("pages"); // rows each read brought
        QTest::newRow("empty list") << 0 << 3 << QList<int>{0};
        QTest::newRow("last page short") << 5 << 2 << QList<int>{2, 2, 1};
        QTest::newRow("last page full") << 4 << 2 << QList<int>{2, 2, 0};
        QTest::newRow("one page holds all") << 1 << 5 << QList<int>{1};
    }

    void videoModelReadsPagesOnDemand()
    {
        QFETCH(int, count);
        QFETCH(int, pageSize);
        QFETCH(QList<int>, pages);
        PagedSource source(count);
        ModelProbe<VideoListModel> model(nullptr);
        QVERIFY(!model.canFetchMore());
        model.setPageReader(source.reader(), pageSize);
        QVERIFY(model.canFetchMore());
        QVERIFY(!model.canFetchMore(model.indexForRow(0)));
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(source.limits.isEmpty());

        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        int rows = 0;
        int blocks = 0;
        for (int i = 0; i < pages.size(); ++i) {
            QVERIFY(model.canFetchMore());
            model.fetchMore();
            rows += pages.at(i);
            blocks += pages.at(i) > 0 ? 1 : 0;
            QCOMPARE(model.rowCount(), rows);
            QCOMPARE(inserted.count(), blocks);
        }
        QVERIFY(!model.canFetchMore());
        model.fetchMore();
        QCOMPARE(source.limits, QList<int>(pages.size(), pageSize));
        QCOMPARE(model.rowCount(), count);
        for (int row = 0; row < count; ++row)
            QCOMPARE(model.entryAt(row)->getVideoId(), QStringLiteral("v%1").arg(row));
    }

    // fetchUntil reads as far as a row in one read of at least a page; a row past the
    // end reads the rest and is not there.
    void videoModelFetchUntil()
    {
        PagedSource source(10);
        VideoListModel model(nullptr);
        model.setPageReader(source.reader(), 3);
        QVERIFY(!model.fetchUntil(-1));
        QVERIFY(model.fetchUntil(7));
        QCOMPARE(model.rowCount(), 8);
        QVERIFY(model.canFetchMore());
        QVERIFY(model.fetchUntil(5));
        QVERIFY(model.fetchUntil(8));
        QCOMPARE(model.rowCount(), 10);
        QCOMPARE(source.limits, QList<int>({8, 3}));
        QVERIFY(!model.canFetchMore());
        QVERIFY(!model.fetchUntil(10));
        QCOMPARE(source.limits.size(), 2);

        // A reader that keeps its place in itself goes on from there.
        VideoListModel own(nullptr);
        own.setPageReader(
            [next = 0](VideoListModel* model, int limit) mutable {
                QList<VideoEntry*> page;
                for (int i = 0; i < limit && next < 5; ++i, ++next) {
                    page << new VideoEntry;
                    page.last()->setVideoId(QStringLiteral("o%1").arg(next));
                }
                model->addEntries(page);
                return true;
            },
            2);
        own.fetchMore();
        own.fetchMore();
        QVERIFY(own.fetchUntil(4));
        QVERIFY(!own.canFetchMore());
        for (int row = 0; row < 5; ++row)
            QCOMPARE(own.entryAt(row)->getVideoId(), QStringLiteral("o%1").arg(row));

        // A model without a reader only has its own rows.
        VideoListModel plain(nullptr);
        plain.addEntry(new VideoEntry);
        QVERIFY(plain.fetchUntil(0));
        QVERIFY(!plain.fetchUntil(1));
    }

    // A failed read, clearing the model and reads asked for while a page is announced
    // all stop short of another read.
    void videoModelPagingStops()
    {
        PagedSource failing(10);
        failing.fail = true;
        VideoListModel model(nullptr);
        model.setPageReader(failing.reader(), 4);
        model.fetchMore();
        QVERIFY(!model.canFetchMore());
        QCOMPARE(model.rowCount(), 0);

        PagedSource source(10);
        model.setPageReader(source.reader(), 4);
        model.fetchMore();
        QCOMPARE(model.rowCount(), 4);
        QVERIFY(model.canFetchMore());
        model.clear();
        QVERIFY(!model.canFetchMore());
        model.fetchMore();
        QVERIFY(!model.fetchUntil(0));
        QCOMPARE(source.limits.size(), 1);
        QCOMPARE(model.rowCount(), 0);

        // A view asking for more while the rows arrive gets nothing extra.
        PagedSource nested(10);
        model.setPageReader(nested.reader(), 4);
        nested.duringRead = [](VideoListModel* into) {
            QVERIFY(!into->canFetchMore());
            into->fetchMore();
        };
        connect(&model, &QAbstractItemModel::rowsInserted, &model, [&model]() { model.fetchMore(); });
        model.fetchMore();
        QCOMPARE(nested.limits, QList<int>({4}));
        QCOMPARE(model.rowCount(), 4);
        QVERIFY(model.canFetchMore());

        // A reader that clears the model ends the paging it was part of.
        PagedSource clearing(10);
        VideoListModel other(nullptr);
        other.setPageReader(clearing.reader(), 4);
        clearing.duringRead = [](VideoListModel* into) { into->clear(); };
        other.fetchMore();
        QVERIFY(!other.canFetchMore());
    }
};

QTEST_MAIN(TestEntryModels)
#include "tst_entrymodels.moc"
