#ifndef KRELVOX_PLAYLISTSWEEPLIST_H
#define KRELVOX_PLAYLISTSWEEPLIST_H

#include "favorites/FavoritesListBase.h"

#include <QPoint>

class PlayList;

// The kinetic list of the playlist tree. A tap makes a row current or opens and
// closes a folder row, a sweep scrolls, and a press on the icon of a movable playlist
// starts a drag of it onto the page's drop targets. Every change of the current row
// is reported as clicked().
class PlayListSweepList : public FavoritesListBase
{
    Q_OBJECT
public:
    PlayListSweepList(QWidget* parent, FavoriteResultPage* page);
    ~PlayListSweepList() override;

    // Emits folderOpenToggle for the current row's playlist and clears the selection.
    void toggleCurrentFolder();

Q_SIGNALS:
    void authorLinkClicked(QModelIndex index);
    void currentSelectionChanged(QModelIndex index);
    void updateSelection();
    void doubleClicked(PlayList* playList);
    void folderOpenToggle(PlayList* playList);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // Return and Enter open or close the current folder row.
    void returnPressed() override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void activateCurrentItem(const QModelIndex& index) override;

private:
    void startDrag(PlayList* playList);

    // True once the finger has gone further than a tap allows since the press.
    bool myMovedFromPress = false;
    QPoint myPressPoint;
};

#endif
