#include "app/StartupWarmer.h"
#include "shell/LogoPixmap.h"

#include <QFontDatabase>
#include <QTest>

#include <memory>

// The start-up warm-up ends on every path main() can take, and what it prepared is
// what the program then uses.
class TestStartupWarmer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void endsOnEveryPath_data()
    {
        QTest::addColumn<int>("readies");
        QTest::addColumn<int>("waits");
        // Start-up failed before the application object was made: the font worker
        // is still waiting for it and must give up.
        QTest::newRow("never ready, destroyed") << 0 << 0;
        QTest::newRow("never ready, waited") << 0 << 1;
        QTest::newRow("ready, destroyed without a wait") << 1 << 0;
        QTest::newRow("ready, waited") << 1 << 1;
        QTest::newRow("ready, waited twice") << 1 << 2;
        QTest::newRow("ready twice") << 2 << 1;
    }

    void endsOnEveryPath()
    {
        QFETCH(int, readies);
        QFETCH(int, waits);
        auto warmer = std::make_unique<StartupWarmer>();
        for (int i = 0; i < readies; ++i)
            warmer->applicationReady();
        for (int i = 0; i < waits; ++i)
            warmer->wait();
        warmer.reset();
        // What was warmed is the shared state the GUI thread reads.
        QVERIFY(!QFontDatabase::families().isEmpty());
        const QImage& logo = logoImage();
        QVERIFY(!logo.isNull());
        QCOMPARE(getYoutubeLogoPixmap().size(), logo.size());
    }
};

QTEST_MAIN(TestStartupWarmer)
#include "tst_startupwarmer.moc"
