#include "shell/BackButton.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

// Press and release go through QTest's mouse functions, so the button sees what a
// finger on the screen gives it.
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
        BackButton button;
        button.show();
        QSignalSpy spy(&button, &BackButton::backButtonClicked);

        QElapsedTimer held;
        held.start();
        QTest::mousePress(&button, Qt::LeftButton);
        QVERIFY(spy.wait(3000));
        const qint64 elapsed = held.elapsed();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        QVERIFY2(elapsed >= 1500 && elapsed < 2500, qPrintable(QString::number(elapsed)));

        QTest::mouseRelease(&button, Qt::LeftButton);
        QTest::qWait(50);
        QCOMPARE(spy.count(), 1);

        // The next press is judged afresh.
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
    }

    // A release before the long-press limit ends the press: a short press on the
    // button, none outside it; no long press follows later.
    void releaseEndsThePress_data()
    {
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<bool>("outside");
        QTest::addColumn<int>("presses");
        QTest::newRow("released on the button before the limit") << 1200 << false << 1;
        QTest::newRow("released outside") << 0 << true << 0;
    }

    void releaseEndsThePress()
    {
        QFETCH(int, holdMs);
        QFETCH(bool, outside);
        QFETCH(int, presses);
        BackButton button;
        button.show();
        QSignalSpy spy(&button, &BackButton::backButtonClicked);

        QTest::mousePress(&button, Qt::LeftButton);
        QTest::qWait(holdMs);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, outside ? QPoint(-20, -20) : QPoint());
        QCOMPARE(spy.count(), presses);
        if (presses)
            QCOMPARE(spy.at(0).at(0).toBool(), false);
        // The long-press timer was stopped by the release.
        QTest::qWait(1700 - holdMs);
        QCOMPARE(spy.count(), presses);
    }

    void hiddenWhileHeldEndsThePress()
    {
        BackButton button;
        button.show();
        QSignalSpy spy(&button, &BackButton::backButtonClicked);

        // The long press takes the page away before the finger is lifted.
        QTest::mousePress(&button, Qt::LeftButton);
        QVERIFY(spy.wait(3000));
        button.hide();
        button.show();
        QVERIFY(!button.isDown());

        // Hidden before the limit: no long press fires for a page no longer shown.
        QTest::mousePress(&button, Qt::LeftButton);
        button.hide();
        QTest::qWait(1700);
        QCOMPARE(spy.count(), 1);
        button.show();
        QVERIFY(!button.isDown());
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
    }
};

QTEST_MAIN(TestBackButton)
#include "tst_backbutton.moc"
