#include "favorites/FavoriteItemDelegate.h"

#include "core/SharedImages.h"
#include "core/Types.h"
#include "core/VideoEntry.h"
#include "core/VideoListModel.h"
#include "tests/support/TestSupport.h"

#include <QFontMetricsF>
#include <QListView>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QtTest>

namespace {
// A row 100 high and 500 wide: margin 3, thumbnail cell 133.33, thumbnail height 94,
// line height L = 23.5, state icon size T3 = 31.33, text width TAW = 329.33.
const int ROW_W = 500;
const int ROW_H = 100;
const double M = 3.0;
const double TW = ROW_H * 1.3333334;
const double TH = ROW_H - 2 * M;
const double L = TH / 4;
const double T3 = TH / 3;
const double TAW = ROW_W - TW - T3 - 2 * M;

bool fuzzyEqual(double a, double b)
{
    return qAbs(a - b) < 0.01;
}
bool fuzzyEqual(const QRectF& a, const QRectF& b)
{
    return fuzzyEqual(a.x(), b.x()) && fuzzyEqual(a.y(), b.y()) && fuzzyEqual(a.width(), b.width())
        && fuzzyEqual(a.height(), b.height());
}
} // namespace

class TestFavoriteItemDelegate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void sizeHintFollowsViewHeight_data();
    void sizeHintFollowsViewHeight();
    void formatFileSize_data();
    void formatFileSize();
    void formatDuration_data();
    void formatDuration();
    void setDelegateModeKeepsOnlyKnownModes_data();
    void setDelegateModeKeepsOnlyKnownModes();
    void downloadProgressIsTruncated();

    void favoriteRowWritesHitRectangles();
    void favoriteTitleAndAuthorAreCut_data();
    void favoriteTitleAndAuthorAreCut();
    void ratingStars_data();
    void ratingStars();
    void favoriteRowSizeAndDuration();
    void thumbnailIsDrawnWhole_data();
    void thumbnailIsDrawnWhole();
    void downloadRowStatus_data();
    void downloadRowStatus();
    void downloadTitleIsCutAt60_data();
    void downloadTitleIsCutAt60();
    void dropIndicator_data();
    void dropIndicator();
    void invalidRowsPaintNothing();

private:
    VideoEntry* addEntry(const QString& videoId);
    void paintRow(int row, int top = 0);
    QString boldText() const;
    QString plainText() const;
    QString underlinedText() const;
    // The drawings of that image in the last painted row.
    QList<RecordedImage> drawnImages(const QImage& image) const;

    TestEnvironment myEnvironment;
    QListView* myView = nullptr;
    VideoListModel* myModel = nullptr;
    FavoriteItemDelegate* myDelegate = nullptr;
    RecordingPaintDevice* myDevice = nullptr;
};

void TestFavoriteItemDelegate::init()
{
    myView = new QListView;
    myView->resize(ROW_W, 400);
    myModel = new VideoListModel(nullptr, myView);
    myView->setModel(myModel);
    myDelegate = new FavoriteItemDelegate(myView);
    myDevice = new RecordingPaintDevice;
}

void TestFavoriteItemDelegate::cleanup()
{
    delete myDevice;
    delete myView;
}

VideoEntry* TestFavoriteItemDelegate::addEntry(const QString& videoId)
{
    VideoEntry* entry = new VideoEntry;
    entry->setVideoId(videoId);
    entry->setName(QStringLiteral("Title"));
    entry->setAuthor(QStringLiteral("author"));
    myModel->addEntry(entry);
    return entry;
}

void TestFavoriteItemDelegate::paintRow(int row, int top)
{
    myDevice->engine().clear();
    QStyleOptionViewItem option;
    option.rect = QRect(0, top, ROW_W, ROW_H);
    QPainter painter(myDevice);
    myDelegate->paint(&painter, option, myModel->index(row, 0));
}

QString TestFavoriteItemDelegate::boldText() const
{
    QString text;
    for (const RecordedText& t : myDevice->engine().recordedTexts)
        if (t.weight == QFont::Bold)
            text += t.text;
    return text;
}

QString TestFavoriteItemDelegate::plainText() const
{
    QStringList texts;
    for (const RecordedText& t : myDevice->engine().recordedTexts)
        if (t.weight != QFont::Bold && !t.underline)
            texts << t.text;
    return texts.join(QLatin1Char('|'));
}

QString TestFavoriteItemDelegate::underlinedText() const
{
    QString text;
    for (const RecordedText& t : myDevice->engine().recordedTexts)
        if (t.underline)
            text += t.text;
    return text;
}

QList<RecordedImage> TestFavoriteItemDelegate::drawnImages(const QImage& image) const
{
    QList<RecordedImage> drawn;
    for (const RecordedImage& recorded : myDevice->engine().recordedImages)
        if (recorded.cacheKey == image.cacheKey())
            drawn << recorded;
    return drawn;
}

void TestFavoriteItemDelegate::sizeHintFollowsViewHeight_data()
{
    QTest::addColumn<int>("viewHeight");
    QTest::addColumn<int>("rowHeight");
    QTest::newRow("315 gives exactly 90") << 315 << 90;
    QTest::newRow("lower views stay at 90") << 200 << 90;
    QTest::newRow("400 gives 114.3 rounded to 114") << 400 << 114;
    QTest::newRow("401 gives 114.6 rounded to 115") << 401 << 115;
    QTest::newRow("480 clamps 137.1 to 120") << 480 << 120;
}

void TestFavoriteItemDelegate::sizeHintFollowsViewHeight()
{
    QFETCH(int, viewHeight);
    QFETCH(int, rowHeight);
    myView->resize(510, viewHeight);
    // Every mode sizes its rows the same way.
    for (int mode = 0; mode <= 2; ++mode) {
        myDelegate->setDelegateMode(mode);
        const QSize size = myDelegate->sizeHint(QStyleOptionViewItem(), QModelIndex());
        QCOMPARE(size.height(), rowHeight);
        QCOMPARE(size.width(), 510);
    }
}

void TestFavoriteItemDelegate::formatFileSize_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << 0 << "0.0 KB";
    QTest::newRow("one and a half KB") << 1536 << "1.5 KB";
    QTest::newRow("exactly 1 MB is still KB") << 1048576 << "1024.0 KB";
    QTest::newRow("one byte more is MB") << 1048577 << "1.0 MB";
    QTest::newRow("ten and a half MB") << 11010048 << "10.5 MB";
    QTest::newRow("999.9 MB keeps a decimal") << 1048471142 << "999.9 MB";
    QTest::newRow("exactly 1000 MB has no decimals") << 1048576000 << "1000 MB";
    QTest::newRow("2000 MB") << 2097152000 << "2000 MB";
}

void TestFavoriteItemDelegate::formatFileSize()
{
    QFETCH(int, bytes);
    QFETCH(QString, text);
    QCOMPARE(FavoriteItemDelegate::formatFileSize(bytes), text);
}

void TestFavoriteItemDelegate::formatDuration_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0f << "00:00";
    QTest::newRow("59.9 keeps the whole seconds") << 59.9f << "00:59";
    QTest::newRow("one minute") << 60.0f << "01:00";
    QTest::newRow("3599") << 3599.0f << "59:59";
    QTest::newRow("3600 shows hours") << 3600.0f << "01:00:00";
    QTest::newRow("ten hours and a bit") << 36061.5f << "10:01:01";
}

void TestFavoriteItemDelegate::formatDuration()
{
    QFETCH(float, seconds);
    QFETCH(QString, text);
    QCOMPARE(FavoriteItemDelegate::formatDuration(seconds), text);
}

void TestFavoriteItemDelegate::setDelegateModeKeepsOnlyKnownModes_data()
{
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("stored");
    QTest::newRow("download queue") << 0 << 0;
    QTest::newRow("favourites") << 1 << 1;
    QTest::newRow("empty list") << 2 << 2;
    QTest::newRow("3 is unknown") << 3 << 1;
    QTest::newRow("-1 is unknown") << -1 << 1;
}

void TestFavoriteItemDelegate::setDelegateModeKeepsOnlyKnownModes()
{
    QFETCH(int, given);
    QFETCH(int, stored);
    QCOMPARE(myDelegate->getDelegateMode(), 1);
    myDelegate->setDelegateMode(0);
    myDelegate->setDelegateMode(given);
    QCOMPARE(myDelegate->getDelegateMode(), stored);
}

void TestFavoriteItemDelegate::downloadProgressIsTruncated()
{
    myDelegate->setDownloadProgress(42.99, QStringLiteral("abc"));
    QCOMPARE(myDelegate->getDownloadPercent(), 42);
    QCOMPARE(myDelegate->getDownloadVideoId(), QStringLiteral("abc"));
}

void TestFavoriteItemDelegate::favoriteRowWritesHitRectangles()
{
    addEntry("first");
    VideoEntry* entry = addEntry("second");
    entry->setAuthor(QStringLiteral("someone"));
    QCOMPARE(entry->getThumbnailRect(), QRectF());
    QCOMPARE(entry->getAuthorRect(), QRectF());

    paintRow(1, 100);
    QVERIFY(fuzzyEqual(entry->getThumbnailRect(), QRectF(M, 100 + M, TW - 2 * M, TH)));

    // The author link sits on the fourth line, as wide as its text in the normal font.
    QFont font(QStringLiteral("SansSerif"), 11);
    const double h = QFontMetricsF(QFont(QStringLiteral("SansSerif"), 11, QFont::Bold)).height();
    const double d = static_cast<int>(L - h);
    const QRectF author = entry->getAuthorRect();
    QVERIFY(fuzzyEqual(author.x(), TW));
    QVERIFY(fuzzyEqual(author.y(), 100 + M + 3 * L + d));
    QVERIFY(fuzzyEqual(author.height(), L));
    QVERIFY(fuzzyEqual(author.width(), QFontMetricsF(font).horizontalAdvance(QStringLiteral("someone"))));
    QCOMPARE(underlinedText(), QStringLiteral("someone"));
    for (const RecordedText& t : myDevice->engine().recordedTexts)
        if (t.underline)
            QCOMPARE(t.color, QColor(QStringLiteral("#29ABE2")));
}

void TestFavoriteItemDelegate::favoriteTitleAndAuthorAreCut_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<QString>("shownAuthor");
    const QString t65(65, QLatin1Char('T'));
    const QString t66(66, QLatin1Char('U'));
    const QString a20(20, QLatin1Char('a'));
    const QString a21(21, QLatin1Char('b'));
    QTest::newRow("65 and 20 characters are drawn whole") << t65 << a20 << t65 << a20;
    QTest::newRow("66 and 21 characters are cut") << t66 << a21 << t66.left(65) + "..." << a21.left(20) + "...";
}

void TestFavoriteItemDelegate::favoriteTitleAndAuthorAreCut()
{
    QFETCH(QString, title);
    QFETCH(QString, author);
    QFETCH(QString, shownTitle);
    QFETCH(QString, shownAuthor);
    VideoEntry* entry = addEntry("id");
    entry->setName(title);
    entry->setAuthor(author);
    paintRow(0);
    QCOMPARE(boldText(), shownTitle);
    QCOMPARE(underlinedText(), shownAuthor);
    const QFont font(QStringLiteral("SansSerif"), 11);
    QVERIFY(fuzzyEqual(entry->getAuthorRect().width(), QFontMetricsF(font).horizontalAdvance(shownAuthor)));
}

void TestFavoriteItemDelegate::ratingStars_data()
{
    QTest::addColumn<QString>("rating");
    QTest::addColumn<double>("share");
    QTest::newRow("no rating") << "" << 0.0;
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("not a number") << "n/a" << 0.0;
    QTest::newRow("half") << "2.5" << 0.5;
    QTest::newRow("five draws the whole image") << "5" << 1.0;
    QTest::newRow("above five is drawn as five") << "7" << 1.0;
}

void TestFavoriteItemDelegate::ratingStars()
{
    QFETCH(QString, rating);
    QFETCH(double, share);
    const QImage& stars = getStarImage();
    QVERIFY2(!stars.isNull(), "the star image is compiled in");
    VideoEntry* entry = addEntry("id");
    entry->setRating(rating);
    paintRow(0);

    const QList<RecordedImage> drawn = drawnImages(stars);
    if (share == 0.0) {
        QVERIFY(drawn.isEmpty());
        return;
    }
    QCOMPARE(drawn.count(), 1);
    QVERIFY(fuzzyEqual(drawn.first().target, QRectF(TW, M + 2 * L, (TAW - 105) * share, L - 5)));
    QVERIFY(fuzzyEqual(drawn.first().source, QRectF(0, 0, stars.width() * share, 81)));
}

void TestFavoriteItemDelegate::favoriteRowSizeAndDuration()
{
    VideoEntry* entry = addEntry("id");
    entry->setVideoFileSize(1048577);
    entry->setLength(3599.0f);
    paintRow(0);
    QCOMPARE(plainText(), QStringLiteral("1.0 MB|59:59"));

    // Both sit in the right-hand column of the text area.
    for (const RecordedText& t : myDevice->engine().recordedTexts)
        if (t.weight != QFont::Bold && !t.underline)
            QVERIFY(t.position.x() >= TW + TAW - 75 + M - 0.5);
}

void TestFavoriteItemDelegate::thumbnailIsDrawnWhole_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QSize>("size");
    QTest::newRow("favourite row, the service's small picture") << 1 << QSize(120, 90);
    QTest::newRow("favourite row, a large picture") << 1 << QSize(480, 360);
    QTest::newRow("download row, the loading picture's size") << 0 << QSize(128, 96);
}

void TestFavoriteItemDelegate::thumbnailIsDrawnWhole()
{
    QFETCH(int, mode);
    QFETCH(QSize, size);
    QImage thumbnail(size, QImage::Format_RGB32);
    thumbnail.fill(Qt::darkGreen);
    addEntry("id")->setThumbnail(thumbnail);
    myDelegate->setDelegateMode(mode);
    paintRow(0);

    const QList<RecordedImage> drawn = drawnImages(thumbnail);
    QCOMPARE(drawn.count(), 1);
    QCOMPARE(drawn.first().source, QRectF(QPointF(0, 0), QSizeF(size)));
    QVERIFY(fuzzyEqual(drawn.first().target, QRectF(M, M, TW - 2 * M, TH)));
}

void TestFavoriteItemDelegate::downloadRowStatus_data()
{
    QTest::addColumn<QString>("runningId");
    QTest::addColumn<int>("downloadState");
    QTest::addColumn<QString>("status");
    QTest::newRow("neither running nor invalid shows no status") << "other" << int(eDownloadQueued) << "";
    QTest::newRow("the running download shows its percentage") << "queued1" << int(eDownloadQueued) << "Downloaded: 42%";
    QTest::newRow("an invalid entry cannot be downloaded") << "other" << int(eDownloadInvalid) << "Unable to download";
    QTest::newRow("running wins over invalid") << "queued1" << int(eDownloadInvalid) << "Downloaded: 42%";
    QTest::newRow("nothing running yet") << "" << int(eDownloadQueued) << "";
}

void TestFavoriteItemDelegate::downloadRowStatus()
{
    QFETCH(QString, runningId);
    QFETCH(int, downloadState);
    QFETCH(QString, status);
    VideoEntry* entry = addEntry("queued1");
    entry->setName(QStringLiteral("Queued"));
    entry->setLength(75.0f);
    entry->setDownloadState(downloadState);
    myDelegate->setDelegateMode(0);
    myDelegate->setDownloadProgress(42.7, runningId);
    paintRow(0);

    QCOMPARE(boldText(), QStringLiteral("Queued"));
    QCOMPARE(underlinedText(), QString());
    QString expected = QStringLiteral("Duration: 01:15");
    if (!status.isEmpty())
        expected += QLatin1Char('|') + status;
    QCOMPARE(plainText(), expected);
    QVERIFY(fuzzyEqual(entry->getThumbnailRect(), QRectF(M, M, TW - 2 * M, TH)));
    QCOMPARE(entry->getAuthorRect(), QRectF());
}

void TestFavoriteItemDelegate::downloadTitleIsCutAt60_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");
    const QString t60(60, QLatin1Char('q'));
    const QString t61(61, QLatin1Char('r'));
    QTest::newRow("60 drawn whole") << t60 << t60;
    QTest::newRow("61 cut") << t61 << t61.left(60) + "...";
}

void TestFavoriteItemDelegate::downloadTitleIsCutAt60()
{
    QFETCH(QString, title);
    QFETCH(QString, shown);
    VideoEntry* entry = addEntry("id");
    entry->setName(title);
    myDelegate->setDelegateMode(0);
    paintRow(0);
    QCOMPARE(boldText(), shown);
}

void TestFavoriteItemDelegate::dropIndicator_data()
{
    QTest::addColumn<int>("indicatorRow"); // -1: null entry
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("lineY");     // -1: no line on the painted row
    QTest::newRow("top of the row") << 1 << 0 << 1 << 100.0 + 2;
    QTest::newRow("bottom of the row") << 1 << 1 << 1 << 100.0 + 98;
    QTest::newRow("any non-zero flag is the bottom") << 1 << 2 << 1 << 100.0 + 98;
    QTest::newRow("download rows too") << 1 << 0 << 0 << 100.0 + 2;
    QTest::newRow("another row's entry") << 0 << 0 << 1 << -1.0;
    QTest::newRow("null entry") << -1 << 0 << 1 << -1.0;
}

void TestFavoriteItemDelegate::dropIndicator()
{
    QFETCH(int, indicatorRow);
    QFETCH(int, position);
    QFETCH(int, mode);
    QFETCH(double, lineY);
    VideoEntry* first = addEntry("a");
    VideoEntry* second = addEntry("b");
    VideoEntry* target = indicatorRow == 0 ? first : indicatorRow == 1 ? second : nullptr;
    myDelegate->setDelegateMode(mode);
    myDelegate->setDropIndicator(target, position);

    VideoEntry* readEntry = reinterpret_cast<VideoEntry*>(0x1);
    int readPosition = -5;
    myDelegate->getDropIndicator(readEntry, readPosition);
    QCOMPARE(readEntry, target);
    QCOMPARE(readPosition, position);

    paintRow(1, 100);
    QList<QLineF> cyan;
    for (const RecordedLine& line : myDevice->engine().recordedLines)
        if (line.color == QColor(0, 240, 240))
            cyan << line.line;
    if (lineY < 0) {
        QVERIFY(cyan.isEmpty());
        return;
    }
    QCOMPARE(cyan.count(), 1);
    QCOMPARE(cyan.first(), QLineF(20, lineY, 20 + ROW_W - 40, lineY));
}

void TestFavoriteItemDelegate::invalidRowsPaintNothing()
{
    for (int mode = 0; mode <= 2; ++mode) {
        myDelegate->setDelegateMode(mode);
        paintRow(0); // no such row: invalid index
        QVERIFY(myDevice->engine().isEmpty());
    }
}

QTEST_MAIN(TestFavoriteItemDelegate)
#include "tst_favoriteitemdelegate.moc"
