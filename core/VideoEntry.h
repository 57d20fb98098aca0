#ifndef KRELVOX_VIDEOENTRY_H
#define KRELVOX_VIDEOENTRY_H

#include <QDateTime>
#include <QImage>
#include <QMetaType>
#include <QMutex>
#include <QRectF>
#include <QString>
#include <QStringList>

// One video: what the service tells of it, where its files are, its favourite and
// playlist fields, and the hit rectangles the list painters store into it.
// Copyable; every copy gets a mutex of its own (the mutex guards the thumbnail
// image while a network answer attaches it).
class VideoEntry
{
public:
    VideoEntry();
    VideoEntry(const VideoEntry& other);
    VideoEntry& operator=(const VideoEntry& other);
    ~VideoEntry();

    // Identity
    int getServiceId() const { return myServiceId; }
    void setServiceId(int id) { myServiceId = id; }
    void setEntryId(int id) { myEntryId = id; }
    const QString& getVideoId() const { return myVideoId; } // the service's video id
    void setVideoId(const QString& id) { myVideoId = id; }

    // What the service tells
    const QString& getName() const { return myName; }
    void setName(const QString& name) { myName = name; }
    const QString& getDescription() const { return myDescription; }
    void setDescription(const QString& d) { myDescription = d; }
    // The author as shown: the display name the documents give, else the user name.
    const QString& getAuthor() const { return myAuthor; }
    void setAuthor(const QString& a) { myAuthor = a; }
    // The author's account (user) name, which the author's uploads are asked for by;
    // "" when the documents gave none.
    const QString& getAuthorUserName() const { return myAuthorUserName; }
    void setAuthorUserName(const QString& name) { myAuthorUserName = name; }
    // What an author link opens: the user name, else the shown name.
    const QString& getAuthorLinkName() const { return myAuthorUserName.isEmpty() ? myAuthor : myAuthorUserName; }
    float getLength() const { return myLength; }             // seconds
    void setLength(float seconds) { myLength = seconds; }
    const QDateTime& getUploadDate() const { return myUploadDate; }
    void setUploadDate(const QDateTime& d) { myUploadDate = d; }
    const QString& getViewCount() const { return myViewCount; }
    void setViewCount(const QString& c) { myViewCount = c; }
    const QString& getCommentCount() const { return myCommentCount; }
    void setCommentCount(const QString& c) { myCommentCount = c; }
    const QString& getRating() const { return myRating; }     // average, "0".."5", "" when unrated
    void setRating(const QString& r) { myRating = r; }
    const QString& getRatingCount() const { return myRatingCount; }
    void setRatingCount(const QString& c) { myRatingCount = c; }
    const QString& getCategory() const { return myCategory; }
    void setCategory(const QString& c) { myCategory = c; }
    const QStringList& getKeywords() const { return myKeywords; }
    void setKeywords(const QStringList& k) { myKeywords = k; }
    const QString& getWatchUrl() const { return myWatchUrl; }
    void setWatchUrl(const QString& u) { myWatchUrl = u; }
    const QString& getThumbnailUrl() const { return myThumbnailUrl; }
    void setThumbnailUrl(const QString& u) { myThumbnailUrl = u; }
    const QString& getCommentsUrl() const { return myCommentsUrl; }
    void setCommentsUrl(const QString& u) { myCommentsUrl = u; }
    const QString& getRelatedUrl() const { return myRelatedUrl; }
    void setRelatedUrl(const QString& u) { myRelatedUrl = u; }
    const QString& getResponsesUrl() const { return myResponsesUrl; }
    void setResponsesUrl(const QString& u) { myResponsesUrl = u; }

    // Thumbnail: the image (null when none is loaded) and its file.
    QImage getThumbnail() const;
    void setThumbnail(const QImage& image);
    const QString& getThumbnailFile() const { return myThumbnailFile; }
    void setThumbnailFile(const QString& f) { myThumbnailFile = f; }
    // Loads the thumbnail image from a file under the entry's mutex; true on success.
    bool loadThumbnail(const QString& fileName);
    // Takes the file as the thumbnail file and drops the image held; the file's image
    // is loaded on the first getThumbnail() instead of now, so a long list decodes
    // only the pictures of the rows it paints. A file that cannot be read then leaves
    // the image null. An empty name only clears the file.
    void deferThumbnail(const QString& fileName);
    QMutex* getMutex() const { return &myMutex; }

    // Video file
    const QString& getVideoFile() const { return myVideoFile; }
    void setVideoFile(const QString& f) { myVideoFile = f; }
    int getVideoFileSize() const { return myVideoFileSize; }  // bytes
    void setVideoFileSize(int bytes) { myVideoFileSize = bytes; }

    // Favourite and playlist fields
    int getFavoriteId() const { return myFavoriteId; }       // FAVORITE row id, 0 when none
    void setFavoriteId(int id) { myFavoriteId = id; }
    int getPlayListId() const { return myPlayListId; }
    void setPlayListId(int id) { myPlayListId = id; }
    int getSortId() const { return mySortId; }               // SORT_ID: higher is shown first
    void setSortId(int id) { mySortId = id; }
    int getDownloadState() const { return myDownloadState; } // 0 queued, 1 stored, 2 invalid
    void setDownloadState(int s) { myDownloadState = s; }
    int getVideoLink() const { return myVideoLink; }         // 1: the favourite is a link
    void setVideoLink(int link) { myVideoLink = link; }
    const QString& getProviderEntryId() const { return myProviderEntryId; } // the account's entry id of a remote playlist row
    void setProviderEntryId(const QString& id) { myProviderEntryId = id; }

    // Status flags (RepVideoStatus)
    bool isStoredFavorite() const { return myStoredFavorite; }
    void setStoredFavorite(bool b) { myStoredFavorite = b; }
    bool isInHistory() const { return myInHistory; }
    void setInHistory(bool b) { myInHistory = b; }
    bool isLinkFavorite() const { return myLinkFavorite; }
    void setLinkFavorite(bool b) { myLinkFavorite = b; }

    // Hit rectangles written by the row painters (viewport coordinates, zero until painted).
    QRectF getThumbnailRect() const { return myThumbnailRect; }
    void setThumbnailRect(const QRectF& r) { myThumbnailRect = r; }
    QRectF getAuthorRect() const { return myAuthorRect; }
    void setAuthorRect(const QRectF& r) { myAuthorRect = r; }
    QRectF getCommentsLinkRect() const { return myCommentsLinkRect; }
    void setCommentsLinkRect(const QRectF& r) { myCommentsLinkRect = r; }
    QRectF getInfoButtonRect() const { return myInfoButtonRect; }
    void setInfoButtonRect(const QRectF& r) { myInfoButtonRect = r; }

    // State images: the flag's icon, or the shared empty state image.
    const QImage& getLinkStateImage() const;
    const QImage& getMemoryStateImage() const;
    const QImage& getHistoryStateImage() const;

private:
    void copyFrom(const VideoEntry& other);

    int myServiceId = 0;
    int myEntryId = 0;
    QString myVideoId;
    QString myName;
    QString myDescription;
    QString myAuthor;
    QString myAuthorUserName;
    float myLength = 0.0f;
    QDateTime myUploadDate;
    QString myViewCount;
    QString myCommentCount;
    QString myRating;
    QString myRatingCount;
    QString myCategory;
    QStringList myKeywords;
    QString myWatchUrl;
    QString myThumbnailUrl;
    QString myCommentsUrl;
    QString myRelatedUrl;
    QString myResponsesUrl;
    mutable QImage myThumbnail;           // loaded on first use while deferred
    mutable bool myThumbnailDeferred = false;
    QString myThumbnailFile;
    QString myVideoFile;
    int myVideoFileSize = 0;
    int myFavoriteId = 0;
    int myPlayListId = 0;
    int mySortId = 0;
    int myDownloadState = 0;
    int myVideoLink = 0;
    QString myProviderEntryId;
    bool myStoredFavorite = false;
    bool myInHistory = false;
    bool myLinkFavorite = false;
    QRectF myThumbnailRect;
    QRectF myAuthorRect;
    QRectF myCommentsLinkRect;
    QRectF myInfoButtonRect;
    mutable QMutex myMutex;
};

Q_DECLARE_METATYPE(VideoEntry*)

#endif
