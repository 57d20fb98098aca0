#ifndef KRELVOX_RESULTPAGE_H
#define KRELVOX_RESULTPAGE_H

#include "browse/ResultRequest.h"
#include "core/Types.h"
#include "shell/PageBase.h"

class PageHeader;
class PageHistory;
class ProgressRoll;
class QLabel;
class QPushButton;
class Repository;
class SelectionBox;
class VideoEntry;
class VideoEntryItemDelegate;
class VideoListModel;
class VideoSweepList;

// One page of videos: a feed, a search, related videos, video responses or an
// author's uploads. Under the header (with the time frame box for feeds and the sort
// box for searches) the kinetic list of video rows with a busy indicator while it
// fills, a column of actions for the selected video (play, add as a link, save a
// copy) and a paging bar. The page turns the user's actions into signals for its
// controller and records itself in the page history before it leaves. Its widgets are
// built when it is first shown or used.
class ResultPage : public PageBase
{
    Q_OBJECT
public:
    ResultPage(Repository& repository, PageHistory& history, QWidget* parent);
    ~ResultPage() override;

    VideoListModel* getModel() const { ensureBuilt(); return myModel; }
    VideoSweepList* getList() const { ensureBuilt(); return myList; }
    PageHeader* getHeader() const { ensureBuilt(); return myHeader; }
    SelectionBox* getTimeBox() const { ensureBuilt(); return myTimeBox; }
    SelectionBox* getSortBox() const { ensureBuilt(); return mySortBox; }
    QPushButton* getPlayButton() const { ensureBuilt(); return myPlayButton; }
    QPushButton* getAddLinkButton() const { ensureBuilt(); return myAddLinkButton; }
    QPushButton* getSaveButton() const { ensureBuilt(); return mySaveButton; }
    QPushButton* getPreviousButton() const { ensureBuilt(); return myPreviousButton; }
    QPushButton* getNextButton() const { ensureBuilt(); return myNextButton; }
    QLabel* getRangeLabel() const { ensureBuilt(); return myRangeLabel; }
    QLabel* getNoResultsLabel() const { ensureBuilt(); return myNoResultsLabel; }
    ProgressRoll* getProgressRoll() const { ensureBuilt(); return myProgressRoll; }

    // ---- Used by the controller
    // The list the page shows from now on: sets the title and shows the box that
    // applies (time frame for feeds, sort order for searches).
    void setRequest(const ResultRequest& request);
    const ResultRequest& getRequest() const { return myRequest; }
    // The sort box's entries: the labels of the service's sort-order map in key order.
    void setSortOrders(const CategoryMap& sortOrders);
    // The time frame a new feed request asks for: the time frame box's text, after
    // the box has taken over a time frame stored in the settings since it last looked
    // (so this is not a plain getter: it may change the box).
    QString timeFilterForRequest();
    int getTimeFrameIndex() const;
    void setTimeFrameIndex(int index);
    // The sort key of the sort box's entry ("" for relevance).
    QString getSortBy() const;
    int getSortIndex() const;
    void setSortIndex(int index);
    void setSortBy(const QString& key);

    // The list is being filled: busy indicator on, no range, paging off.
    void startFilling();
    // The rows are in: busy indicator off, the range of the rows and the paging.
    void showFilled(int firstIndex, int lastIndex, int total);
    // The request brought no rows.
    void showNoResults();
    // The request failed: the list stays empty; the previous page can be asked for.
    void showFailed();
    // Busy indicator off.
    void stopFilling();
    bool isFilling() const;

    // Scroll position and current row as the user left them; applied now and again
    // when the page is next shown (the list lays out its rows only then).
    void restorePosition(int scrollValue, int row);
    int getScrollPosition() const;
    int getCurrentRow() const;

public Q_SLOTS:
    void addToPageHistory() override;
    void blockUiSignals(bool block) override;
    void setPageFocus() override;
    // The default sorting order follows the settings.
    void settingChanged(const QString& key, int value);

Q_SIGNALS:
    void playVideo(VideoEntry* entry);
    // The information button of a row: the video in the information view.
    void showVideoInfo(VideoEntry* entry);
    void authorVideosRequested(const QString& author);
    void addVideoToFavorites(VideoEntry* entry, bool asLink);
    void showFavoritesPage();
    void showSettingsPage();
    void previousPageRequested();
    void nextPageRequested();
    void timeFrameChanged(const QString& timeFilter);
    void sortOrderChanged(const QString& sortBy);

protected:
    void buildPage() override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private Q_SLOTS:
    void playButtonClicked();
    void addLinkButtonClicked();
    void addVideoToFavoritesButtonClicked();
    void itemChosen(const QModelIndex& index);
    void authorLinkClicked(const QModelIndex& index);
    void infoButtonClicked(const QModelIndex& index);
    void selectionChanged();
    void timeBoxClosed(const QString& text);
    void sortBoxClosed(const QString& text);

private:
    VideoEntry* entryAt(const QModelIndex& index) const;
    VideoEntry* selectedEntry() const;
    void applyPosition();
    void updateActions();
    // The sort box's entries from the sort orders given (setSortOrders()).
    void applySortOrders();

    Repository& myRepository;
    PageHistory& myHistory;
    // The widgets, built by buildPage().
    PageHeader* myHeader = nullptr;
    SelectionBox* myTimeBox = nullptr;
    SelectionBox* mySortBox = nullptr;
    VideoSweepList* myList = nullptr;
    VideoEntryItemDelegate* myDelegate = nullptr;
    VideoListModel* myModel = nullptr;
    ProgressRoll* myProgressRoll = nullptr;
    QLabel* myNoResultsLabel = nullptr;
    QPushButton* myPlayButton = nullptr;
    QPushButton* myAddLinkButton = nullptr;
    QPushButton* mySaveButton = nullptr;
    QPushButton* myPreviousButton = nullptr;
    QPushButton* myNextButton = nullptr;
    QLabel* myRangeLabel = nullptr;

    ResultRequest myRequest;
    QStringList mySortKeys;
    QStringList mySortLabels;
    // The stored time frame the page last took over.
    QString myStoredTimeFilter;
    int myPendingScroll = -1;
    int myPendingRow = -1;
};

#endif
