#include "favorites/FavoritesListBase.h"

#include <QKeyEvent>

FavoritesListBase::FavoritesListBase(QWidget* parent, FavoriteResultPage* page)
    : UniformSweepList(parent, 0), myPage(page)
{
}

FavoritesListBase::~FavoritesListBase() = default;

void FavoritesListBase::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        Q_EMIT leftKeyPressed();
        break;
    case Qt::Key_Right:
        Q_EMIT rightKeyPressed();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        returnPressed();
        break;
    default:
        QListView::keyPressEvent(event);
        break;
    }
}
