#include "favorites/FavoriteResultPage.h"
#include "favorites/FavoriteSweepList.h"
#include "favorites/FocusManager.h"
#include "favorites/PlayListSweepList.h"

#include "shell/BackButton.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

// Keys on the favourites page: the arrow keys move the focus around the page's ring
// of lists and buttons, Return presses the focused button or saves the name field.

void FavoriteResultPage::initFocusManager()
{
    myFocusManager = new FocusManager(this);
    QList<QWidget*>* ring = new QList<QWidget*>{myPlayListView, myFavoriteView,   myBackButton, myPlayListButtons,
                                                myActionButtons, myTrashButton, mySearchButton};
    myFocusManager->addList(0, ring);
    myFocusManager->useList(0, focusWidget());

    myBackButton->installEventFilter(this);
    myNameField->installEventFilter(this);
    for (int i = 0; i < myPlayListButtons->count(); ++i)
        myPlayListButtons->widget(i)->installEventFilter(this);
    for (int i = 0; i < myActionButtons->count(); ++i)
        myActionButtons->widget(i)->installEventFilter(this);
    myTrashButton->installEventFilter(this);
    mySearchButton->installEventFilter(this);
}

void FavoriteResultPage::leftKeyPressed()
{
    if (myFocusManager)
        myFocusManager->focusPrevious(focusWidget());
}

void FavoriteResultPage::rightKeyPressed()
{
    if (myFocusManager)
        myFocusManager->focusNext(focusWidget());
}

bool FavoriteResultPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !isVisible())
        return PageBase::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Key presses go to the focus widget: a press seen on the name field is typed in it.
    const bool inNameField = watched == myNameField || myNameField->hasFocus();
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (inNameField)
            break;
        leftKeyPressed();
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (inNameField)
            break;
        rightKeyPressed();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (inNameField) {
            saveName();
            return true;
        }
        if (QPushButton* button = qobject_cast<QPushButton*>(watched)) {
            button->click();
            return true;
        }
        break;
    default:
        break;
    }
    return PageBase::eventFilter(watched, event);
}
