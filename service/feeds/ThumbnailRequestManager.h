#ifndef KRELVOX_THUMBNAILREQUESTMANAGER_H
#define KRELVOX_THUMBNAILREQUESTMANAGER_H

#include "service/RequestManagerBase.h"

class VideoEntry;
class VideoListModel;

// Fetches the thumbnail pictures of a result page into the thumbnails folder and
// attaches each to its entry (under the entry's mutex), then tells the model so its
// views repaint the row. An answer whose model is gone, or whose entry has left the
// model meanwhile, is dropped. A picture that is already in the folder is used as it is.
class ThumbnailRequestManager : public RequestManagerBase
{
    Q_OBJECT
public:
    ThumbnailRequestManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                            QObject* parent = nullptr);

    // folder: the thumbnails folder (ends with "/"); nothing happens when it is empty.
    void fetch(VideoListModel* model, VideoEntry* entry, const QString& folder);
    // Drops the pending fetches for the model.
    void abortForModel(const VideoListModel* model);

    // The file name of an entry's thumbnail: the video id with ".jpg", made safe.
    static QString thumbnailFileName(const VideoEntry& entry);

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;

private:
    static bool attach(VideoListModel* model, VideoEntry* entry, const QString& videoId,
                       const QImage& image, const QString& fileName);
};

#endif
