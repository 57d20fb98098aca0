#ifndef KRELVOX_FAVORITESDRAG_H
#define KRELVOX_FAVORITESDRAG_H

#include <QtGlobal>
#include <qnamespace.h>
#include <functional>

class QDrag;

// Runs the drags of the favourites page's lists. Normally that is QDrag::exec; a
// platform whose drag does nothing (the offscreen one used by the tests) can be given
// a runner that delivers the drag's enter, move and drop events itself.
namespace FavoritesDrag {

using Runner = std::function<Qt::DropAction(QDrag* drag, Qt::DropActions supportedActions)>;

// Starts the drag and returns the action that ended it.
Qt::DropAction exec(QDrag* drag, Qt::DropActions supportedActions);
// An empty runner restores QDrag::exec.
void setRunner(const Runner& runner);

} // namespace FavoritesDrag

#endif
