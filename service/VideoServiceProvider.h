#ifndef KRELVOX_VIDEOSERVICEPROVIDER_H
#define KRELVOX_VIDEOSERVICEPROVIDER_H

#include "core/PlayList.h"
#include "core/Types.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QString>

class CommentListModel;
class ContactListModel;
class MessageListModel;
class PlayListModel;
class VideoEntry;
class VideoListModel;
struct vsCmdStruct;

// The account requests whose failure is reported with accountRequestFailed.
enum eAccountRequest { eProfileRequest = 0, eContactsRequest = 1, eInboxRequest = 2, eInviteAnswerRequest = 3 };

// The video service as the UI sees it. Every operation takes a model or an entry to
// fill and returns at once; results arrive later as signals. Error signals without an
// argument leave the text to the receiver.
class VideoServiceProvider : public QObject
{
    Q_OBJECT
public:
    explicit VideoServiceProvider(QObject* parent = nullptr) : QObject(parent) {}
    ~VideoServiceProvider() override = default;

    // False when the service could not set itself up (it said why in a trace).
    virtual bool isInitialized() const = 0;

    // ---- Feeds (one result page; startIndex is 1-based, 0 means the first page)
    virtual void getFeed(eFeedRequestType type, VideoListModel* model, int startIndex, const QString& timeFilter) = 0;
    virtual void search(const QString& text, const QString& category, const QString& sortBy,
                        VideoListModel* model, int startIndex) = 0;
    virtual void getRelatedVideos(VideoEntry* video, VideoListModel* model, int startIndex) = 0;
    virtual void getVideoResponses(VideoEntry* video, VideoListModel* model, int startIndex) = 0;
    virtual void getUploadedVideos(const QString& user, VideoListModel* model, int startIndex) = 0;
    virtual void cancelFeedRequests() = 0;
    // The service's total of the last feed page that was read into the model.
    virtual int getTotalResults(VideoListModel* model) const = 0;

    // ---- Comments
    virtual void getComments(VideoEntry* video, CommentListModel* model, int startIndex) = 0;
    virtual void commentVideo(const QString& text, VideoEntry* video) = 0;

    // ---- Categories and sort orders
    virtual void getCategories() = 0;
    virtual CategoryMap& getSortBy() = 0;

    // ---- Regular (foreground) download into the download folder
    virtual void download(VideoEntry* video) = 0;
    virtual void cancelDownload() = 0;
    virtual bool getDownloadState() = 0;
    virtual const QString& getDownloadVideoId() = 0;
    virtual void setVideoFileName(VideoEntry* video) = 0;

    // ---- Pictures
    // Fetches the entry's thumbnail picture into the thumbnails folder (one fetched
    // earlier in the run is used as it is) and attaches it while the model still
    // holds the entry; the model then tells its views. A service without pictures
    // does nothing.
    virtual void getThumbnail(VideoListModel* model, VideoEntry* entry);

    // ---- Background download of the queue into the favourites video folder
    virtual void backgrounddownload(VideoEntry* video) = 0;
    virtual void cancelBackgoundDownload() = 0;
    virtual bool getBackgroundDownloadState() = 0;

    // ---- Account
    virtual void authenticate(eAuthenticateType type) = 0;
    virtual void cancelAuthentication() = 0;
    virtual void rateVideo(VideoEntry* video, int rating) = 0;
    virtual void sendVideoLink(const QString& contact, VideoEntry* video, const QString& message) = 0;
    virtual void getProfile() = 0;
    virtual void getContacts(ContactListModel* model) = 0;
    virtual void getInboxMessages(MessageListModel* model, int startIndex) = 0;
    virtual void postRespondToInvite(QString contact, bool accepted) = 0;
    virtual void uploadVideo(QMap<QString, QString> video) = 0;
    virtual void cancelUploading() = 0;
    virtual void getPlayLists(PlayListModel* model) = 0;
    // The entries of an account playlist (type 6; type 5 reads the account's
    // Favorites) into the model, emptied first, in the account's order, each with the
    // account's entry id as its provider entry id; then playListEntriesFetched with
    // the playlist's id, or errorOccuredInPlayListEntries. A service without an
    // account reports the failure.
    virtual void getPlayListEntries(const PlayList& playList, VideoListModel* model);
    // Runs a playlist or favourites write; commands run one at a time in order.
    virtual void queueCommand(const vsCmdStruct& command) = 0;

Q_SIGNALS:
    // Feeds
    void updateModel();
    void noResults();
    void errorOccuredInFeedRequest();
    void errorOccuredInRelatedVideos();
    // Comments
    void commentsReady();
    void errorOccuredInCommentFetching(QString text);
    void commentingDone();
    void errorOccuredInCommenting(QString text);
    // Categories
    void categoriesReady(CategoryMap& categories);
    void errorOccuredInCategory();
    // Regular download
    void downloadInProgress(qint64 received, qint64 total);
    void videoIsDownloaded();
    void errorOccuredInDownload(QString text);
    // Background download
    void backgroundDownloadInProgress(double percent, QString videoId);
    void backgroundVideoIsDownloaded();
    void videoRemovedBackground(QString text);
    // The queued video could not be written to the storage (full or read-only): text
    // says so in words; the entry stays queued.
    void backgroundStorageFailed(QString text);
    // The queued video's download broke off (the connection failed, the service did
    // not answer or sent nothing): text says so in words; the entry stays queued and
    // is fetched again when the queue is taken up again.
    void backgroundDownloadFailed(QString text);
    // Account
    void authenticated(bool done, QString text);
    void captchaChallenge();
    void ratingDone(bool done, QString text);
    void linkSent(bool done, QString text);
    void profileFetched(QHash<QString, QString> profile);
    void noMessages();
    void inviteResponded();
    // The profile, the contacts, the inbox (eAccountRequest) could not be read, or an
    // invitation answer could not be posted; text says so for the user.
    void accountRequestFailed(int request, QString text);
    void uploadInProgress(int done, int total);
    void uploadDone(bool info, QString text);
    void playListsFetched();
    void errorOccuredInPlayList();
    void playListEntriesFetched(int playListId);
    void errorOccuredInPlayListEntries(int playListId);
    void commandFinished(int cmdType, bool ok);
};

inline void VideoServiceProvider::getThumbnail(VideoListModel* model, VideoEntry* entry)
{
    Q_UNUSED(model);
    Q_UNUSED(entry);
}

inline void VideoServiceProvider::getPlayListEntries(const PlayList& playList, VideoListModel* model)
{
    Q_UNUSED(model);
    // Never inside the call: the caller finishes its own work first.
    const int id = playList.getId();
    QMetaObject::invokeMethod(this, [this, id] { Q_EMIT errorOccuredInPlayListEntries(id); }, Qt::QueuedConnection);
}

#endif
