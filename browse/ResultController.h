#ifndef KRELVOX_RESULTCONTROLLER_H
#define KRELVOX_RESULTCONTROLLER_H

#include "browse/ResultRequest.h"

#include <QObject>

class PageHistory;
class PageHistoryItem;
class Repository;
class ResultPage;
class VideoEntry;
class VideoServiceProvider;

// Runs the result page: asks the service for one page of a feed, a search, related
// videos, video responses or an author's uploads at a time (page size
// SETTING_AMOUNT_OF_RESULTS), pages through the results, re-asks when the page's
// time frame or sort order changes, restores a list from the page history, saves
// videos as favourites and hands a picked video on.
class ResultController : public QObject
{
    Q_OBJECT
public:
    // The page is made with the parent widget as its parent.
    ResultController(VideoServiceProvider* service, Repository& repository, PageHistory& history, QWidget* parent);
    ~ResultController() override;

    ResultPage* getResultPage() const { return myPage; }
    const ResultRequest& getCurrentRequest() const { return myRequest; }
    bool isRequestPending() const { return myPending; }

public Q_SLOTS:
    // The standard feed (eFeedRequestType) in the time frame (a displayed time frame
    // text, e.g. the page's timeFilterForRequest()).
    void feedRequest(int type, const QString& timeFilter);
    // category: a category key ("" all); sortBy: a sort key ("" relevance).
    void search(const QString& text, const QString& category, const QString& sortBy);
    void relatedVideos(VideoEntry* video);
    void videoResponses(VideoEntry* video);
    void searchAuthorsVideos(const QString& author);
    // Back navigation to the result page: the item's list at its scroll position. A
    // list that is still shown is not asked for again.
    void restoreHistory(PageHistoryItem* item);
    void nextPage();
    void previousPage();

Q_SIGNALS:
    // A picked video; forceInfoView for the row's information button.
    void showToVideo(VideoEntry* entry, bool forceInfoView);
    void showFavoritesPage();
    void showSettingsPage();
    // A failure the user should hear about.
    void errorOccured(const QString& text);

private Q_SLOTS:
    void modelUpdated();
    void noResults();
    void feedRequestFailed();
    void relatedRequestFailed();
    void playVideo(VideoEntry* entry);
    void showVideoInfo(VideoEntry* entry);
    void addVideoToFavorites(VideoEntry* entry, bool asLink);
    void timeFrameChanged(const QString& timeFilter);
    void sortOrderChanged(const QString& sortBy);

private:
    void run(const ResultRequest& request);
    // Runs a request of that kind about the video (related videos, responses); a null
    // video is traced with the caller's name and asks for nothing.
    void runForVideo(ResultRequest::eKind kind, VideoEntry* video, const char* caller);
    int pageSize() const;
    void requestFailed(const QString& text);

    VideoServiceProvider* myService;
    Repository& myRepository;
    PageHistory& myHistory;
    ResultPage* myPage;
    ResultRequest myRequest;
    bool myPending = false;
    // The rows of the current request are shown.
    bool myFilled = false;
};

#endif
