#ifndef KRELVOX_PAGEHISTORYITEM_H
#define KRELVOX_PAGEHISTORYITEM_H

#include <QObject>

class CommentListModel;
class VideoEntry;

// Page ids of the page history.
enum ePageId {
    eHomePageId = 1,
    eResultPageId = 2,
    eSearchPageId = 3,
    eFavoritePageId = 4,
    eNormalScreenPageId = 5,
    eFullScreenPageId = 6,
    eSettingsPageId = 7,
    eAllCommentsPageId = 13,
    eStatisticsPageId = 14,
    eDescriptionPageId = 16,
    eUploadPageId = 17,
    eWriteCommentPageId = 18
};

// What a page needs to be restored by back navigation: its id and three ints
// (scroll position, sort, time frame) that start at 0. Pages with more state
// subclass it.
class PageHistoryItem : public QObject
{
    Q_OBJECT
public:
    explicit PageHistoryItem(int pageId, QObject* parent = nullptr);
    ~PageHistoryItem() override;

    int getPageId() const { return myPageId; }
    int getScrollPosition() const { return myScrollPosition; }
    void setScrollPosition(int position) { myScrollPosition = position; }
    int getSort() const { return mySort; }
    void setSort(int sort) { mySort = sort; }
    int getTimeFrame() const { return myTimeFrame; }
    void setTimeFrame(int timeFrame) { myTimeFrame = timeFrame; }

private:
    int myPageId;
    int myScrollPosition = 0;
    int mySort = 0;
    int myTimeFrame = 0;
};

// The all-comments page: the shared comment model and the item's own copy of the video.
class HistoryItemAllComments : public PageHistoryItem
{
    Q_OBJECT
public:
    HistoryItemAllComments(int pageId, CommentListModel* model, VideoEntry* video);
    ~HistoryItemAllComments() override;

    CommentListModel* getModel() const { return myModel; }
    VideoEntry* getVideo() const { return myVideo; }

private:
    CommentListModel* myModel;
    VideoEntry* myVideo;
};

#endif
