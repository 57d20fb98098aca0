#include "social/ContactEntryItemDelegate.h"
#include "social/ContactSweepList.h"
#include "social/MessageEntryItemDelegate.h"
#include "social/MessageSweepList.h"

#include "core/ContactListModel.h"
#include "core/MessageListModel.h"
#include "tests/favorites/RecordingPaintDevice.h"
#include "tests/social/SocialTestSupport.h"

#include <QListView>
#include <QPainter>
#include <QSignalSpy>

namespace {

const QColor SELECTED_FILL(100, 100, 100, 90);
const QColor LINK_BLUE(0x29, 0xAB, 0xE2);

ContactEntry* contact(const QString& name, bool pending)
{
    auto* entry = new ContactEntry(name, QStringLiteral("26.02.2008"), pending);
    entry->setUploads(QStringLiteral("12"));
    entry->setWatched(QStringLiteral("345"));
    entry->setJoined(QStringLiteral("01.01.2007"));
    entry->setLogged(QStringLiteral("02.02.2009"));
    return entry;
}

MessageEntry* message(const QString& title, const QString& author)
{
    auto* entry = new MessageEntry;
    entry->setTitle(title);
    entry->setAuthor(author);
    entry->setSummary(QStringLiteral("the summary is for the message page"));
    entry->setPublished(QStringLiteral("28.06.2013"));
    return entry;
}

// Paints row 0 of the model into a recording device at the given rectangle.
template <typename Delegate>
RecordingPaintEngine& paintRow(RecordingPaintDevice& device, Delegate& delegate, QAbstractItemModel& model,
                               const QRect& rect, bool selected)
{
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = selected ? QStyle::State_Selected : QStyle::State_None;
    QPainter painter(&device);
    delegate.paint(&painter, option, model.index(0, 0));
    return device.engine();
}

bool filled(const RecordingPaintEngine& engine, const QRect& rect)
{
    for (const RecordedRect& r : engine.recordedRects)
        if (r.color == SELECTED_FILL && r.rect == QRectF(rect))
            return true;
    return false;
}

// A list of the given kind with its painter in a window, its rows painted.
template <typename List, typename Delegate> struct ShownList
{
    QWidget window;
    List* list = new List(&window);
    explicit ShownList(QAbstractItemModel* model)
    {
        window.resize(700, 400);
        list->resize(700, 400);
        list->setItemDelegate(new Delegate(list));
        list->setModel(model);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        list->viewport()->repaint();
    }
};

} // namespace

class TestAccountRows : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rowHeightFollowsTheView_data()
    {
        QTest::addColumn<int>("viewHeight");
        QTest::addColumn<int>("rowHeight");
        QTest::newRow("140: at least 50") << 140 << 50;
        QTest::newRow("315") << 315 << 90;
        QTest::newRow("400") << 400 << 114;
        QTest::newRow("700: at most 150") << 700 << 150;
    }
    void rowHeightFollowsTheView()
    {
        QFETCH(int, viewHeight);
        QFETCH(int, rowHeight);
        QListView view;
        view.resize(640, viewHeight);
        ContactEntryItemDelegate contacts(&view);
        MessageEntryItemDelegate messages(&view);
        QCOMPARE(contacts.sizeHint(QStyleOptionViewItem(), QModelIndex()), QSize(640, rowHeight));
        QCOMPARE(messages.sizeHint(QStyleOptionViewItem(), QModelIndex()), QSize(640, rowHeight));
    }

    void contactRow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("pending");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<int>("rowTop");
        QTest::addColumn<QString>("shownName");
        QTest::addColumn<int>("linkTop");
        const QString twenty = QStringLiteral("abcdefghijklmnopqrst");
        QTest::newRow("contact") << "mikko" << false << false << 200 << "mikko" << 199;
        QTest::newRow("invitation, selected") << "liisa" << true << true << 200 << "liisa" << 199;
        QTest::newRow("20 characters whole") << twenty << false << false << 200 << twenty << 199;
        QTest::newRow("21 characters cut") << twenty + "u" << false << false << 200 << twenty + "..." << 199;
        QTest::newRow("first row: the link starts at 0") << "mikko" << true << false << 0 << "mikko" << 0;
    }
    void contactRow()
    {
        QFETCH(QString, name);
        QFETCH(bool, pending);
        QFETCH(bool, selected);
        QFETCH(int, rowTop);
        QFETCH(QString, shownName);
        QFETCH(int, linkTop);
        ContactListModel model;
        ContactEntry* entry = contact(name, pending);
        model.addEntry(entry);
        QListView view;
        view.resize(700, 350);
        ContactEntryItemDelegate delegate(&view);
        RecordingPaintDevice device;
        const QRect row(0, rowTop, 700, 100);
        RecordingPaintEngine& engine = paintRow(device, delegate, model, row, selected);

        QCOMPARE(filled(engine, row), selected);
        const QString text = engine.allText();
        QCOMPARE(text.contains(QStringLiteral("Since: 26.02.2008")), !pending);
        QCOMPARE(text.contains(QStringLiteral("ACCEPT")), pending);
        QCOMPARE(text.contains(QStringLiteral("REJECT")), pending);
        for (const char* line : {"Uploads: 12", "Watched: 345", "Joined: 01.01.2007", "Logged: 02.02.2009"})
            QVERIFY2(text.contains(QLatin1String(line)), line);
        QString link;
        for (const RecordedText& t : engine.recordedTexts)
            if (t.underline && t.color == LINK_BLUE)
                link += t.text;
        QCOMPARE(link, shownName);

        // The link is as wide as the name drawn and reaches 8 px above its line (never
        // above the view); an invitation's buttons are stored apart from each other.
        QFont font(QStringLiteral("SansSerif"), 12);
        font.setUnderline(true);
        const QRectF linkRect = entry->getContactLinkRect();
        QCOMPARE(linkRect.width(), qreal(QFontMetrics(font, &device).horizontalAdvance(shownName)));
        QCOMPARE(linkRect.top(), qreal(linkTop));
        QCOMPARE(entry->getAcceptLinkRect().isEmpty(), !pending);
        QCOMPARE(entry->getRejectLinkRect().isEmpty(), !pending);
        QVERIFY(!entry->getAcceptLinkRect().intersects(entry->getRejectLinkRect()));
    }

    void messageRow_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("author");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QString>("shownTitle");
        QTest::addColumn<QString>("shownAuthor");
        QTest::newRow("14 characters whole") << "abcdefghijklmn" << "mikkokorhonen1" << false << "abcdefghijklmn"
                                             << "mikkokorhonen1";
        QTest::newRow("15 characters: 11 and ...") << "abcdefghijklmno" << "mikkokorhonen12" << true
                                                   << "abcdefghijk..." << "mikkokorhon...";
    }
    void messageRow()
    {
        QFETCH(QString, title);
        QFETCH(QString, author);
        QFETCH(bool, selected);
        QFETCH(QString, shownTitle);
        QFETCH(QString, shownAuthor);
        MessageListModel model;
        model.addEntry(message(title, author));
        QListView view;
        MessageEntryItemDelegate delegate(&view);
        RecordingPaintDevice device;
        const QRect row(0, 100, 700, 100);
        RecordingPaintEngine& engine = paintRow(device, delegate, model, row, selected);
        const QString text = engine.allText();
        QVERIFY(text.contains(shownTitle));
        QVERIFY(text.contains(shownAuthor));
        QVERIFY(text.contains(QStringLiteral("28.06.2013")));
        QVERIFY(!text.contains(QStringLiteral("summary")));
        QCOMPARE(filled(engine, row), selected);
        for (const RecordedText& t : engine.recordedTexts)
            QCOMPARE(t.color, QColor(Qt::white));
    }

    // Where a double tap falls on the contacts list (row 0 a contact, row 1 an
    // invitation) and what it means.
    void contactDoubleTap_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("contact's name") << "name 0" << "contact" << -1;
        QTest::newRow("7 px above the name") << "above name 0" << "contact" << -1;
        QTest::newRow("rest of a contact's row") << "profile 0" << "row" << -1;
        QTest::newRow("ACCEPT") << "accept" << "accept" << -1;
        QTest::newRow("REJECT") << "reject" << "reject" << -1;
        QTest::newRow("between the buttons") << "between" << "" << 1;
        QTest::newRow("an invitation's profile") << "profile 1" << "" << 1;
        QTest::newRow("an invitation's name") << "name 1" << "contact" << -1;
        QTest::newRow("below the rows, a row current before") << "below after tap" << "" << 0;
        QTest::newRow("no current row") << "below" << "" << -1;
    }
    void contactDoubleTap()
    {
        QFETCH(QString, where);
        QFETCH(QString, signal);
        QFETCH(int, selectedAfter);
        TestEnvironment environment;
        ContactListModel model;
        model.addEntry(contact(QStringLiteral("mikko"), false));
        model.addEntry(contact(QStringLiteral("liisa"), true));
        ShownList<ContactSweepList, ContactEntryItemDelegate> shown(&model);
        ContactSweepList* list = shown.list;
        ContactEntry* invitation = model.entryAt(1);
        const QRectF accept = invitation->getAcceptLinkRect();
        const QRectF reject = invitation->getRejectLinkRect();
        const QRect last = list->visualRect(model.index(1, 0));
        const QMap<QString, QPointF> points = {
            {"name 0", model.entryAt(0)->getContactLinkRect().center()},
            {"above name 0", model.entryAt(0)->getContactLinkRect().topLeft() + QPointF(2, 1)},
            {"profile 0", QPointF(list->visualRect(model.index(0, 0)).right() - 20, 60)},
            {"accept", accept.center()},
            {"reject", reject.center()},
            {"between", QPointF((accept.right() + reject.left()) / 2, accept.center().y())},
            {"profile 1", QPointF(last.right() - 20, last.bottom() - 10)},
            {"name 1", invitation->getContactLinkRect().center()},
            {"below after tap", QPointF(100, last.bottom() + 40)},
            {"below", QPointF(100, last.bottom() + 40)},
        };
        if (where == QLatin1String("below after tap"))
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 40));
        QSignalSpy contactSpy(list, &ContactSweepList::contactLinkClicked);
        QSignalSpy acceptSpy(list, &ContactSweepList::inviteAcceptLinkClicked);
        QSignalSpy rejectSpy(list, &ContactSweepList::inviteRejectLinkClicked);
        QSignalSpy rowSpy(list, &QAbstractItemView::doubleClicked);
        doubleTap(list, points.value(where).toPoint());

        const QMap<QString, QSignalSpy*> spies = {
            {"contact", &contactSpy}, {"accept", &acceptSpy}, {"reject", &rejectSpy}, {"row", &rowSpy}};
        for (auto it = spies.cbegin(); it != spies.cend(); ++it)
            QCOMPARE(it.value()->count(), it.key() == signal ? 1 : 0);
        const QModelIndexList selected = list->selectionModel()->selectedIndexes();
        QCOMPARE(selected.isEmpty() ? -1 : selected.first().row(), selectedAfter);
    }

    void messageDoubleTap_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<bool>("belowRows");
        QTest::addColumn<int>("opened");
        QTest::newRow("left end of row 1") << 10 << false << 1;
        QTest::newRow("right end of row 1") << 690 << false << 1;
        QTest::newRow("below the rows") << 300 << true << -1;
    }
    void messageDoubleTap()
    {
        QFETCH(int, x);
        QFETCH(bool, belowRows);
        QFETCH(int, opened);
        TestEnvironment environment;
        MessageListModel model;
        model.addEntry(message(QStringLiteral("first"), QStringLiteral("a")));
        model.addEntry(message(QStringLiteral("second"), QStringLiteral("b")));
        ShownList<MessageSweepList, MessageEntryItemDelegate> shown(&model);
        MessageSweepList* list = shown.list;
        if (belowRows) // a row is current before the tap below the rows
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, 40));
        QSignalSpy opens(list, &MessageSweepList::messageClicked);
        const QRect row = list->visualRect(model.index(1, 0));
        doubleTap(list, QPoint(x, belowRows ? row.bottom() + 40 : row.center().y()));
        QCOMPARE(opens.count(), opened < 0 ? 0 : 1);
        if (opened >= 0) {
            QCOMPARE(opens.at(0).at(0).value<QModelIndex>().row(), opened);
            QCOMPARE(list->selectionModel()->selectedIndexes().value(0).row(), opened);
        }
    }
};

QTEST_MAIN(TestAccountRows)
#include "tst_accountrows.moc"
