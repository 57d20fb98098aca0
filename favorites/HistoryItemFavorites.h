#ifndef KRELVOX_HISTORYITEMFAVORITES_H
#define KRELVOX_HISTORYITEMFAVORITES_H

#include "shell/PageHistoryItem.h"

// What the favourites page needs to come back as it was: the selected playlist, the
// current favourite row and both lists' scroll positions (the favourite list's is the
// base class's scroll position).
class HistoryItemFavorites : public PageHistoryItem
{
    Q_OBJECT
public:
    HistoryItemFavorites(int playListId, int favoriteRow, int favoriteScroll, int playListScroll)
        : PageHistoryItem(eFavoritePageId), myPlayListId(playListId), myFavoriteRow(favoriteRow),
          myPlayListScroll(playListScroll)
    {
        setScrollPosition(favoriteScroll);
    }

    int getPlayListId() const { return myPlayListId; }
    int getFavoriteRow() const { return myFavoriteRow; }
    int getPlayListScrollPosition() const { return myPlayListScroll; }

private:
    int myPlayListId;
    int myFavoriteRow;
    int myPlayListScroll;
};

#endif
