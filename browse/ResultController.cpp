#include "browse/ResultController.h"

#include "browse/BrowseLogging.h"
#include "browse/BrowseTexts.h"
#include "browse/HistoryItemResult.h"
#include "browse/ResultPage.h"
#include "core/Repository.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "service/VideoServiceProvider.h"
#include "shell/PageHistory.h"
#include "widgets/VideoSweepList.h"

#include <QDebug>

ResultController::ResultController(VideoServiceProvider* service, Repository& repository, PageHistory& history,
                                   QWidget* parent)
    : QObject(parent), myService(service), myRepository(repository), myHistory(history),
      myPage(new ResultPage(repository, history, parent))
{
    if (myService) {
        myPage->setSortOrders(myService->getSortBy());
        connect(myService, &VideoServiceProvider::updateModel, this, &ResultController::modelUpdated);
        connect(myService, &VideoServiceProvider::noResults, this, &ResultController::noResults);
        connect(myService, &VideoServiceProvider::errorOccuredInFeedRequest, this,
                &ResultController::feedRequestFailed);
        connect(myService, &VideoServiceProvider::errorOccuredInRelatedVideos, this,
                &ResultController::relatedRequestFailed);
    }
    connect(myPage, &ResultPage::playVideo, this, &ResultController::playVideo);
    connect(myPage, &ResultPage::showVideoInfo, this, &ResultController::showVideoInfo);
    connect(myPage, &ResultPage::authorVideosRequested, this, &ResultController::searchAuthorsVideos);
    connect(myPage, &ResultPage::addVideoToFavorites, this, &ResultController::addVideoToFavorites);
    connect(myPage, &ResultPage::showFavoritesPage, this, &ResultController::showFavoritesPage);
    connect(myPage, &ResultPage::showSettingsPage, this, &ResultController::showSettingsPage);
    connect(myPage, &ResultPage::previousPageRequested, this, &ResultController::previousPage);
    connect(myPage, &ResultPage::nextPageRequested, this, &ResultController::nextPage);
    connect(myPage, &ResultPage::timeFrameChanged, this, &ResultController::timeFrameChanged);
    connect(myPage, &ResultPage::sortOrderChanged, this, &ResultController::sortOrderChanged);
}

ResultController::~ResultController() = default;

int ResultController::pageSize() const
{
    int size = 0;
    myRepository.getSetting(SETTING_AMOUNT_OF_RESULTS, size);
    return size > 0 ? size : DEFAULT_AMOUNT_OF_RESULTS;
}

// ---- Requests

void ResultController::feedRequest(int type, const QString& timeFilter)
{
    ResultRequest request;
    request.kind = ResultRequest::eFeed;
    request.feedType = qBound(int(eMostViewed), type, int(eTopRated));
    request.timeFilter = timeFilter;
    run(request);
}

void ResultController::search(const QString& text, const QString& category, const QString& sortBy)
{
    ResultRequest request;
    request.kind = ResultRequest::eSearch;
    request.text = text.trimmed();
    request.category = category;
    request.sortBy = sortBy;
    run(request);
}

void ResultController::relatedVideos(VideoEntry* video)
{
    runForVideo(ResultRequest::eRelated, video, "relatedVideos");
}

void ResultController::videoResponses(VideoEntry* video)
{
    runForVideo(ResultRequest::eResponses, video, "videoResponses");
}

void ResultController::runForVideo(ResultRequest::eKind kind, VideoEntry* video, const char* caller)
{
    if (!video) {
        qCDebug(lcBrowse).nospace() << "ResultController::" << caller << ": NULL pointer";
        return;
    }
    ResultRequest request;
    request.kind = kind;
    request.videoId = video->getVideoId();
    request.videoTitle = video->getName();
    run(request);
}

void ResultController::searchAuthorsVideos(const QString& author)
{
    ResultRequest request;
    request.kind = ResultRequest::eAuthor;
    request.text = author.trimmed();
    run(request);
}

void ResultController::nextPage()
{
    if (myPending || myRequest.kind == ResultRequest::eNone)
        return;
    ResultRequest request = myRequest;
    request.startIndex = myRequest.startIndex + pageSize();
    run(request);
}

void ResultController::previousPage()
{
    if (myPending || myRequest.kind == ResultRequest::eNone || myRequest.startIndex <= 1)
        return;
    ResultRequest request = myRequest;
    request.startIndex = qMax(1, myRequest.startIndex - pageSize());
    run(request);
}

void ResultController::timeFrameChanged(const QString& timeFilter)
{
    if (myRequest.kind != ResultRequest::eFeed || timeFilter == myRequest.timeFilter)
        return;
    ResultRequest request = myRequest;
    request.timeFilter = timeFilter;
    request.startIndex = 1;
    run(request);
}

void ResultController::sortOrderChanged(const QString& sortBy)
{
    if (myRequest.kind != ResultRequest::eSearch || sortBy == myRequest.sortBy)
        return;
    ResultRequest request = myRequest;
    request.sortBy = sortBy;
    request.startIndex = 1;
    run(request);
}

void ResultController::restoreHistory(PageHistoryItem* item)
{
    auto* resultItem = qobject_cast<HistoryItemResult*>(item);
    if (!resultItem) {
        qCDebug(lcBrowse) << "ResultController::restoreHistory: not a result page item";
        return;
    }
    myPage->setTimeFrameIndex(resultItem->getTimeFrame());
    myPage->setSortIndex(resultItem->getSort());
    const ResultRequest& request = resultItem->getRequest();
    if (request.kind == ResultRequest::eNone)
        return;
    if (request != myRequest || myPending || myPage->getModel()->rowCount() == 0)
        run(request);
    myPage->restorePosition(resultItem->getScrollPosition(), resultItem->getCurrentRow());
}

void ResultController::run(const ResultRequest& request)
{
    VideoListModel* model = myPage->getModel();
    myPage->getList()->setToBeginning();
    model->clear();
    myRequest = request;
    myRequest.startIndex = qMax(1, request.startIndex);
    myFilled = false;
    myPage->setRequest(myRequest);
    if (!myService) {
        myPending = false;
        myFilled = true;
        myPage->showNoResults();
        return;
    }
    myPending = true;
    myPage->startFilling();

    const int startIndex = myRequest.startIndex;
    switch (myRequest.kind) {
    case ResultRequest::eFeed:
        myService->getFeed(static_cast<eFeedRequestType>(myRequest.feedType), model, startIndex,
                           myRequest.timeFilter);
        break;
    case ResultRequest::eSearch:
        myService->search(myRequest.text, myRequest.category, myRequest.sortBy, model, startIndex);
        break;
    case ResultRequest::eRelated:
    case ResultRequest::eResponses: {
        // The service reads the video only while it builds the request.
        VideoEntry video;
        video.setVideoId(myRequest.videoId);
        video.setName(myRequest.videoTitle);
        if (myRequest.kind == ResultRequest::eRelated)
            myService->getRelatedVideos(&video, model, startIndex);
        else
            myService->getVideoResponses(&video, model, startIndex);
        break;
    }
    case ResultRequest::eAuthor:
        myService->getUploadedVideos(myRequest.text, model, startIndex);
        break;
    case ResultRequest::eNone:
        myPending = false;
        myFilled = true;
        myPage->showNoResults();
        break;
    }
}

// ---- Answers of the service. Its signals do not tell which model they are about:
// rows in our model are ours for sure, so they always show (also after an empty or
// failed answer of someone else was taken for ours); an empty answer is taken for
// ours only while our request runs and our model is still empty.

void ResultController::modelUpdated()
{
    VideoListModel* model = myPage->getModel();
    if (myFilled || model->rowCount() == 0)
        return;
    myPending = false;
    myFilled = true;
    const int last = myRequest.startIndex + model->rowCount() - 1;
    const int total = qMax(myService->getTotalResults(model), last);
    myPage->showFilled(myRequest.startIndex, last, total);
}

void ResultController::noResults()
{
    VideoListModel* model = myPage->getModel();
    if (!myPending || model->rowCount() != 0 || myService->getTotalResults(model) > 0)
        return;
    myPending = false;
    myPage->showNoResults();
}

void ResultController::feedRequestFailed()
{
    if (myRequest.kind == ResultRequest::eRelated || myRequest.kind == ResultRequest::eResponses)
        return; // those fail through errorOccuredInRelatedVideos
    requestFailed(TEXT_FEED_REQUEST_FAILED());
}

void ResultController::relatedRequestFailed()
{
    if (myRequest.kind != ResultRequest::eRelated && myRequest.kind != ResultRequest::eResponses)
        return;
    requestFailed(TEXT_RELATED_REQUEST_FAILED());
}

void ResultController::requestFailed(const QString& text)
{
    if (!myPending)
        return;
    myPending = false;
    myPage->showFailed();
    Q_EMIT errorOccured(text);
}

// ---- The page's actions

void ResultController::playVideo(VideoEntry* entry)
{
    if (entry)
        Q_EMIT showToVideo(entry, false);
}

void ResultController::showVideoInfo(VideoEntry* entry)
{
    if (entry)
        Q_EMIT showToVideo(entry, true);
}

void ResultController::addVideoToFavorites(VideoEntry* entry, bool asLink)
{
    VideoListModel* model = myPage->getModel();
    if (!entry || model->findEntryIndex(entry) < 0)
        return;
    if (myRepository.addFavorite(entry, asLink) != eRepOk) {
        Q_EMIT errorOccured(TEXT_FAVORITE_NOT_ADDED());
        return;
    }
    model->updateEntry(entry);
}
