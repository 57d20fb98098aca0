#include "core/SharedImages.h"
#include "core/VideoListModel.h"
#include "tests/support/TestSupport.h"
#include "widgets/VideoEntryItemDelegate.h"
#include "widgets/VideoSweepList.h"
#include "widgets/WidgetConstants.h"
#include "widgets/WidgetStyles.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

VideoEntry* makeEntry(const QString& id, const QString& author, const QString& rating)
{
    auto* entry = new VideoEntry;
    entry->setVideoId(id);
    entry->setName(QStringLiteral("A video called %1").arg(id));
    entry->setAuthor(author);
    entry->setRating(rating);
    entry->setLength(125);
    entry->setViewCount(QStringLiteral("1234"));
    entry->setCommentCount(QStringLiteral("56"));
    QImage thumbnail(128, 96, QImage::Format_RGB32);
    thumbnail.fill(Qt::darkGreen);
    entry->setThumbnail(thumbnail);
    return entry;
}

// Number of pixels in the rectangle that differ from the background colour.
int paintedPixels(const QImage& image, const QRect& rect, QRgb background)
{
    int count = 0;
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background)
                ++count;
    return count;
}

} // namespace

class TestVideoEntryItemDelegate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void rowHeightFollowsView_data();
    void rowHeightFollowsView();
    void formatDuration_data();
    void formatDuration();
    void hitRectanglesOfAuthorMode();
    void hitRectanglesOfCommentsMode();
    void rectanglesAreInViewportCoordinates();
    void longAuthorIsCut();
    void emptyAuthorHasNoLink();
    void ratingStars_data();
    void ratingStars();
    void invalidRowPaintsNothing();
    void tapsOnPaintedLinks_data();
    void tapsOnPaintedLinks();
    void modeValues_data();
    void modeValues();

private:
    void paintRow(VideoEntryItemDelegate& delegate, VideoListModel& model, int row, const QRect& rect,
                  QImage* target = nullptr);

    std::unique_ptr<TestWorld> myWorld;
    QWidget* myWindow = nullptr;
};

void TestVideoEntryItemDelegate::init()
{
    myWorld = std::make_unique<TestWorld>(TestWorld::Folders);
    myWindow = &myWorld->window();
}

void TestVideoEntryItemDelegate::cleanup()
{
    myWorld.reset();
}

void TestVideoEntryItemDelegate::paintRow(VideoEntryItemDelegate& delegate, VideoListModel& model, int row,
                                          const QRect& rect, QImage* target)
{
    QImage scratch(800, 480, QImage::Format_ARGB32_Premultiplied);
    QImage& image = target ? *target : scratch;
    if (!target)
        image.fill(Qt::black);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = rect;
    delegate.paint(&painter, option, model.index(row, 0));
}

void TestVideoEntryItemDelegate::rowHeightFollowsView_data()
{
    QTest::addColumn<int>("viewHeight");
    QTest::addColumn<int>("rowHeight");
    QTest::newRow("480 high") << 480 << 120;
    QTest::newRow("400 high") << 400 << 100;
    QTest::newRow("322 high") << 322 << 81;
    QTest::newRow("low view") << 200 << 80;
    QTest::newRow("tall view") << 700 << 120;
}

void TestVideoEntryItemDelegate::rowHeightFollowsView()
{
    QFETCH(int, viewHeight);
    QFETCH(int, rowHeight);
    auto* list = new VideoSweepList(myWindow);
    list->resize(640, viewHeight);
    VideoEntryItemDelegate delegate(list, 0);
    const QSize size = delegate.sizeHint(QStyleOptionViewItem(), QModelIndex());
    QCOMPARE(size.height(), rowHeight);
    QCOMPARE(size.width(), list->viewport()->width());
}

void TestVideoEntryItemDelegate::formatDuration_data()
{
    QTest::addColumn<float>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0.0f << "00:00";
    QTest::newRow("59.9") << 59.9f << "00:59";
    QTest::newRow("3599") << 3599.0f << "59:59";
    QTest::newRow("3600") << 3600.0f << "01:00:00";
    QTest::newRow("36061") << 36061.0f << "10:01:01";
    QTest::newRow("negative") << -5.0f << "00:00";
}

void TestVideoEntryItemDelegate::formatDuration()
{
    QFETCH(float, seconds);
    QFETCH(QString, text);
    QCOMPARE(VideoEntryItemDelegate::formatDuration(seconds), text);
}

void TestVideoEntryItemDelegate::hitRectanglesOfAuthorMode()
{
    VideoListModel model(nullptr);
    model.addEntry(makeEntry(QStringLiteral("a"), QStringLiteral("someone"), QStringLiteral("4")));
    VideoEntry* entry = model.entryAt(0);
    entry->setCommentsLinkRect(QRectF(1, 1, 5, 5)); // stale, from an earlier mode
    VideoEntryItemDelegate delegate(nullptr, 0);
    const QRect row(0, 0, 640, 100);
    paintRow(delegate, model, 0, row);

    const QRectF thumbnail = entry->getThumbnailRect();
    const QRectF author = entry->getAuthorRect();
    const QRectF info = entry->getInfoButtonRect();
    QVERIFY(!thumbnail.isEmpty());
    QVERIFY(!author.isEmpty());
    QVERIFY(!info.isEmpty());
    QVERIFY(entry->getCommentsLinkRect().isEmpty());

    // All inside the row, the thumbnail a 4:3 cell at the left, the button at the right.
    for (const QRectF& r : {thumbnail, author, info})
        QVERIFY2(QRectF(row).adjusted(0, 0, 1, 1).contains(r), "hit rectangle outside its row");
    QCOMPARE(thumbnail.left(), 3.0);
    QVERIFY(qAbs(thumbnail.width() + 6 - 100 * 4.0 / 3.0) < 0.01);
    QVERIFY(info.right() > 600);
    // Author right of the thumbnail, in the lower part of the row, as wide as the text.
    QVERIFY(author.left() >= thumbnail.right());
    QVERIFY(author.top() > row.center().y());
    QFont font(FONT_FAMILY, VIDEO_FONT_SIZE);
    QVERIFY(qAbs(author.width() - QFontMetricsF(font).horizontalAdvance(QStringLiteral("someone"))) < 0.5);
    // The link, the thumbnail and the button never overlap.
    QVERIFY(!author.intersects(info));
    QVERIFY(!author.intersects(thumbnail));
}

void TestVideoEntryItemDelegate::hitRectanglesOfCommentsMode()
{
    VideoListModel model(nullptr);
    model.addEntry(makeEntry(QStringLiteral("a"), QStringLiteral("someone"), QStringLiteral("4")));
    VideoEntry* entry = model.entryAt(0);
    VideoEntryItemDelegate delegate(nullptr, 0);
    paintRow(delegate, model, 0, QRect(0, 0, 640, 100));
    QVERIFY(!entry->getAuthorRect().isEmpty());

    delegate.setDelegateMode(1);
    paintRow(delegate, model, 0, QRect(0, 0, 640, 100));
    QVERIFY(entry->getAuthorRect().isEmpty());
    const QRectF comments = entry->getCommentsLinkRect();
    QVERIFY(!comments.isEmpty());
    QFont font(FONT_FAMILY, VIDEO_FONT_SIZE);
    QVERIFY(qAbs(comments.width() - QFontMetricsF(font).horizontalAdvance(QStringLiteral("Video comments"))) < 0.5);
}

void TestVideoEntryItemDelegate::rectanglesAreInViewportCoordinates()
{
    VideoListModel model(nullptr);
    model.addEntry(makeEntry(QStringLiteral("a"), QStringLiteral("someone"), QStringLiteral("4")));
    VideoEntry* entry = model.entryAt(0);
    VideoEntryItemDelegate delegate(nullptr, 0);
    paintRow(delegate, model, 0, QRect(0, 0, 640, 100));
    const QRectF first = entry->getAuthorRect();
    const QRectF firstInfo = entry->getInfoButtonRect();
    paintRow(delegate, model, 0, QRect(0, 250, 640, 100));
    QCOMPARE(entry->getAuthorRect(), first.translated(0, 250));
    QCOMPARE(entry->getInfoButtonRect(), firstInfo.translated(0, 250));
}

void TestVideoEntryItemDelegate::longAuthorIsCut()
{
    VideoListModel model(nullptr);
    const QString twenty = QStringLiteral("abcdefghijklmnopqrst");
    model.addEntry(makeEntry(QStringLiteral("a"), twenty, QStringLiteral("3")));
    model.addEntry(makeEntry(QStringLiteral("b"), twenty + QLatin1Char('u'), QStringLiteral("3")));
    VideoEntryItemDelegate delegate(nullptr, 0);
    paintRow(delegate, model, 0, QRect(0, 0, 640, 100));
    paintRow(delegate, model, 1, QRect(0, 100, 640, 100));
    QFontMetricsF metrics(QFont(FONT_FAMILY, VIDEO_FONT_SIZE));
    QVERIFY(qAbs(model.entryAt(0)->getAuthorRect().width() - metrics.horizontalAdvance(twenty)) < 0.5);
    QVERIFY(qAbs(model.entryAt(1)->getAuthorRect().width() - metrics.horizontalAdvance(twenty + QStringLiteral("...")))
            < 0.5);
    QCOMPARE(VideoEntryItemDelegate::cutText(twenty, 20), twenty);
    QCOMPARE(VideoEntryItemDelegate::cutText(twenty + QLatin1Char('u'), 20), twenty + QStringLiteral("..."));
}

void TestVideoEntryItemDelegate::emptyAuthorHasNoLink()
{
    VideoListModel model(nullptr);
    model.addEntry(makeEntry(QStringLiteral("a"), QString(), QStringLiteral("3")));
    VideoEntry* entry = model.entryAt(0);
    entry->setAuthorRect(QRectF(0, 0, 50, 50));
    VideoEntryItemDelegate delegate(nullptr, 0);
    paintRow(delegate, model, 0, QRect(0, 0, 640, 100));
    QVERIFY(entry->getAuthorRect().isEmpty());
}

void TestVideoEntryItemDelegate::ratingStars_data()
{
    QTest::addColumn<QString>("rating");
    QTest::addColumn<double>("share"); // of the full five-star width
    QTest::newRow("none") << "" << 0.0;
    QTest::newRow("not a number") << "good" << 0.0;
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("half") << "2.5" << 0.5;
    QTest::newRow("full") << "5" << 1.0;
    QTest::newRow("above five") << "7" << 1.0;
}

void TestVideoEntryItemDelegate::ratingStars()
{
    QFETCH(QString, rating);
    QFETCH(double, share);
    VideoListModel model(nullptr);
    model.addEntry(makeEntry(QStringLiteral("a"), QStringLiteral("x"), rating));
    VideoEntry* entry = model.entryAt(0);
    entry->setName(QString());
    entry->setViewCount(QString());
    entry->setCommentCount(QString());
    VideoEntryItemDelegate delegate(nullptr, 0);
    QImage image(800, 480, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    const int H = 100;
    paintRow(delegate, model, 0, QRect(0, 0, 640, H), &image);

    // The stars' line: the third of the four text lines, right of the thumbnail.
    const double M = 0.03 * H;
    const double L = (H - 2 * M) / 4;
    const int left = qCeil(entry->getThumbnailRect().right() + M + 1);
    const QRect starsLine(left, qRound(M + 2 * L) + 1, 300, qRound(L) - 7);
    const int painted = paintedPixels(image, starsLine, QColor(Qt::black).rgb());
    if (share == 0.0) {
        QCOMPARE(painted, 0);
        return;
    }
    QVERIFY(painted > 0);
    // The rightmost painted column marks the stars' width.
    int right = left;
    for (int x = starsLine.right(); x >= left; --x) {
        if (paintedPixels(image, QRect(x, starsLine.top(), 1, starsLine.height()), QColor(Qt::black).rgb())) {
            right = x;
            break;
        }
    }
    const QImage& stars = getStarImage();
    const double fullWidth = stars.width() * (L - VIDEO_STARS_SHRINK) / stars.height();
    const double expected = entry->getThumbnailRect().right() + M + fullWidth * share;
    QVERIFY2(qAbs(right - expected) <= 3.0, qPrintable(QStringLiteral("%1 vs %2").arg(right).arg(expected)));
}

void TestVideoEntryItemDelegate::invalidRowPaintsNothing()
{
    VideoListModel model(nullptr);
    model.addEntry(makeEntry(QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("3")));
    VideoEntryItemDelegate delegate(nullptr, 0);
    QImage image(800, 480, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 640, 100);
    delegate.paint(&painter, option, QModelIndex());
    delegate.paint(&painter, option, model.index(5, 0));
    painter.end();
    QCOMPARE(paintedPixels(image, image.rect(), QColor(Qt::black).rgb()), 0);
    QVERIFY(model.entryAt(0)->getThumbnailRect().isEmpty());
}

void TestVideoEntryItemDelegate::tapsOnPaintedLinks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("expected");
    QTest::newRow("author, mode 0") << 0 << "author" << "author";
    QTest::newRow("comments link, mode 1") << 1 << "comments" << "comments";
    QTest::newRow("info button") << 0 << "info" << "info";
    QTest::newRow("title") << 0 << "title" << "";
}

void TestVideoEntryItemDelegate::tapsOnPaintedLinks()
{
    QFETCH(int, mode);
    QFETCH(QString, target);
    QFETCH(QString, expected);
    auto* list = new VideoSweepList(myWindow);
    auto* model = new VideoListModel(nullptr, list);
    for (int i = 0; i < 10; ++i)
        model->addEntry(makeEntry(QString::number(i), QStringLiteral("author%1").arg(i), QStringLiteral("3.5")));
    list->setItemDelegate(new VideoEntryItemDelegate(list, mode));
    list->setModel(model);
    list->setGeometry(0, 0, 640, 400);
    QVERIFY(showOnScreen(myWindow));
    // Scroll so that the rows are painted away from their first place.
    list->verticalScrollBar()->setValue(150);
    QApplication::processEvents();
    list->viewport()->repaint();

    const QModelIndex index = list->indexAt(QPoint(300, 200));
    QVERIFY(index.isValid());
    VideoEntry* entry = model->entryAt(index.row());
    QRectF rect;
    if (target == QLatin1String("author"))
        rect = entry->getAuthorRect();
    else if (target == QLatin1String("comments"))
        rect = entry->getCommentsLinkRect();
    else if (target == QLatin1String("info"))
        rect = entry->getInfoButtonRect();
    else
        rect = QRectF(entry->getThumbnailRect().right() + 20, list->visualRect(index).top() + 8, 10, 10);
    QVERIFY(!rect.isEmpty());
    QVERIFY(list->visualRect(index).contains(rect.center().toPoint()));

    QSignalSpy authorSpy(list, &VideoSweepList::authorLinkClicked);
    QSignalSpy commentsSpy(list, &VideoSweepList::videoCommentsClicked);
    QSignalSpy infoSpy(list, &VideoSweepList::infoButtonClicked);
    Touch::tap(list, rect.center().toPoint());
    QCOMPARE(authorSpy.count(), expected == QLatin1String("author") ? 1 : 0);
    QCOMPARE(commentsSpy.count(), expected == QLatin1String("comments") ? 1 : 0);
    QCOMPARE(infoSpy.count(), expected == QLatin1String("info") ? 1 : 0);
    if (!expected.isEmpty()) {
        QSignalSpy& spy = expected == QLatin1String("author") ? authorSpy
            : expected == QLatin1String("comments")           ? commentsSpy
                                                              : infoSpy;
        QCOMPARE(spy.first().first().toModelIndex(), index);
    }
}

void TestVideoEntryItemDelegate::modeValues_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("stored");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("2") << 2 << 0;
    QTest::newRow("-1") << -1 << 0;
}

void TestVideoEntryItemDelegate::modeValues()
{
    QFETCH(int, mode);
    QFETCH(int, stored);
    VideoEntryItemDelegate delegate(nullptr, mode);
    QCOMPARE(delegate.getDelegateMode(), stored);
    delegate.setDelegateMode(1);
    delegate.setDelegateMode(mode);
    QCOMPARE(delegate.getDelegateMode(), stored);
}

QTEST_MAIN(TestVideoEntryItemDelegate)
#include "tst_videoentryitemdelegate.moc"
