#ifndef KRELVOX_PAGEBASE_H
#define KRELVOX_PAGEBASE_H

#include <QFrame>
#include <QMetaObject>
#include <QPointer>

class BackButton;
class PageHistory;
class QKeyEvent;

// Base of every page of the main window's page stack. It also wires the page's back
// button to the page history: the button acts while the page is shown, once per
// showing, so that a second press before the page changes does nothing.
//
// A page that is not on screen when the program starts can put off building its
// widgets: it builds them in buildPage() instead of its constructor, and calls
// ensureBuilt() first in every member that needs them. They are then built once,
// when the page is first shown or first used, whichever comes first; until then the
// page is an empty frame that costs next to nothing to create, add and keep.
class PageBase : public QFrame
{
    Q_OBJECT
public:
    explicit PageBase(QWidget* parent = nullptr);
    ~PageBase() override;

    // Builds the page's widgets unless they are built already. Const for the same
    // reason as QWidget::ensurePolished(): it completes the page, the page's state
    // stays what it was, so getters may call it.
    void ensureBuilt() const;
    bool isBuilt() const { return myBuilt; }
    // A page is built before it is first shown.
    void setVisible(bool visible) override;

    // Lets the back button act again. The main window calls this each time it makes
    // the page current, also when the page is current already: going back to another
    // view of the same page brings no show event, and the button must not stay dead.
    void armBackButton();

public Q_SLOTS:
    // The page records itself in the page history before the view changes.
    virtual void addToPageHistory() = 0;
    // Blocks or unblocks the signals of the page's controls while it is switched.
    virtual void blockUiSignals(bool block);
    // Gives the keyboard focus to the page's first control; empty by default.
    virtual void setPageFocus();

Q_SIGNALS:
    // The page's widgets have just been built: what others connect to them can be
    // connected now.
    void pageBuilt();

protected:
    // Builds the page's widgets; called once, by ensureBuilt(). A page that builds
    // everything in its constructor keeps the default, which does nothing.
    virtual void buildPage();

    // The page's back button and the history it goes back through. Called once, by
    // the page's constructor (or buildPage()); the button is armed whenever the page
    // is shown.
    void setBackButton(BackButton* button, PageHistory& history);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Return and keypad Enter that reach the page unconsumed act on the focused push
    // button as Space does: the device's select key sends Return, and the device has
    // no Space key.
    void keyPressEvent(QKeyEvent* event) override;

    // The back button has just asked the page history to go back; empty by default.
    virtual void backButtonActed(bool longClick);

private Q_SLOTS:
    // Disarms the button, then asks the page history to go back (a long press goes home).
    void backButtonClicked(bool longClick);

private:
    void disarmBackButton();

    QPointer<BackButton> myBackButton;
    PageHistory* myBackHistory = nullptr;
    QMetaObject::Connection myBackConnection;
    bool myBuilt = false;
};

#endif
