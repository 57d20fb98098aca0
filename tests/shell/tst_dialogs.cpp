#include "shell/OneButtonDialog.h"
#include "shell/TwoButtonDialog.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
// Runs `action` on the dialog once it is up, from inside its exec() loop.
void whenShown(QDialog* dialog, std::function<void()> action)
{
    QTimer::singleShot(0, dialog, [dialog, action]() {
        QTRY_VERIFY(dialog->isVisible());
        action();
    });
}
} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;
private Q_SLOTS:
    // However a dialog ends, exec() returns its result: OK accepts, Cancel, Escape and
    // deleting the dialog while it runs reject.
    void dialogResults_data()
    {
        QTest::addColumn<bool>("twoButtons");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("one button: OK") << false << "ok" << 1;
        QTest::newRow("one button: Escape") << false << "escape" << 0;
        QTest::newRow("one button: deleted while running") << false << "delete" << 0;
        QTest::newRow("two buttons: OK") << true << "ok" << 1;
        QTest::newRow("two buttons: Cancel") << true << "cancel" << 0;
        QTest::newRow("two buttons: Escape") << true << "escape" << 0;
        QTest::newRow("two buttons: deleted while running") << true << "delete" << 0;
    }

    void dialogResults()
    {
        QFETCH(bool, twoButtons);
        QFETCH(QString, how);
        QFETCH(int, result);
        QPointer<BaseDialog> dialog;
        QPushButton* ok = nullptr;
        QPushButton* cancel = nullptr;
        if (twoButtons) {
            auto* question = new TwoButtonDialog;
            ok = question->getOkButton();
            cancel = question->getCancelButton();
            QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
            dialog = question;
        } else {
            auto* notice = new OneButtonDialog;
            ok = notice->getButton();
            dialog = notice;
        }
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        whenShown(dialog, [dialog, ok, cancel, how]() {
            if (how == QLatin1String("ok"))
                QTest::mouseClick(ok, Qt::LeftButton);
            else if (how == QLatin1String("cancel"))
                QTest::mouseClick(cancel, Qt::LeftButton);
            else if (how == QLatin1String("escape"))
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                delete dialog.data();
        });
        QCOMPARE(dialog->exec(), result);
        QCOMPARE(dialog.isNull(), how == QLatin1String("delete"));
        delete dialog;
    }

    void progressIndicator_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("0") << 0 << true;
        QTest::newRow("57") << 57 << true;
        QTest::newRow("100") << 100 << true;
        QTest::newRow("101") << 101 << false;
        QTest::newRow("huge") << 100000 << false;
        QTest::newRow("negative") << -1 << false;
    }

    void progressIndicator()
    {
        QFETCH(int, value);
        QFETCH(bool, accepted);
        OneButtonDialog dialog;
        // Hidden until asked for.
        QVERIFY(!dialog.isProgressIndicatorShown());
        dialog.showProgressIndicator(true);
        QVERIFY(dialog.isProgressIndicatorShown());
        dialog.setProgressIndicatorValue(40);

        if (!accepted)
            QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("setProgressIndicatorValue.*out of range"));
        dialog.setProgressIndicatorValue(value);
        QCOMPARE(dialog.getProgressIndicatorValue(), accepted ? value : 40);

        dialog.showProgressIndicator(false);
        QVERIFY(!dialog.isProgressIndicatorShown());
    }

    void textsAndButtonText()
    {
        OneButtonDialog dialog;
        dialog.setTitle(QStringLiteral("Account verified!"));
        dialog.setText(QStringLiteral("<b>not</b> rich & plain"));
        dialog.setButtonText(QStringLiteral("Cancel"), 7);
        QCOMPARE(dialog.getTitle(), QStringLiteral("Account verified!"));
        QCOMPARE(dialog.getText(), QStringLiteral("<b>not</b> rich & plain"));
        QCOMPARE(dialog.getButton()->text(), QStringLiteral("Cancel"));
        QVERIFY(dialog.isModal());
        // Texts from the service are shown as they are, never as markup.
        const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 2);
        for (const QLabel* label : labels)
            QCOMPARE(label->textFormat(), Qt::PlainText);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
