#ifndef KRELVOX_RESULTREQUEST_H
#define KRELVOX_RESULTREQUEST_H

#include <QString>

// What one result page shows: the kind of list, what it was asked with, and the
// 1-based index of its first row in the service's result set. Two requests are equal
// when they would fetch the same rows.
struct ResultRequest
{
    enum eKind {
        eNone = 0,
        eFeed,      // a standard feed (feedType, timeFilter)
        eSearch,    // a text search (text, category, sortBy)
        eRelated,   // videos related to a video (videoId, videoTitle)
        eResponses, // video responses to a video (videoId, videoTitle)
        eAuthor     // an author's uploads (text: the author)
    };

    eKind kind = eNone;
    int feedType = 0;
    QString text;
    QString category;
    QString sortBy;
    QString timeFilter;
    QString videoId;
    QString videoTitle;
    int startIndex = 1;

    bool operator==(const ResultRequest& other) const
    {
        return kind == other.kind && feedType == other.feedType && text == other.text && category == other.category
            && sortBy == other.sortBy && timeFilter == other.timeFilter && videoId == other.videoId
            && startIndex == other.startIndex;
    }
    bool operator!=(const ResultRequest& other) const { return !(*this == other); }
};

#endif
