#ifndef KRELVOX_INTERACTION_H
#define KRELVOX_INTERACTION_H

#include <QObject>
#include <QPoint>
#include <QString>
#include <QTimer>

#include <functional>

class QAbstractItemView;
class QWidget;

// Shows the widget and waits until it is on screen; false when it never got there.
bool showOnScreen(QWidget* widget);

// The finger on a touch screen, through QTest's mouse events (so a widget sees what
// the platform would give it). Points are in the widget's coordinates; a touch on an
// item view lands on its viewport.
namespace Touch {
void press(QWidget* widget, const QPoint& at);
void move(QWidget* widget, const QPoint& to);      // with the finger down
void release(QWidget* widget, const QPoint& at);
void tap(QWidget* widget, const QPoint& at);
// As a platform delivers it: press, release, press, double click, release.
void doubleTap(QWidget* widget, const QPoint& at);
// Press at from, move half way and on to to, release there.
void drag(QWidget* widget, const QPoint& from, const QPoint& to);
}

// The centre of a row of a list, in its viewport's coordinates (scrolled into view).
QPoint rowCenter(QAbstractItemView* view, int row);
// A tap on the row, offset from its centre.
void tapRow(QAbstractItemView* view, int row, const QPoint& offset = QPoint());

// Answers the next modal dialog once it is open (a dialog runs its own event loop, so
// the answer has to come from inside it). Without an answer of its own it presses OK
// (accept) or Cancel; either way it remembers the dialog's title and text. It stops
// looking when it goes.
class DialogAnswerer : public QObject
{
public:
    explicit DialogAnswerer(bool accept);
    explicit DialogAnswerer(const std::function<void(QWidget*)>& answer);

    bool answered() const { return myAnswered; }
    QString title;
    QString text;

private:
    void poll();

    QTimer myTimer;
    std::function<void(QWidget*)> myAnswer;
    bool myAnswered = false;
};

// Clicks the dialog's push button that shows the text; false when it has none.
bool clickDialogButton(QWidget* dialog, const QString& text);

// Runs the application's event loop while action runs in it; the code the loop ended
// with, or -1 when nothing ended it within the time. (The application loop, not a local
// one: after QCoreApplication::exit every local loop would return at once until the
// application loop runs again.)
int runApplicationLoop(const std::function<void()>& action, int timeoutMs = 500);

// Deletes the objects whose deleteLater() is pending (closed dialogs), now.
void deleteLaterNow();

#endif
