#ifndef KRELVOX_FAVORITESLISTBASE_H
#define KRELVOX_FAVORITESLISTBASE_H

#include "widgets/UniformSweepList.h"

class FavoriteResultPage;

// What the two lists of the favourites page share: the page they belong to, and the
// keys. Left and Right move the page's focus ring (leftKeyPressed, rightKeyPressed);
// Return and Enter act on the current row (returnPressed); every other key is the
// item view's.
class FavoritesListBase : public UniformSweepList
{
    Q_OBJECT
public:
    FavoritesListBase(QWidget* parent, FavoriteResultPage* page);
    ~FavoritesListBase() override;

Q_SIGNALS:
    void leftKeyPressed();
    void rightKeyPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    virtual void returnPressed() = 0;

    FavoriteResultPage* myPage;
};

#endif
