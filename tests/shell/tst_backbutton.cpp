#include "shell/BackButton.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>
#include <QTest>

// Press and release go through QTest's mouse functions, so the button sees what a
// finger on the screen gives it; the hold is timed on a clock the test moves.
class TestBackButton : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;
private Q_SLOTS:
    void clickAndKeysAreShortPresses_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }

    void clickAndKeysAreShortPresses()
    {
        QFETCH(int, key);
        BackButton button;
        button.show();
        QSignalSpy spy(&button, &BackButton::backButtonClicked);

        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), false);

        QTest::keyClick(&button, Qt::Key(key));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toBool(), false);

        // Other keys do not go back.
        QTest::keyClick(&button, Qt::Key_A);
        QCOMPARE(spy.count(), 2);
    }

    void holdingIsALongPressAndTheReleaseAddsNothing()
    {
        ManualClock clock;
        BackButton button;
        button.show();
        QSignalSpy spy(&button, &BackButton::backButtonClicked);

        QTest::mousePress(&button, Qt::LeftButton);
        clock.advance(1499);
        QCOMPARE(spy.count(), 0);
        clock.advance(1);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), true);

        QTest::mouseRelease(&button, Qt::LeftButton);
        clock.advance(5000);
        QCOMPARE(spy.count(), 1);

        // The next press is judged afresh.
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
    }

    // A press that ends before the long-press limit (released on the button, released
    // outside it, or the button hidden under the finger) is at most a short press,
    // and no long press follows later.
    void pressEndedBeforeTheLimit_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<int>("presses");
        QTest::newRow("released on the button 1 ms before the limit") << "release" << 1;
        QTest::newRow("released outside") << "outside" << 0;
        QTest::newRow("hidden while held") << "hide" << 0;
    }

    void pressEndedBeforeTheLimit()
    {
        QFETCH(QString, end);
        QFETCH(int, presses);
        ManualClock clock;
        BackButton button;
        button.show();
        QSignalSpy spy(&button, &BackButton::backButtonClicked);

        QTest::mousePress(&button, Qt::LeftButton);
        clock.advance(1499);
        if (end == QLatin1String("hide"))
            button.hide();
        else
            QTest::mouseRelease(&button, Qt::LeftButton, {},
                                end == QLatin1String("outside") ? QPoint(-20, -20) : QPoint());
        QCOMPARE(spy.count(), presses);
        if (presses)
            QCOMPARE(spy.at(0).at(0).toBool(), false);
        // The long-press timer was stopped.
        QVERIFY(!clock.hasTimers());
        clock.advance(5000);
        QCOMPARE(spy.count(), presses);

        // Shown again, the button is up and takes the next click as a short press.
        button.show();
        QVERIFY(!button.isDown());
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(spy.count(), presses + 1);
        QCOMPARE(spy.last().at(0).toBool(), false);
    }

    void longPressThatHidesTheButtonLeavesItUp()
    {
        ManualClock clock;
        BackButton button;
        button.show();
        QSignalSpy spy(&button, &BackButton::backButtonClicked);

        // The long press takes the page away before the finger is lifted.
        QTest::mousePress(&button, Qt::LeftButton);
        clock.advance(1500);
        QCOMPARE(spy.count(), 1);
        button.hide();
        button.show();
        QVERIFY(!button.isDown());
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
    }
};

QTEST_MAIN(TestBackButton)
#include "tst_backbutton.moc"
