#include "shell/BackButton.h"
#include "shell/LogoPixmap.h"
#include "shell/PageHeader.h"
#include "shell/ProgressRoll.h"
#include "tests/support/TestSupport.h"

#include <QLabel>
#include <QTest>

// The busy indicator and the header band with its logo.
class TestProgressRoll : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;
private Q_SLOTS:
    // One step per 100 ms while started, round the ring of 12 dots; none while stopped.
    void rollsOnlyWhileStarted()
    {
        ManualClock clock;
        ProgressRoll roll;
        roll.show();
        QVERIFY(!roll.isRunning());
        clock.advance(1000);
        QCOMPARE(roll.getStep(), 0);

        roll.start();
        QVERIFY(roll.isRunning());
        clock.advance(99);
        QCOMPARE(roll.getStep(), 0);
        clock.advance(1);
        QCOMPARE(roll.getStep(), 1);
        clock.advance(1000);
        QCOMPARE(roll.getStep(), 11);
        clock.advance(100);
        QCOMPARE(roll.getStep(), 0);
        QVERIFY(!roll.grab().toImage().isNull());

        roll.stop();
        QVERIFY(!roll.isRunning());
        clock.advance(1000);
        QCOMPARE(roll.getStep(), 0);
        // Starting twice keeps one timer.
        roll.start();
        roll.start();
        clock.advance(100);
        QCOMPARE(roll.getStep(), 1);
        roll.stop();
        QVERIFY(!roll.isRunning());
    }

    void logoFitsSixtyByThirty()
    {
        const QPixmap& logo = getYoutubeLogoPixmap();
        QVERIFY(!logo.isNull());
        QVERIFY(logo.width() <= 60 && logo.height() <= 30);
        // Fitted: one side touches the box.
        QVERIFY(logo.width() == 60 || logo.height() == 30);
        // Shared: the same pixmap every time.
        QCOMPARE(&getYoutubeLogoPixmap(), &logo);
    }

    void headerBandHasLogoTitleAndBackButton()
    {
        PageHeader header(QStringLiteral("Comments of "));
        header.resize(800, 70);
        QVERIFY(showOnScreen(&header));
        QVERIFY(header.minimumWidth() >= 800);
        QCOMPARE(header.height(), 70);
        QCOMPARE(header.getTitle(), QStringLiteral("Comments of "));
        QVERIFY(header.getBackButton());
        // The back button sits at the right end, the logo at the left.
        QVERIFY(header.getBackButton()->geometry().right() > 700);
        const QList<QLabel*> labels = header.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 2);
        // The labels keep their own size; the band's minimum size is not theirs.
        for (QLabel* label : labels)
            QVERIFY(label->width() < 800);

        PageHeader plain(QStringLiteral("Krelvox"), nullptr, false);
        QCOMPARE(plain.getBackButton(), nullptr);
        plain.setTitle(QStringLiteral("Other"));
        QCOMPARE(plain.getTitle(), QStringLiteral("Other"));
    }
};

QTEST_MAIN(TestProgressRoll)
#include "tst_progressroll.moc"
