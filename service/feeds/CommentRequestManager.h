#ifndef KRELVOX_COMMENTREQUESTMANAGER_H
#define KRELVOX_COMMENTREQUESTMANAGER_H

#include "service/RequestManagerBase.h"

class CommentListModel;
class VideoEntry;

// Fetches one page (up to 50) of a video's comments into a CommentListModel: the
// model's total is set from the feed's total, then one entry per comment is appended
// in feed order. The model is not cleared here (its users do that). A new fetch for a
// model replaces the one still running for it.
class CommentRequestManager : public RequestManagerBase
{
    Q_OBJECT
public:
    CommentRequestManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                          QObject* parent = nullptr);

    // startIndex 0 or less: the first page, without a start index.
    void getComments(VideoEntry* video, CommentListModel* model, int startIndex);

Q_SIGNALS:
    void commentsReady();
    void errorOccuredInCommentFetching(QString text);

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;
};

#endif
