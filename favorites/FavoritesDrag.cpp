#include "favorites/FavoritesDrag.h"

#include <QDrag>

namespace {
FavoritesDrag::Runner& runner()
{
    static FavoritesDrag::Runner theRunner;
    return theRunner;
}
} // namespace

Qt::DropAction FavoritesDrag::exec(QDrag* drag, Qt::DropActions supportedActions)
{
    if (runner()) {
        const Qt::DropAction action = runner()(drag, supportedActions);
        drag->deleteLater(); // as the platform's drag manager does after exec
        return action;
    }
    return drag->exec(supportedActions);
}

void FavoritesDrag::setRunner(const Runner& newRunner)
{
    runner() = newRunner;
}
