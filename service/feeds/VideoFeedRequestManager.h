#ifndef KRELVOX_VIDEOFEEDREQUESTMANAGER_H
#define KRELVOX_VIDEOFEEDREQUESTMANAGER_H

#include "core/Types.h"
#include "service/RequestManagerBase.h"

#include <QHash>
#include <QSet>

class Repository;
class ThumbnailRequestManager;
class VideoEntry;
class VideoListModel;

// Video feeds into VideoListModels: the four standard feeds, search, related videos,
// video responses and an author's uploads, one result page at a time. A page's rows
// are appended to the model in feed order, then updateModel() is raised and the
// thumbnails are fetched; an empty page raises noResults(). A new request for a model
// replaces the one still running for it; a model that is deleted takes its requests
// along, and clearing it drops its pending thumbnails.
class VideoFeedRequestManager : public RequestManagerBase
{
    Q_OBJECT
public:
    VideoFeedRequestManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                            Repository& repository, QObject* parent = nullptr);

    // startIndex is 1-based; 0 (or less) asks for the first page.
    void getFeed(eFeedRequestType type, VideoListModel* model, int startIndex, const QString& timeFilter);
    void makeSearch(const QString& text, const QString& category, const QString& sortBy,
                    VideoListModel* model, int startIndex);
    void getRelatedVideos(VideoEntry* video, VideoListModel* model, int startIndex);
    void getVideoResponses(VideoEntry* video, VideoListModel* model, int startIndex);
    // startIndex 0 sends no start index at all.
    void getUploadedVideos(const QString& user, VideoListModel* model, int startIndex);
    // Drops every running feed and thumbnail request without a report.
    void cancelRequests();

    int getTotalResults(const VideoListModel* model) const;

    // The service's time value for a time-frame text ("Today"... or the value
    // itself); "" for anything else.
    static QString timeValue(const QString& timeFilter);

    ThumbnailRequestManager* thumbnails() const { return myThumbnails; }

Q_SIGNALS:
    void updateModel();
    void noResults();
    void errorOccuredInFeedRequest();
    void errorOccuredInRelatedVideos();

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;

private:
    enum Kind { eFeed, eRelated };

    void sendFeed(const QString& path, QueryBuilder& query, VideoListModel* model, Kind kind);
    void relatedFeed(VideoEntry* video, VideoListModel* model, int startIndex, const QString& suffix,
                     const char* operation);
    void watchModel(VideoListModel* model);
    void addPageKeys(QueryBuilder& query, int startIndex, bool alwaysStartIndex) const;
    QString safeSearchValue() const;

    Repository& myRepository;
    ThumbnailRequestManager* myThumbnails;
    QHash<const VideoListModel*, int> myTotals;
    QSet<const VideoListModel*> myWatched;
};

#endif
