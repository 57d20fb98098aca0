#include "shell/BackButton.h"
#include "shell/LogoPixmap.h"
#include "shell/PageHeader.h"
#include "shell/ProgressRoll.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

// The busy indicator and the header band with its logo.
class TestProgressRoll : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;
private Q_SLOTS:
    void rollsOnlyWhileStarted()
    {
        ProgressRoll roll;
        roll.show();
        QVERIFY(!roll.isRunning());
        QTest::qWait(250);
        QCOMPARE(roll.getStep(), 0);

        QElapsedTimer running;
        running.start();
        roll.start();
        QVERIFY(roll.isRunning());
        // One step per 100 ms: at most one ahead of the clock (coarse timers may fire a
        // little early) and a little behind it when the machine is busy.
        QTest::qWait(550);
        const int steps = roll.getStep();
        const int due = int(running.elapsed() / 100);
        QVERIFY2(steps <= due + 1 && steps >= due - 2,
                 qPrintable(QStringLiteral("%1 steps in %2 ms").arg(steps).arg(running.elapsed())));

        roll.stop();
        QVERIFY(!roll.isRunning());
        QTest::qWait(250);
        QCOMPARE(roll.getStep(), steps);
        // Starting twice keeps one timer.
        roll.start();
        roll.start();
        QVERIFY(roll.isRunning());
        roll.stop();
        QVERIFY(!roll.isRunning());
    }

    void stepWrapsAroundTheRing()
    {
        ProgressRoll roll;
        roll.start();
        QTRY_VERIFY_WITH_TIMEOUT(roll.getStep() == 11, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(roll.getStep() == 0, 500);
        QImage painted = roll.grab().toImage();
        QVERIFY(!painted.isNull());
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
