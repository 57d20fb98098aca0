#include "favorites/FocusManager.h"
#include "favorites/FavoritesLogging.h"

#include <QDebug>
#include <QStackedWidget>
#include <QWidget>

FocusManager::FocusManager(QObject* parent) : QObject(parent)
{
}

FocusManager::~FocusManager()
{
    qCDebug(lcFavorites) << "~FocusManager()";
    for (int i = myLists.count() - 1; i >= 0; --i) {
        delete myLists.at(i)->second;
        delete myLists.at(i);
    }
}

void FocusManager::addList(int id, QList<QWidget*>* widgets)
{
    myLists.append(new QPair<int, QList<QWidget*>*>(id, widgets));
}

void FocusManager::useList(int id, QWidget* focused)
{
    for (QPair<int, QList<QWidget*>*>* pair : std::as_const(myLists)) {
        if (pair->first == id && pair->second) {
            myCurrentList = pair->second;
            myCurrentListId = id;
            myCurrentIndex = 0;
            if (focused)
                getIndexFromWidget(focused);
            return;
        }
    }
    qCDebug(lcFavorites) << "FocusManager::useList(), list_id not found " << id;
}

bool FocusManager::getIndexFromWidget(QWidget* widget)
{
    if (myCurrentList) {
        for (int i = 0; i < myCurrentList->count(); ++i) {
            QWidget* entry = myCurrentList->at(i);
            if (!entry)
                continue;
            const QStackedWidget* stack = qobject_cast<const QStackedWidget*>(entry);
            if (entry == widget || (stack && widget && stack->currentWidget() == widget)) {
                myCurrentIndex = i;
                return true;
            }
        }
    }
    qCDebug(lcFavorites) << "getIndexFromWidget(), widget not found!" << widget;
    return false;
}

void FocusManager::focusNext(QWidget* focused)
{
    move(focused, true);
}

void FocusManager::focusPrevious(QWidget* focused)
{
    move(focused, false);
}

void FocusManager::move(QWidget* focused, bool forward)
{
    if (!focused || myCurrentListId < 0 || !myCurrentList || myCurrentList->isEmpty())
        return;
    // The ring is walked once round from the focused widget's place. (Stopping at the
    // index remembered from the last move instead would trap the focus in front of a
    // disabled widget whenever the user had focused a widget by touch meanwhile.)
    getIndexFromWidget(focused);
    const int start = myCurrentIndex;
    const int last = myCurrentList->count() - 1;
    for (;;) {
        if (forward)
            myCurrentIndex = (myCurrentIndex >= last) ? 0 : myCurrentIndex + 1;
        else
            myCurrentIndex = (myCurrentIndex <= 0) ? last : myCurrentIndex - 1;
        QWidget* entry = myCurrentList->at(myCurrentIndex);
        if ((entry && entry->isEnabled()) || myCurrentIndex == start)
            break;
    }
    setFocusToCurrent();
}

void FocusManager::setFocusToCurrent()
{
    if (!myCurrentList || myCurrentIndex < 0 || myCurrentIndex >= myCurrentList->count())
        return;
    QWidget* widget = myCurrentList->at(myCurrentIndex);
    if (!widget)
        return;
    QStackedWidget* stack = qobject_cast<QStackedWidget*>(widget);
    if (stack && stack->currentWidget())
        widget = stack->currentWidget();
    widget->setFocus(Qt::OtherFocusReason);
}
