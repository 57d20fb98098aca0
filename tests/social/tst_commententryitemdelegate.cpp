#include "social/CommentEntryItemDelegate.h"
#include "social/TextPageConstants.h"

#include "core/CommentEntry.h"
#include "core/CommentListModel.h"
#include "tests/support/TestSupport.h"
#include "widgets/WidgetStyles.h"

#include <QListView>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QtTest>

// The comment row painter: what a row shows, the author link's hit area it stores,
// the row limit and the row sizes that follow the list's width and the text.
class TestCommentEntryItemDelegate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void paintsAuthorDateAndText_data();
    void paintsAuthorDateAndText();
    void rowsOutsideTheLimitOrWithoutEntry_data();
    void rowsOutsideTheLimitOrWithoutEntry();
    void sizeFollowsWidthAndText();
    void plainTextStaysInTheRow_data();
    void plainTextStaysInTheRow();

private:
    TestEnvironment myEnvironment;
};

namespace {

CommentEntry* comment(const QString& author, const QString& text = QStringLiteral("Nice one"))
{
    return new CommentEntry(author, text, QStringLiteral("03.07.2013"));
}

void paintRow(CommentEntryItemDelegate& delegate, const QModelIndex& index, const QRect& rect,
              RecordingPaintDevice& device)
{
    QStyleOptionViewItem option;
    option.rect = rect;
    QPainter painter(&device);
    delegate.paint(&painter, option, index);
}

} // namespace

void TestCommentEntryItemDelegate::paintsAuthorDateAndText_data()
{
    QTest::addColumn<QString>("author");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("hitTop");

    QTest::newRow("14 characters whole") << QStringLiteral("abcdefghijklmn") << 40 << QStringLiteral("abcdefghijklmn")
                                         << 32;
    QTest::newRow("15 characters cut") << QStringLiteral("abcdefghijklmno") << 40 << QStringLiteral("abcdefghijk...")
                                       << 32;
    QTest::newRow("row at the top: hit area from 0") << QStringLiteral("anna") << 0 << QStringLiteral("anna") << 0;
    QTest::newRow("row 5 px down: hit area from 0") << QStringLiteral("anna") << 5 << QStringLiteral("anna") << 0;
}

void TestCommentEntryItemDelegate::paintsAuthorDateAndText()
{
    QFETCH(QString, author);
    QFETCH(int, top);
    QFETCH(QString, shown);
    QFETCH(int, hitTop);

    QListView view;
    view.resize(400, 300);
    CommentListModel model;
    model.addEntry(comment(author, QStringLiteral("The northern lights over the fell")));
    CommentEntryItemDelegate delegate(&view, 20);
    RecordingPaintDevice device;
    paintRow(delegate, model.index(0, 0), QRect(0, top, 393, 80), device);
    const RecordingPaintEngine& e = device.engine();

    // A faint separator across the row's top, one pixel past its right edge.
    QVERIFY(!e.recordedLines.isEmpty());
    QCOMPARE(e.recordedLines.first().line, QLineF(0, top, 393, top));
    QCOMPARE(e.recordedLines.first().color, QColor(255, 255, 255, TEXT_ROW_SEPARATOR_ALPHA));

    // Author underlined in the link colour, then the date and the text in white.
    QVERIFY(e.recordedTexts.size() >= 3);
    const RecordedText& link = e.recordedTexts.first();
    QCOMPARE(link.text, shown);
    QVERIFY(link.underline);
    QCOMPARE(link.color, QColor(LINK_COLOR));
    QCOMPARE(link.pointSize, TEXT_ROW_FONT_SIZE);
    QVERIFY(e.allText().contains(QStringLiteral("03.07.2013")));
    QVERIFY(e.allText().contains(QStringLiteral("northern lights")));
    for (int i = 1; i < e.recordedTexts.size(); ++i) {
        QVERIFY(!e.recordedTexts.at(i).underline);
        QCOMPARE(e.recordedTexts.at(i).color, QColor(Qt::white));
    }

    // The stored hit area: the shown name's width, 8 px above and below its line.
    CommentEntry* entry = model.entryAt(0);
    QFont font(FONT_FAMILY, TEXT_ROW_FONT_SIZE);
    font.setUnderline(true);
    const QRectF hit = entry->getAuthorRect();
    QCOMPARE(hit.top(), double(hitTop));
    QCOMPARE(hit.left(), 0.0);
    QCOMPARE(hit.height(), double(delegate.getLineHeight() + COMMENT_AUTHOR_HIT_MARGIN));
    QCOMPARE(hit.width(), double(QFontMetrics(font).horizontalAdvance(shown)));
}

void TestCommentEntryItemDelegate::rowsOutsideTheLimitOrWithoutEntry_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("row");     // -1: an invalid index
    QTest::addColumn<bool>("entry");  // false: the row's data holds no comment
    QTest::addColumn<bool>("painted");

    QTest::newRow("last row within the limit") << 50 << 49 << true << true;
    QTest::newRow("row 50 with a limit of 50") << 50 << 50 << true << false;
    QTest::newRow("row 20 in the panel's limit") << 20 << 20 << true << false;
    QTest::newRow("invalid index") << 50 << -1 << true << false;
    QTest::newRow("data without a comment") << 50 << 0 << false << false;
}

void TestCommentEntryItemDelegate::rowsOutsideTheLimitOrWithoutEntry()
{
    QFETCH(int, limit);
    QFETCH(int, row);
    QFETCH(bool, entry);
    QFETCH(bool, painted);

    QListView view;
    view.resize(400, 300);
    CommentListModel comments;
    for (int i = 0; i < 51; ++i)
        comments.addEntry(comment(QStringLiteral("user%1").arg(i)));
    QStandardItemModel texts;
    texts.appendRow(new QStandardItem(QStringLiteral("not a comment")));
    QAbstractItemModel& model = entry ? static_cast<QAbstractItemModel&>(comments) : texts;
    const QModelIndex index = row < 0 ? QModelIndex() : model.index(row, 0);

    CommentEntryItemDelegate delegate(&view, limit);
    RecordingPaintDevice device;
    paintRow(delegate, index, QRect(0, 0, 393, 80), device);
    QCOMPARE(!device.engine().isEmpty(), painted);
    const QSize size = delegate.sizeHint(QStyleOptionViewItem(), index);
    QCOMPARE(size.isEmpty(), !painted);
    if (!painted)
        QCOMPARE(size, QSize(0, 0));
}

void TestCommentEntryItemDelegate::sizeFollowsWidthAndText()
{
    QListView view;
    view.resize(400, 300);
    CommentListModel model;
    model.addEntry(comment(QStringLiteral("a"), QStringLiteral("short")));
    model.addEntry(comment(QStringLiteral("b"), QStringLiteral("lorem ipsum dolor sit amet ").repeated(12)));
    CommentEntryItemDelegate delegate(&view, 20);
    const QFontMetrics metrics(QFont(FONT_FAMILY, TEXT_ROW_FONT_SIZE));
    QCOMPARE(delegate.getLineHeight(),
             qRound(metrics.boundingRect(QRect(), Qt::TextDontClip, QStringLiteral("test string")).height() * 1.2));

    const QSize shortRow = delegate.sizeHint(QStyleOptionViewItem(), model.index(0, 0));
    QCOMPARE(shortRow, QSize(393, delegate.getLineHeight() + metrics.height()));
    const QSize longRow = delegate.sizeHint(QStyleOptionViewItem(), model.index(1, 0));
    QVERIFY(longRow.height() > shortRow.height() + 2 * metrics.height());

    // A narrower list wraps the long text over more lines.
    view.resize(250, 300);
    QCOMPARE(delegate.sizeHint(QStyleOptionViewItem(), model.index(0, 0)).width(), 243);
    QVERIFY(delegate.sizeHint(QStyleOptionViewItem(), model.index(1, 0)).height() > longRow.height());
}

void TestCommentEntryItemDelegate::plainTextStaysInTheRow_data()
{
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("minLines");

    QTest::newRow("sentences wrap at words") << "anna" << QStringLiteral("lorem ipsum dolor sit amet ").repeated(12) << 2;
    QTest::newRow("markup is shown as it stands") << "anna" << "<b>bold</b> <a href='http://x'>link</a> &amp;" << 1;
    QTest::newRow("a word longer than the row") << "anna" << QString(500, QLatin1Char('x')) << 5;
    QTest::newRow("right to left") << QStringLiteral("مشاهد")
                                   << QStringLiteral("هذا تعليق طويل باللغة العربية عن الفيديو ").repeated(8) << 3;
    QTest::newRow("CJK without blanks") << "anna" << QStringLiteral("这是一个关于视频的很长的中文评论没有空格").repeated(6) << 3;
    QTest::newRow("line breaks") << "anna" << "one\ntwo\r\nthree" << 3;
}

void TestCommentEntryItemDelegate::plainTextStaysInTheRow()
{
    QFETCH(QString, author);
    QFETCH(QString, text);
    QFETCH(int, minLines);

    QListView view;
    view.resize(400, 300);
    CommentListModel model;
    model.addEntry(comment(author, text));
    CommentEntryItemDelegate delegate(&view, 20);
    const QSize size = delegate.sizeHint(QStyleOptionViewItem(), model.index(0, 0));
    const QFontMetricsF metrics(QFont(FONT_FAMILY, TEXT_ROW_FONT_SIZE));
    QCOMPARE(size.width(), 393);
    QVERIFY(size.height() >= delegate.getLineHeight() + minLines * int(metrics.height()));
    if (QTest::currentDataTag() == QByteArray("sentences wrap at words")) {
        // Text of words is measured as the word-wrapping text functions measure it.
        const QRect words = QFontMetrics(QFont(FONT_FAMILY, TEXT_ROW_FONT_SIZE))
                                .boundingRect(QRect(0, 0, 393, 0), Qt::TextWordWrap, text);
        QCOMPARE(size.height(), delegate.getLineHeight() + words.height());
    }

    RecordingPaintDevice device;
    paintRow(delegate, model.index(0, 0), QRect(QPoint(0, 0), size), device);
    const QList<RecordedText>& runs = device.engine().recordedTexts;
    QVERIFY(runs.size() >= 3);
    // The name sits at the row's left, where its hit area is.
    QCOMPARE(runs.first().position.x(), 0.0);
    QString content;
    for (int i = 2; i < runs.size(); ++i) {
        const RecordedText& run = runs.at(i);
        content += run.text;
        QVERIFY2(run.position.x() >= -0.5 && run.position.x() + metrics.horizontalAdvance(run.text) <= 393.5,
                 qPrintable(run.text));
        QVERIFY(run.position.y() <= size.height());
    }
    QString shown = text;
    shown.remove(QRegularExpression(QStringLiteral("\\s")));
    content.remove(QRegularExpression(QStringLiteral("\\s")));
    QCOMPARE(content, shown);
}

QTEST_MAIN(TestCommentEntryItemDelegate)
#include "tst_commententryitemdelegate.moc"
