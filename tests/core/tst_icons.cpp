// The compiled-in artwork: every icon path of the program names a picture that
// renders, at the size the painters cut from it, and the shared images are made
// once.
#include "core/SharedImages.h"
#include "core/constants/Icons.h"
#include "tests/support/TestSupport.h"

#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QSvgRenderer>
#include <QtTest>

class TestIcons : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;

private Q_SLOTS:
    void everyIconRenders_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        const QSize standard(81, 81);
        const QSize state(35, 35);
        const QList<QPair<QString, QSize>> icons = {
            {ICON_STAR5, QSize(405, 81)}, {ICON_BACK_BG, standard}, {ICON_BACK, standard},
            {ICON_BACK_PRESSED, standard}, {ICON_LOADING, QSize(128, 96)}, {ICON_INFOBUTTON, standard},
            {ICON_PLAY, standard}, {ICON_PLAY_PRESSED, standard}, {ICON_MYSTATS, standard},
            {ICON_MYSTATS_PRESSED, standard}, {ICON_CONTACTS, standard}, {ICON_CONTACTS_PRESSED, standard},
            {ICON_UPLOADED, standard}, {ICON_UPLOADED_PRESSED, standard}, {ICON_BUTTON_NORMAL, standard},
            {ICON_BUTTON_PRESSED, standard}, {ICON_BUTTON_DISABLED, standard}, {ICON_CHECKBOX_CHECKED, standard},
            {ICON_CHECKBOX_UNCHECKED, standard}, {ICON_LIST_OPEN, standard}, {ICON_FOLDER_DOWNLOADING, standard},
            {ICON_LOCAL_PLAYLIST_MAIN_OPEN, standard}, {ICON_LOCAL_PLAYLIST_MAIN_CLOSE, standard},
            {ICON_YOUTUBE_PLAYLIST_OPEN, standard}, {ICON_YOUTUBE_PLAYLIST_CLOSE, standard},
            {ICON_LOCAL_PLAYLIST, standard}, {ICON_YOUTUBE_PLAYLIST, standard}, {ICON_STATE_LINK, state},
            {ICON_STATE_MEMORY, state}, {ICON_STATE_HISTORY, state}, {ICON_STATE_EMPTY, state},
            {ICON_SEARCH, standard}, {ICON_TRASH, standard}, {ICON_PAUSE, standard}, {ICON_NEXT, standard},
            {ICON_PREVIOUS, standard}, {ICON_FULLSCREEN, standard}, {ICON_NORMALSCREEN, standard},
            {ICON_ARROW_DOWN, standard}, {ICON_ARROW_UP, standard}, {ICON_LOGO, QSize(162, 81)},
        };
        for (const auto& icon : icons)
            QTest::newRow(qPrintable(icon.first)) << icon.first << icon.second;
    }

    void everyIconRenders()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QSvgRenderer renderer(path);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.defaultSize(), size);
        const QImage& image = getSharedImage(path);
        QCOMPARE(image.size(), size);
    }

    void everyResourceIsValidSvg()
    {
        QDirIterator it(QStringLiteral(":icons"), {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
        int count = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QVERIFY2(QSvgRenderer(path).isValid(), qPrintable(path));
            ++count;
        }
        QVERIFY(count >= 34);
    }

    void iconsAreNotBlank_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString& path : {ICON_STAR5, ICON_BACK, ICON_LOADING, ICON_STATE_LINK, ICON_LOGO, ICON_TRASH})
            QTest::newRow(qPrintable(path)) << path;
    }

    void iconsAreNotBlank()
    {
        QFETCH(QString, path);
        const QImage& image = getSharedImage(path);
        int painted = 0;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                if (qAlpha(image.pixel(x, y)) > 0)
                    ++painted;
        QVERIFY2(painted > 20, qPrintable(path));
    }

    void sharedImagesAreMadeOnce()
    {
        QCOMPARE(&getStarImage(), &getSharedImage(ICON_STAR5));
        QCOMPARE(&getStarImage(), &getStarImage());
        QCOMPARE(&getBackBgImage(), &getSharedImage(ICON_BACK_BG));
        QCOMPARE(getStarImage().size(), QSize(405, 81));
        // The star strip holds five stars: the middle of each fifth is painted.
        for (int i = 0; i < 5; ++i)
            QVERIFY(qAlpha(getStarImage().pixel(i * 81 + 40, 40)) > 0);
    }

    void missingIconGivesANullImage()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot render"));
        QVERIFY(getSharedImage(QStringLiteral(":icons/no_such_icon.svg")).isNull());
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
