#include "tests/support/Interaction.h"

#include "shell/BaseDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace {

const int DIALOG_POLL_MS = 10;

QWidget* touched(QWidget* widget)
{
    if (auto* view = qobject_cast<QAbstractItemView*>(widget))
        return view->viewport();
    return widget;
}

} // namespace

bool showOnScreen(QWidget* widget)
{
    widget->show();
    return QTest::qWaitForWindowExposed(widget);
}

// ---- The finger

void Touch::press(QWidget* widget, const QPoint& at)
{
    QTest::mousePress(touched(widget), Qt::LeftButton, Qt::NoModifier, at);
}

void Touch::move(QWidget* widget, const QPoint& to)
{
    QTest::mouseMove(touched(widget), to);
}

void Touch::release(QWidget* widget, const QPoint& at)
{
    QTest::mouseRelease(touched(widget), Qt::LeftButton, Qt::NoModifier, at);
}

void Touch::tap(QWidget* widget, const QPoint& at)
{
    press(widget, at);
    release(widget, at);
}

void Touch::doubleTap(QWidget* widget, const QPoint& at)
{
    tap(widget, at);
    press(widget, at);
    // QTest's double click sends the double-click event alone.
    QTest::mouseDClick(touched(widget), Qt::LeftButton, Qt::NoModifier, at);
    release(widget, at);
}

void Touch::drag(QWidget* widget, const QPoint& from, const QPoint& to)
{
    press(widget, from);
    move(widget, (from + to) / 2);
    move(widget, to);
    release(widget, to);
}

QPoint rowCenter(QAbstractItemView* view, int row)
{
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    return view->visualRect(index).center();
}

void tapRow(QAbstractItemView* view, int row, const QPoint& offset)
{
    Touch::tap(view, rowCenter(view, row) + offset);
}

// ---- Dialogs

DialogAnswerer::DialogAnswerer(bool accept)
    : DialogAnswerer([accept](QWidget* widget) {
          auto* dialog = qobject_cast<QDialog*>(widget);
          if (!dialog)
              widget->close();
          else if (accept)
              dialog->accept();
          else
              dialog->reject();
      })
{
}

DialogAnswerer::DialogAnswerer(const std::function<void(QWidget*)>& answer) : myAnswer(answer)
{
    myTimer.setInterval(DIALOG_POLL_MS);
    QObject::connect(&myTimer, &QTimer::timeout, this, [this]() { poll(); });
    myTimer.start();
}

void DialogAnswerer::poll()
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog)
        return;
    myTimer.stop();
    myAnswered = true;
    if (auto* framed = qobject_cast<BaseDialog*>(dialog)) {
        title = framed->getTitle();
        text = framed->getText();
    }
    myAnswer(dialog);
}

bool clickDialogButton(QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            button->click();
            return true;
        }
    }
    return false;
}

// ---- Event loops

int runApplicationLoop(const std::function<void()>& action, int timeoutMs)
{
    QTimer::singleShot(0, qApp, action);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, qApp, []() { QCoreApplication::exit(-1); });
    timeout.start(timeoutMs);
    return QCoreApplication::exec();
}

void deleteLaterNow()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
