#include "shell/InputMethodSettings.h"
#include "tests/support/TestSupport.h"

#include <QTest>

// The real configuration store, reached through a configuration daemon started on the
// test's private session bus with the test's own HOME.
class TestGConfInputMethod : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTripThroughTheStore()
    {
        TestEnvironment env;
        PrivateSessionBus bus;
        if (!bus.start())
            QSKIP(qPrintable(bus.why()));
        const QByteArray oldAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toLocal8Bit());

        {
            GConfInputMethodSettings settings;
            const QString stylus = QStringLiteral("/apps/osso/inputmethod/enable-stylus-im");
            const QString correction = QStringLiteral("/apps/osso/inputmethod/auto_correction");

            // A key nobody has set reads as false.
            bool value = true;
            if (!settings.getBool(stylus, value))
                QSKIP("the configuration daemon cannot be reached on the private bus");
            QCOMPARE(value, false);

            QVERIFY(settings.setBool(stylus, true));
            QVERIFY(settings.setBool(correction, false));
            QVERIFY(settings.getBool(stylus, value));
            QCOMPARE(value, true);
            QVERIFY(settings.getBool(correction, value));
            QCOMPARE(value, false);
            QVERIFY(settings.setBool(stylus, false));
            QVERIFY(settings.getBool(stylus, value));
            QCOMPARE(value, false);
        }
        qputenv("DBUS_SESSION_BUS_ADDRESS", oldAddress);
    }
};

QTEST_MAIN(TestGConfInputMethod)
#include "tst_gconfinputmethod.moc"
