#ifndef KRELVOX_HOMEVIEW_H
#define KRELVOX_HOMEVIEW_H

#include "shell/PageBase.h"

#include <QList>

class PageHistory;
class PageHeader;
class QGridLayout;
class QMenu;
class QPushButton;

// The first page: one button per place of the program (the four standard feeds,
// search, favourites, statistics, upload, settings, exit) and the application menu
// (the same places plus help) that the main window opens on F4.
class HomeView : public PageBase
{
    Q_OBJECT
public:
    // The entries; the first four are the feed types (eFeedRequestType).
    enum eHomeEntry {
        eEntryMostViewed = 0,
        eEntryMostRecent = 1,
        eEntryMostDiscussed = 2,
        eEntryTopRated = 3,
        eEntrySearch,
        eEntryFavorites,
        eEntryStatistics,
        eEntryUpload,
        eEntrySettings,
        eEntryHelp,
        eEntryExit
    };

    HomeView(QWidget* parent, PageHistory& history);
    ~HomeView() override;

    // The application menu; its actions carry their eHomeEntry as data.
    QMenu* getMenu() const { return myMenu; }
    QPushButton* getButton(eHomeEntry entry) const;
    PageHeader* getHeader() const { return myHeader; }

    // True for the entries whose page the current page hands over to directly; the
    // others (settings, statistics, upload) are opened by the controller, which first
    // checks whether it may leave the current page, and help and exit change no page.
    static bool entryLeavesPage(int entry);

public Q_SLOTS:
    void addToPageHistory() override;
    void blockUiSignals(bool block) override;
    void setPageFocus() override;

    // Chooses an entry while the page `from` is shown: `from` records itself in the
    // page history when the entry leaves it, then the entry's signal is emitted.
    void chooseEntry(int entry, PageBase* from);

Q_SIGNALS:
    void feedRequest(int type);
    void search();
    void favorites();
    void statistics();
    void upload();
    void settings();
    void help();
    void exitApplication();

protected:
    // The arrow keys move the focus between the buttons in their own direction.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The button that an arrow key leads to from the one at (row, column): the next
    // one along the row for Left and Right, the nearest one in the next row that has
    // any for Up and Down; null at the edge.
    QPushButton* buttonTowards(int row, int column, int key) const;
    void addButton(QGridLayout* grid, eHomeEntry entry, const QString& text, int row, int column);
    void addMenuEntry(eHomeEntry entry, const QString& text);

    PageHistory& myHistory;
    PageHeader* myHeader;
    QMenu* myMenu;
    QList<QPushButton*> myButtons;
    QGridLayout* myGrid = nullptr;
};

#endif
