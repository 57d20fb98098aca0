#include "favorites/FavoritesConstants.h"
#include "favorites/PlayListDelegate.h"

#include "core/PlayList.h"
#include "core/PlayListModel.h"
#include "core/Types.h"
#include "tests/support/TestSupport.h"

#include <QListView>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QtTest>

class TestPlayListDelegate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sizeHintFollowsViewHeight_data();
    void sizeHintFollowsViewHeight();
    void setPlayListTypeKeepsOnlyKnownTypes_data();
    void setPlayListTypeKeepsOnlyKnownTypes();
    void rowText_data();
    void rowText();
    void playlistsInsideFoldersAreIndented_data();
    void playlistsInsideFoldersAreIndented();
    void paintsLinesHighlightIconAndName();
    void longNamesKeepTheirCountInsideTheRow_data();
    void longNamesKeepTheirCountInsideTheRow();
    void invalidRowsPaintNothing();

private:
    TestEnvironment myEnvironment;
    // Paints row `row` of the model at the given height into a recording device.
    void paintRow(PlayListDelegate& delegate, QListView& view, int row, int top, int height,
                  RecordingPaintDevice& device);
};

void TestPlayListDelegate::paintRow(PlayListDelegate& delegate, QListView& view, int row, int top, int height,
                                    RecordingPaintDevice& device)
{
    QStyleOptionViewItem option;
    option.rect = QRect(0, top, view.width(), height);
    QPainter painter(&device);
    delegate.paint(&painter, option, view.model()->index(row, 0));
}

void TestPlayListDelegate::sizeHintFollowsViewHeight_data()
{
    QTest::addColumn<int>("viewHeight");
    QTest::addColumn<int>("rowHeight");
    QTest::newRow("270 gives exactly 60") << 270 << 60;
    QTest::newRow("lower views stay at 60") << 200 << 60;
    QTest::newRow("360 gives 80") << 360 << 80;
    QTest::newRow("382 rounds 84.9 to 85") << 382 << 85;
    QTest::newRow("480 clamps 106.7 to 85") << 480 << 85;
}

void TestPlayListDelegate::sizeHintFollowsViewHeight()
{
    QFETCH(int, viewHeight);
    QFETCH(int, rowHeight);
    QListView view;
    view.resize(290, viewHeight);
    PlayListDelegate delegate(&view);
    const QSize size = delegate.sizeHint(QStyleOptionViewItem(), QModelIndex());
    QCOMPARE(size.height(), rowHeight);
    QCOMPARE(size.width(), 290);
}

void TestPlayListDelegate::setPlayListTypeKeepsOnlyKnownTypes_data()
{
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("stored");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("download queue") << 1 << 1;
    QTest::newRow("account playlist, the last type") << 6 << 6;
    QTest::newRow("7 is unknown") << 7 << 0;
    QTest::newRow("-1 is unknown") << -1 << 0;
}

void TestPlayListDelegate::setPlayListTypeKeepsOnlyKnownTypes()
{
    QFETCH(int, given);
    QFETCH(int, stored);
    QListView view;
    PlayListDelegate delegate(&view);
    QCOMPARE(delegate.getPlayListType(), 0);
    delegate.setPlayListType(4);
    delegate.setPlayListType(given);
    QCOMPARE(delegate.getPlayListType(), stored);
}

void TestPlayListDelegate::rowText_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");

    QTest::newRow("local folder shows no count") << int(ePlayListLocalFolder) << "Local playlists" << 3 << "Local playlists";
    QTest::newRow("account folder shows no count") << int(ePlayListAccountFolder) << "YouTube playlists" << 9 << "YouTube playlists";
    QTest::newRow("empty playlist shows (0)") << int(ePlayListLocal) << "Road trip" << 0 << "Road trip (0)";
    QTest::newRow("download queue shows its count") << int(ePlayListDownloadQueue) << "Download queue" << 12 << "Download queue (12)";

    // " (7)" is four characters: a 61-character name makes 65 with its count.
    const QString name61(61, QLatin1Char('a'));
    QTest::newRow("65 characters with count are drawn whole") << int(ePlayListLocal) << name61 << 7 << name61 + " (7)";
    const QString name62(62, QLatin1Char('b'));
    QTest::newRow("66 characters: the name is cut, the count kept")
        << int(ePlayListLocal) << name62 << 7 << name62.left(61) + "... (7)";
    const QString folder66(66, QLatin1Char('c'));
    QTest::newRow("long folder name is cut too") << int(ePlayListLocalFolder) << folder66 << 0 << folder66.left(65) + "...";
}

void TestPlayListDelegate::rowText()
{
    QFETCH(int, type);
    QFETCH(QString, name);
    QFETCH(int, count);
    QFETCH(QString, text);
    PlayList playList(10, 0, type, name);
    playList.setCount(count);
    QCOMPARE(PlayListDelegate::rowText(playList), text);
}

void TestPlayListDelegate::playlistsInsideFoldersAreIndented_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("indented");
    QTest::newRow("all local favorites") << int(ePlayListAllFavorites) << false;
    QTest::newRow("download queue") << int(ePlayListDownloadQueue) << false;
    QTest::newRow("local folder") << int(ePlayListLocalFolder) << false;
    QTest::newRow("account folder") << int(ePlayListAccountFolder) << false;
    QTest::newRow("local playlist") << int(ePlayListLocal) << true;
    QTest::newRow("account favorites") << int(ePlayListAccountFavorites) << true;
    QTest::newRow("account playlist") << int(ePlayListAccount) << true;
}

void TestPlayListDelegate::playlistsInsideFoldersAreIndented()
{
    QFETCH(int, type);
    QFETCH(bool, indented);
    QListView view;
    view.resize(290, 270);
    PlayListModel model(nullptr);
    PlayList* playList = new PlayList(20, type >= ePlayListAccountFolder && type != ePlayListLocal ? 1 : 0, type, "Name");
    model.addPlayList(playList);
    view.setModel(&model);
    PlayListDelegate delegate(&view);

    RecordingPaintDevice device;
    paintRow(delegate, view, 0, 0, 60, device);

    // Row 60 high: margin 4.2, icon cell 60 wide.
    const double indent = indented ? 20.0 : 0.0;
    const double margin = 60 * 0.07;
    QCOMPARE(playList->getRect(), QRectF(indent + margin, margin, 60 - 2 * margin, 60 - 2 * margin));

    // The text starts at X + S and its box narrows by the indent.
    QVERIFY(!device.engine().recordedTexts.isEmpty());
    const RecordedText& first = device.engine().recordedTexts.first();
    QVERIFY2(qAbs(first.position.x() - (indent + 60)) < 1.0, qPrintable(QString::number(first.position.x())));
    for (const RecordedText& t : device.engine().recordedTexts)
        QVERIFY(t.position.x() < 290 - indent);
}

void TestPlayListDelegate::paintsLinesHighlightIconAndName()
{
    QListView view;
    view.resize(290, 360);
    PlayListModel model(nullptr);
    PlayList* first = new PlayList(1, 0, ePlayListAllFavorites, "All local favorites");
    first->setCount(4);
    PlayList* second = new PlayList(2, 0, ePlayListDownloadQueue, "Download queue");
    model.addPlayList(first);
    model.addPlayList(second);
    view.setModel(&model);
    PlayListDelegate delegate(&view);
    view.setCurrentIndex(model.index(1, 0));

    // A row that is not current: no highlight; lines at its top and just below it.
    RecordingPaintDevice device;
    paintRow(delegate, view, 0, 0, 80, device);
    RecordingPaintEngine& engine = device.engine();
    QVERIFY(engine.recordedRects.isEmpty());
    QCOMPARE(engine.recordedLines.count(), 2);
    QCOMPARE(engine.recordedLines.at(0).line, QLineF(0, 0, 290, 0));
    QCOMPARE(engine.recordedLines.at(1).line, QLineF(0, 80, 290, 80));
    QCOMPARE(engine.recordedLines.at(0).color, QColor(Qt::white));
    QCOMPARE(engine.allText().remove(' '), QStringLiteral("Alllocalfavorites(4)"));
    for (const RecordedText& t : engine.recordedTexts) {
        QCOMPARE(t.weight, int(QFont::Bold));
        QVERIFY(!t.underline);
        QCOMPARE(t.color, QColor(Qt::white));
    }
    // The icon goes into its cell when the icon image exists.
    if (!first->getIcon().isNull()) {
        QCOMPARE(engine.recordedImages.count(), 1);
        QCOMPARE(engine.recordedImages.first().source, QRectF(0, 0, 81, 81));
        QCOMPARE(engine.recordedImages.first().target, first->getRect());
    }

    // The current row is filled with the highlight colour first.
    RecordingPaintDevice current;
    paintRow(delegate, view, 1, 80, 80, current);
    QCOMPARE(current.engine().recordedRects.count(), 1);
    QCOMPARE(current.engine().recordedRects.first().rect, QRectF(0, 80, 290, 80));
    QCOMPARE(current.engine().recordedRects.first().color, QColor(180, 180, 180, 90));
    QCOMPARE(second->getRect(), QRectF(5.6, 85.6, 68.8, 68.8));
}

void TestPlayListDelegate::invalidRowsPaintNothing()
{
    QListView view;
    view.resize(290, 270);
    QStandardItemModel model(2, 1);
    view.setModel(&model);
    PlayListDelegate delegate(&view);

    RecordingPaintDevice device;
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 290, 60);
    {
        QPainter painter(&device);
        delegate.paint(&painter, option, QModelIndex());     // invalid index
        delegate.paint(&painter, option, model.index(0, 0)); // no display data
    }
    QVERIFY(device.engine().isEmpty());

    // A model whose display data is not a playlist leaves the playlist untouched too.
    model.setData(model.index(1, 0), QStringLiteral("not a playlist"));
    {
        QPainter painter(&device);
        delegate.paint(&painter, option, model.index(1, 0));
    }
    QVERIFY(device.engine().isEmpty());
}

void TestPlayListDelegate::longNamesKeepTheirCountInsideTheRow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("count");
    QTest::newRow("short") << "Road trip" << 3;
    QTest::newRow("words filling three lines") << "Summer holidays at the lake cabin with the whole family" << 12;
    QTest::newRow("one long word") << "Kesalomamatkamuistojentallennuspaikkakokoelmakansio" << 7;
    QTest::newRow("65 characters with the count")
        << "Recordings of the midnight sun over the fells, every year" << 1234;
}

// Rows as the favourites page shows them (a list 290 wide, rows 80 high): every line
// of the name stays inside the row, and the count is drawn.
void TestPlayListDelegate::longNamesKeepTheirCountInsideTheRow()
{
    QFETCH(QString, name);
    QFETCH(int, count);
    QListView view;
    view.resize(290, 360);
    PlayListModel model(nullptr);
    auto* playList = new PlayList(20, 0, ePlayListLocal, name);
    playList->setCount(count);
    model.addPlayList(playList);
    view.setModel(&model);
    PlayListDelegate delegate(&view);

    RecordingPaintDevice device;
    paintRow(delegate, view, 0, 0, 80, device);
    const RecordingPaintEngine& engine = device.engine();
    QVERIFY(!engine.recordedTexts.isEmpty());
    QVERIFY2(engine.allText().endsWith(QStringLiteral("(%1)").arg(count)), qPrintable(engine.allText()));
    const double margin = 80 * 0.07;
    const double textBottom = 80 - margin;
    QFont font(QStringLiteral("SansSerif"), 12);
    font.setBold(true);
    const double descent = QFontMetricsF(font).descent();
    for (const RecordedText& t : engine.recordedTexts)
        QVERIFY2(t.position.y() + descent <= textBottom + 0.5, qPrintable(t.text));
    // The name is shown as far as it fits.
    QVERIFY(engine.allText().startsWith(name.left(8)));
}

QTEST_MAIN(TestPlayListDelegate)
#include "tst_playlistdelegate.moc"
