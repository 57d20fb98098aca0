#include "core/ContactListModel.h"
#include "core/MessageListModel.h"
#include "social/ContactEntryItemDelegate.h"
#include "social/ContactSweepList.h"
#include "social/MessageEntryItemDelegate.h"
#include "social/MessageSweepList.h"
#include "tests/social/SocialTestSupport.h"

#include <QListView>
#include <QPainter>
#include <QSignalSpy>

namespace {

const QColor SELECTED_FILL(100, 100, 100, 90);

ContactEntry* contact(const QString& name, bool pending)
{
    auto* entry = new ContactEntry(name, QStringLiteral("26.02.2008"), pending);
    entry->setUploads(QStringLiteral("12"));
    entry->setJoined(QStringLiteral("01.01.2007"));
    return entry;
}

MessageEntry* message(const QString& title, const QString& author)
{
    auto* entry = new MessageEntry;
    entry->setTitle(title);
    entry->setAuthor(author);
    entry->setSummary(QStringLiteral("summary"));
    entry->setPublished(QStringLiteral("28.06.2013"));
    return entry;
}

// Paints row 0 of the model, 100 high at the top given, into a recording device.
RecordingPaintEngine& paintRow(RecordingPaintDevice& device, QAbstractItemDelegate& delegate,
                               QAbstractItemModel& model, int top, bool selected)
{
    QStyleOptionViewItem option;
    option.rect = QRect(0, top, 700, 100);
    option.state = selected ? QStyle::State_Selected : QStyle::State_None;
    QPainter painter(&device);
    delegate.paint(&painter, option, model.index(0, 0));
    return device.engine();
}

bool selectionFilled(const RecordingPaintEngine& engine)
{
    for (const RecordedRect& r : engine.recordedRects)
        if (r.color == SELECTED_FILL)
            return true;
    return false;
}

// A list of the given kind with its painter in a 700 x 400 window, its rows painted.
template <typename List, typename Delegate> struct ShownList
{
    QWidget window;
    List* list = new List(&window);
    explicit ShownList(QAbstractItemModel* model)
    {
        list->resize(700, 400);
        list->setItemDelegate(new Delegate(list));
        list->setModel(model);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        list->viewport()->repaint();
    }
    QRect row(int i) const { return list->visualRect(list->model()->index(i, 0)); }
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
        QTest::addColumn<int>("rowTop");
        QTest::addColumn<QString>("shownName");
        QTest::addColumn<int>("linkTop");
        const QString twenty = QStringLiteral("abcdefghijklmnopqrst");
        QTest::newRow("contact, 20 characters") << twenty << false << 200 << twenty << 199;
        QTest::newRow("invitation, 21 characters") << twenty + "u" << true << 200 << twenty + "..." << 199;
        QTest::newRow("top row: the link starts at 0") << "mikko" << false << 0 << "mikko" << 0;
    }
    void contactRow()
    {
        QFETCH(QString, name);
        QFETCH(bool, pending);
        QFETCH(int, rowTop);
        QFETCH(QString, shownName);
        QFETCH(int, linkTop);
        ContactListModel model;
        ContactEntry* entry = contact(name, pending);
        model.addEntry(entry);
        QListView view;
        ContactEntryItemDelegate delegate(&view);
        RecordingPaintDevice device;
        RecordingPaintEngine& engine = paintRow(device, delegate, model, rowTop, pending);

        QCOMPARE(selectionFilled(engine), pending);
        const QString text = engine.allText();
        QVERIFY(text.contains(QStringLiteral("Uploads: 12")) && text.contains(QStringLiteral("Joined: 01.01.2007")));
        QCOMPARE(text.contains(QStringLiteral("Since: 26.02.2008")), !pending);
        QCOMPARE(text.contains(QStringLiteral("ACCEPT")) && text.contains(QStringLiteral("REJECT")), pending);
        QString link;
        for (const RecordedText& t : engine.recordedTexts)
            if (t.underline && t.color == QColor(0x29, 0xAB, 0xE2))
                link += t.text;
        QCOMPARE(link, shownName);
        // The link is as wide as the name drawn and reaches 8 px above its line, never
        // above the view; only an invitation has answer buttons, apart from each other.
        QFont font(QStringLiteral("SansSerif"), 12);
        font.setUnderline(true);
        QCOMPARE(entry->getContactLinkRect().width(), qreal(QFontMetrics(font, &device).horizontalAdvance(shownName)));
        QCOMPARE(entry->getContactLinkRect().top(), qreal(linkTop));
        QCOMPARE(entry->getAcceptLinkRect().isEmpty() || entry->getRejectLinkRect().isEmpty(), !pending);
        QVERIFY(!entry->getAcceptLinkRect().intersects(entry->getRejectLinkRect()));

        // The information sign stands clear of the name's last letter; each answer
        // word is in the middle of its button.
        for (const RecordedImage& image : engine.recordedImages)
            if (image.cacheKey == ContactEntry::getInfoButtonImage().cacheKey())
                QVERIFY(image.target.left() >= entry->getContactLinkRect().right() + 4);
        const QFontMetricsF metrics(QFont(QStringLiteral("SansSerif"), 12), &device);
        for (const RecordedText& t : engine.recordedTexts) {
            const QRectF box = t.text == "ACCEPT" ? entry->getAcceptLinkRect() : entry->getRejectLinkRect();
            if (t.text == "ACCEPT" || t.text == "REJECT")
                QVERIFY(qAbs(t.position.x() + metrics.horizontalAdvance(t.text) / 2 - box.center().x()) <= 1.5
                        && qAbs(t.position.y() - metrics.ascent() + metrics.height() / 2 - box.center().y()) <= 1.5);
        }
    }

    // Title and sender take their line of the left column (283 px of a 700 px row):
    // whole while they fit, else cut where the column ends.
    void messageRow_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits the column") << "kyoto_walker sent you a video" << "kyoto_walker sent you a video";
        QTest::newRow("longer than the column")
            << QStringLiteral("revontulet ").repeated(8) << QStringLiteral("revontulet revontulet");
    }
    void messageRow()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        MessageListModel model;
        model.addEntry(message(text, text.toUpper()));
        QListView view;
        MessageEntryItemDelegate delegate(&view);
        RecordingPaintDevice device;
        RecordingPaintEngine& engine = paintRow(device, delegate, model, 100, true);
        const QString drawn = engine.allText();
        QVERIFY(drawn.contains(shown) && drawn.contains(shown.toUpper()) && drawn.contains(QStringLiteral("28.06.2013")));
        QVERIFY(!drawn.contains(QStringLiteral("summary")));
        QVERIFY(selectionFilled(engine));
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
        const ContactEntry* invitation = model.entryAt(1);
        const QRectF accept = invitation->getAcceptLinkRect();
        const QRectF reject = invitation->getRejectLinkRect();
        const QMap<QString, QPointF> points = {
            {"name 0", model.entryAt(0)->getContactLinkRect().center()},
            {"above name 0", model.entryAt(0)->getContactLinkRect().topLeft() + QPointF(2, 1)},
            {"profile 0", QPointF(shown.row(0).right() - 20, 60)},
            {"accept", accept.center()},
            {"reject", reject.center()},
            {"between", QPointF((accept.right() + reject.left()) / 2, accept.center().y())},
            {"profile 1", QPointF(shown.row(1).right() - 20, shown.row(1).bottom() - 10)},
            {"name 1", invitation->getContactLinkRect().center()},
            {"below after tap", QPointF(100, shown.row(1).bottom() + 40)},
            {"below", QPointF(100, shown.row(1).bottom() + 40)},
        };
        if (where == QLatin1String("below after tap"))
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 40));
        const QMap<QString, QSignalSpy*> spies = {
            {"contact", new QSignalSpy(list, &ContactSweepList::contactLinkClicked)},
            {"accept", new QSignalSpy(list, &ContactSweepList::inviteAcceptLinkClicked)},
            {"reject", new QSignalSpy(list, &ContactSweepList::inviteRejectLinkClicked)},
            {"row", new QSignalSpy(list, &QAbstractItemView::doubleClicked)}};
        Touch::doubleTap(list, points.value(where).toPoint());
        for (auto it = spies.cbegin(); it != spies.cend(); ++it)
            QCOMPARE(it.value()->count(), it.key() == signal ? 1 : 0);
        qDeleteAll(spies);
        const QModelIndexList selected = list->selectionModel()->selectedIndexes();
        QCOMPARE(selected.isEmpty() ? -1 : selected.first().row(), selectedAfter);
    }

    void messageDoubleTap_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<bool>("belowRows");
        QTest::newRow("left end of row 1") << 10 << false;
        QTest::newRow("right end of row 1") << 690 << false;
        QTest::newRow("below the rows, a row current before") << 300 << true;
    }
    void messageDoubleTap()
    {
        QFETCH(int, x);
        QFETCH(bool, belowRows);
        TestEnvironment environment;
        MessageListModel model;
        model.addEntry(message(QStringLiteral("first"), QStringLiteral("a")));
        model.addEntry(message(QStringLiteral("second"), QStringLiteral("b")));
        ShownList<MessageSweepList, MessageEntryItemDelegate> shown(&model);
        if (belowRows)
            QTest::mouseClick(shown.list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, 40));
        QSignalSpy opens(shown.list, &MessageSweepList::messageClicked);
        Touch::doubleTap(shown.list, QPoint(x, belowRows ? shown.row(1).bottom() + 40 : shown.row(1).center().y()));
        QCOMPARE(opens.count(), belowRows ? 0 : 1);
        if (!belowRows) // the row asked for, and it stays selected
            QCOMPARE(opens.at(0).at(0).value<QModelIndex>().row(), 1);
        QCOMPARE(shown.list->selectionModel()->selectedIndexes().value(0).row(), belowRows ? 0 : 1);
    }
};

QTEST_MAIN(TestAccountRows)
#include "tst_accountrows.moc"
