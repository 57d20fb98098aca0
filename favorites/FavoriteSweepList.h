#ifndef KRELVOX_FAVORITESWEEPLIST_H
#define KRELVOX_FAVORITESWEEPLIST_H

#include "favorites/FavoritesListBase.h"

class VideoEntry;

// The kinetic list of the selected playlist's entries. A press selects the row under
// the finger; a press on a row's thumbnail starts a drag of that favourite; a double
// tap on the author's name reports the author link; Left, Right and Return become
// signals for the page.
class FavoriteSweepList : public FavoritesListBase
{
    Q_OBJECT
public:
    FavoriteSweepList(QWidget* parent, FavoriteResultPage* page);
    ~FavoriteSweepList() override;

    // The type of the playlist whose entries are shown (1: the download queue).
    int getPlayListType() const;

Q_SIGNALS:
    void authorLinkClicked(QModelIndex index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Return and Enter: doubleClicked for the current row, which plays it.
    void returnPressed() override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void activateCurrentItem(const QModelIndex& index) override;
    // Reads the next page of the list once less than a screenful of the rows read is
    // left below the visible ones.
    void verticalScrollbarValueChanged(int value) override;

private:
    VideoEntry* currentEntry() const;
    void startDrag(VideoEntry* entry);
};

#endif
