#include "core/VideoEntry.h"
#include "core/SharedImages.h"

#include <QMutexLocker>

VideoEntry::VideoEntry() = default;

VideoEntry::VideoEntry(const VideoEntry& other)
{
    copyFrom(other);
}

VideoEntry& VideoEntry::operator=(const VideoEntry& other)
{
    if (this != &other)
        copyFrom(other);
    return *this;
}

VideoEntry::~VideoEntry() = default;

void VideoEntry::copyFrom(const VideoEntry& other)
{
    // The image is read under the other entry's lock; our own mutex is never copied.
    // A deferred picture stays deferred in the copy.
    QImage image;
    bool deferred = false;
    {
        QMutexLocker lock(&other.myMutex);
        image = other.myThumbnail;
        deferred = other.myThumbnailDeferred;
    }
    myServiceId = other.myServiceId;
    myEntryId = other.myEntryId;
    myVideoId = other.myVideoId;
    myName = other.myName;
    myDescription = other.myDescription;
    myAuthor = other.myAuthor;
    myAuthorUserName = other.myAuthorUserName;
    myLength = other.myLength;
    myUploadDate = other.myUploadDate;
    myViewCount = other.myViewCount;
    myCommentCount = other.myCommentCount;
    myRating = other.myRating;
    myRatingCount = other.myRatingCount;
    myCategory = other.myCategory;
    myKeywords = other.myKeywords;
    myWatchUrl = other.myWatchUrl;
    myThumbnailUrl = other.myThumbnailUrl;
    myCommentsUrl = other.myCommentsUrl;
    myRelatedUrl = other.myRelatedUrl;
    myResponsesUrl = other.myResponsesUrl;
    myThumbnailFile = other.myThumbnailFile;
    myVideoFile = other.myVideoFile;
    myVideoFileSize = other.myVideoFileSize;
    myFavoriteId = other.myFavoriteId;
    myPlayListId = other.myPlayListId;
    mySortId = other.mySortId;
    myDownloadState = other.myDownloadState;
    myVideoLink = other.myVideoLink;
    myProviderEntryId = other.myProviderEntryId;
    myStoredFavorite = other.myStoredFavorite;
    myInHistory = other.myInHistory;
    myLinkFavorite = other.myLinkFavorite;
    myThumbnailRect = other.myThumbnailRect;
    myAuthorRect = other.myAuthorRect;
    myCommentsLinkRect = other.myCommentsLinkRect;
    myInfoButtonRect = other.myInfoButtonRect;
    QMutexLocker lock(&myMutex);
    myThumbnail = image;
    myThumbnailDeferred = deferred;
}

QImage VideoEntry::getThumbnail() const
{
    QMutexLocker lock(&myMutex);
    if (myThumbnailDeferred) {
        myThumbnailDeferred = false;
        myThumbnail.load(myThumbnailFile);
    }
    return myThumbnail;
}

void VideoEntry::setThumbnail(const QImage& image)
{
    QMutexLocker lock(&myMutex);
    myThumbnail = image;
    myThumbnailDeferred = false;
}

void VideoEntry::deferThumbnail(const QString& fileName)
{
    QMutexLocker lock(&myMutex);
    myThumbnail = QImage();
    myThumbnailFile = fileName;
    myThumbnailDeferred = !fileName.isEmpty();
}

bool VideoEntry::loadThumbnail(const QString& fileName)
{
    QImage image;
    if (!image.load(fileName))
        return false;
    QMutexLocker lock(&myMutex);
    myThumbnail = image;
    myThumbnailFile = fileName;
    myThumbnailDeferred = false;
    return true;
}

const QImage& VideoEntry::getLinkStateImage() const
{
    return myLinkFavorite ? getStateImage(eStateLink) : getStateImage(eStateEmpty);
}

const QImage& VideoEntry::getMemoryStateImage() const
{
    return myStoredFavorite ? getStateImage(eStateMemory) : getStateImage(eStateEmpty);
}

const QImage& VideoEntry::getHistoryStateImage() const
{
    return myInHistory ? getStateImage(eStateHistory) : getStateImage(eStateEmpty);
}
