// The account's contacts at 1,000 and at 10,000: filled into the one contact model,
// filtered into the two lists of the statistics page ("My contacts", "Invitations")
// and painted, and one step of a flick over them. Each figure is timed in pairs with
// its baseline, alternating which goes first: Qt's own item model, two filter proxies
// and list views with the standard painter doing the same work. It prints min /
// median / max of both and of their ratio, and how the medians grow from the small
// list to the large one; every result is checked.
//
// Goals: filling and painting 1,000 in one frame, 16 ms; a flick step with its
// repaint under 2 ms at either size.
//   bench_account                (QT_QPA_PLATFORM=offscreen when there is no display)
#include "bench/BenchSupport.h"

#include "core/ContactListModel.h"
#include "shell/PageHistory.h"
#include "social/ContactEntryItemDelegate.h"
#include "social/ContactSweepList.h"
#include "social/StatisticsPage.h"
#include "tests/support/TestSupport.h"

#include <QImage>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QtTest>

namespace {

const int PAIRS = 25;
const int FLICK_STEPS = 400;
// Every fourth contact is an invitation waiting for an answer.
bool pendingAt(int i)
{
    return i % 4 == 0;
}

// A contact as its row arrives; with a picture file, as its picture has come too.
ContactEntry* makeContact(int i, const QString& picture = QString())
{
    auto* entry = new ContactEntry(QStringLiteral("contact%1").arg(i, 4, 10, QLatin1Char('0')),
                                   QStringLiteral("17.05.2010"), pendingAt(i));
    entry->setUploads(QString::number(i % 40));
    entry->setWatched(QString::number(i * 7));
    entry->setJoined(QStringLiteral("14.04.2008"));
    entry->setLogged(QStringLiteral("24.06.2013"));
    if (!picture.isEmpty())
        entry->setContactThumbnail(picture);
    return entry;
}

// Lays the list's rows out, as the event loop does before a frame, and paints what
// the list shows into an image of its viewport's size.
void paintList(QAbstractItemView* list, QImage& image)
{
    list->doItemsLayout();
    image.fill(Qt::transparent);
    list->viewport()->render(&image);
}

// The baseline: the same rows in Qt's item model, filtered by a role into two lists
// that the standard painter draws.
struct PlainLists
{
    QStandardItemModel model;
    QSortFilterProxyModel accepted;
    QSortFilterProxyModel pending;
    QListView acceptedList;
    QListView pendingList;

    PlainLists()
    {
        for (QSortFilterProxyModel* proxy : {&accepted, &pending}) {
            proxy->setSourceModel(&model);
            proxy->setFilterRole(Qt::UserRole);
        }
        accepted.setFilterFixedString(QStringLiteral("accepted"));
        pending.setFilterFixedString(QStringLiteral("pending"));
        acceptedList.setModel(&accepted);
        pendingList.setModel(&pending);
        for (QListView* list : {&acceptedList, &pendingList}) {
            list->setUniformItemSizes(true);
            list->resize(700, 360);
        }
    }
    void fill(int contacts)
    {
        model.clear();
        for (int i = 0; i < contacts; ++i) {
            auto* item = new QStandardItem(QStringLiteral("contact%1").arg(i, 4, 10, QLatin1Char('0')));
            item->setData(pendingAt(i) ? QStringLiteral("pending") : QStringLiteral("accepted"), Qt::UserRole);
            model.appendRow(item);
        }
    }
};

} // namespace

class BenchAccount : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The figures are about the pages, not about writing trace lines.
    void initTestCase() { dropDebugMessages(); }
    void cleanupTestCase() { myGrowth.print(); }
    void fillFilterAndPaintContacts_data() { sizes(); }
    void fillFilterAndPaintContacts();
    void flickStepOverContacts_data() { sizes(); }
    void flickStepOverContacts();

private:
    static void sizes()
    {
        QTest::addColumn<int>("contacts");
        QTest::newRow("1,000 contacts") << 1000;
        QTest::newRow("10,000 contacts") << 10000;
    }

    TestEnvironment myEnvironment;
    GrowthTable myGrowth{"contacts"};
};

void BenchAccount::fillFilterAndPaintContacts()
{
    QFETCH(int, contacts);
    QWidget window;
    window.resize(800, 480);
    PageHistory history;
    auto* page = new StatisticsPage(nullptr, &window, history);
    page->resize(800, 480);
    PlainLists plain;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    page->getContactsButton()->click();
    ContactListModel* model = page->getContactListModel();
    QImage contactsImage(page->getContactsList()->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QImage invitationsImage(page->getInvitationsList()->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QImage plainImage(plain.acceptedList.viewport()->size(), QImage::Format_ARGB32_Premultiplied);

    // As the service fills it: the model emptied, then one contact at a time; then
    // the turn of the event loop that ends with the frame.
    const auto ours = [&] {
        model->clear();
        for (int i = 0; i < contacts; ++i)
            model->addEntry(makeContact(i));
        QCoreApplication::processEvents();
        paintList(page->getContactsList(), contactsImage);
        paintList(page->getInvitationsList(), invitationsImage);
    };
    const auto base = [&] {
        plain.fill(contacts);
        QCoreApplication::processEvents();
        paintList(&plain.acceptedList, plainImage);
        paintList(&plain.pendingList, plainImage);
    };
    const PairedFigures figures = timeInPairs(PAIRS, ours, base);
    const QList<double>& oursMs = figures.ours;
    const QList<double>& baseMs = figures.baseline;
    QCOMPARE(page->getContactsProxy()->rowCount(), contacts * 3 / 4);
    QCOMPARE(page->getInvitationsProxy()->rowCount(), contacts / 4);
    QCOMPARE(plain.accepted.rowCount(), contacts * 3 / 4);
    QCOMPARE(page->getTabWidget()->tabText(StatisticsPage::eInvitationsTab),
             QStringLiteral("Invitations (%1)").arg(contacts / 4));
    QVERIFY(!model->entryAt(1)->getContactLinkRect().isEmpty()); // the first rows were painted
    printRatioFigure(qPrintable(QStringLiteral("%1 filled, filtered, painted").arg(QTest::currentDataTag())), oursMs,
                     baseMs, contacts <= 1000 ? 16.0 : 0.0);
    myGrowth.add(QStringLiteral("fill, filter and paint, ms"), contacts, spreadOf(oursMs).median);
    myGrowth.add(QStringLiteral("baseline fill, filter and paint, ms"), contacts, spreadOf(baseMs).median);
}

void BenchAccount::flickStepOverContacts()
{
    QFETCH(int, contacts);
    QWidget window;
    window.resize(800, 480);
    const QString picture = myEnvironment.storageRoot() + QStringLiteral("/contact.png");
    QImage image(128, 96, QImage::Format_RGB32);
    image.fill(QColor(60, 90, 150));
    QVERIFY(image.save(picture));
    ContactListModel model;
    ContactFilterProxyModel proxy(nullptr, eContactFilter::Accepted);
    proxy.setSourceModel(&model);
    for (int i = 0; i < contacts; ++i)
        model.addEntry(makeContact(i, picture));
    auto* list = new FlickedList<ContactSweepList>(&window);
    list->setItemDelegate(new ContactEntryItemDelegate(list));
    list->setModel(&proxy);
    list->resize(700, 360);
    PlainLists plain;
    plain.fill(contacts);
    plain.acceptedList.setParent(&window);
    plain.acceptedList.move(0, 360);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QScrollBar* bar = list->verticalScrollBar();
    QVERIFY(bar->maximum() > 50000);

    QList<double> oursMs;
    QList<double> baseMs;
    const int travelled = timeFlickSteps(list, &plain.acceptedList, FLICK_STEPS, oursMs, baseMs);
    QVERIFY(travelled > bar->maximum());
    printRatioFigure(qPrintable(QStringLiteral("a flick step, %1").arg(QTest::currentDataTag())), oursMs, baseMs,
                     2.0);
    myGrowth.add(QStringLiteral("flick step, ms"), contacts, spreadOf(oursMs).median);
    myGrowth.add(QStringLiteral("baseline flick step, ms"), contacts, spreadOf(baseMs).median);
}

QTEST_MAIN(BenchAccount)
#include "bench_account.moc"
