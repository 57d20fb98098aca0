#ifndef KRELVOX_FOCUSMANAGER_H
#define KRELVOX_FOCUSMANAGER_H

#include <QList>
#include <QObject>
#include <QPair>

class QWidget;

// Moves the keyboard focus round a fixed ring of widgets for the arrow keys. Rings are
// registered under int ids; one is in use at a time. Disabled widgets are skipped and
// the ring wraps at both ends. A QStackedWidget in a ring stands for the button it
// shows: that button gets the focus and is recognised as the stack's place.
class FocusManager : public QObject
{
    Q_OBJECT
public:
    explicit FocusManager(QObject* parent = nullptr);
    ~FocusManager() override;

    // Appends a ring and takes ownership of the list (not of its widgets).
    void addList(int id, QList<QWidget*>* widgets);
    // Makes the first ring with this id current, at the focused widget when it is in it.
    void useList(int id, QWidget* focused);
    // Moves the current index to the widget (or the stack showing it); false when absent.
    bool getIndexFromWidget(QWidget* widget);

    void focusNext(QWidget* focused);
    void focusPrevious(QWidget* focused);
    // Focuses the widget at the current index (a stack's current page for a stack).
    void setFocusToCurrent();

    int getCurrentListId() const { return myCurrentListId; }
    int getCurrentIndex() const { return myCurrentIndex; }

private:
    void move(QWidget* focused, bool forward);

    QList<QPair<int, QList<QWidget*>*>*> myLists;
    int myCurrentListId = -1;
    int myCurrentIndex = 0;
    QList<QWidget*>* myCurrentList = nullptr;
};

#endif
