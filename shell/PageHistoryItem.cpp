#include "shell/PageHistoryItem.h"

#include "core/VideoEntry.h"

PageHistoryItem::PageHistoryItem(int pageId, QObject* parent) : QObject(parent), myPageId(pageId)
{
}

PageHistoryItem::~PageHistoryItem() = default;

HistoryItemAllComments::HistoryItemAllComments(int pageId, CommentListModel* model, VideoEntry* video)
    : PageHistoryItem(pageId), myModel(model), myVideo(video ? new VideoEntry(*video) : nullptr)
{
}

HistoryItemAllComments::~HistoryItemAllComments()
{
    delete myVideo;
}
