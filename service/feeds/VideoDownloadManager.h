#ifndef KRELVOX_VIDEODOWNLOADMANAGER_H
#define KRELVOX_VIDEODOWNLOADMANAGER_H

#include "service/RequestManagerBase.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>

class QFile;

// One download channel: fetches a video's watch page for its token, then streams the
// video file to disk chunk by chunk as it arrives. With a growing file the file has
// its final name from the first byte (a player may open it while it grows); otherwise
// it grows under the name with ".part" and gets its final name once complete. A
// cancelled or failed download deletes what was written, so no partial file is ever
// left under the final name. Starting a new download cancels the running one. When
// the file cannot be written (a full or read-only memory card) the failure says so in
// words for the user, and storageFault() tells which.
//
// Progress goes out at most once per DOWNLOAD_PROGRESS_INTERVAL_MS: a read within
// that time of the last report is reported when the time is up (the latest figures
// then), and the whole file is reported just before finished.
class VideoDownloadManager : public RequestManagerBase
{
    Q_OBJECT
public:
    enum StorageFault { eNoStorageFault = 0, eStorageFull, eStorageUnwritable };

    VideoDownloadManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                         QObject* parent = nullptr);
    ~VideoDownloadManager() override;

    void start(const QString& videoId, const QString& filePath, bool growingFile);
    // Stops the running download and deletes its file; reports nothing.
    void cancel();

    bool isRunning() const { return myRunning; }
    const QString& videoId() const { return myVideoId; }
    const QString& filePath() const { return myFilePath; }
    // Why the last download failed on the storage; eNoStorageFault for any other end.
    StorageFault storageFault() const { return myStorageFault; }

    // The download token in a watch page, "" when the page has none (a removed or
    // unavailable video).
    static QString extractToken(const QByteArray& page);

Q_SIGNALS:
    void progress(qint64 received, qint64 total);
    void finished(QString filePath);
    // unavailable: the service says the video cannot be had (removed, not found).
    void failed(QString message, bool unavailable);

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;
    void requestProgress(ServiceRequest* request, qint64 received, qint64 total) override;

private:
    void requestFile(const QString& token);
    void fileDone(ServiceRequest* request);
    void fail(const QString& message, bool unavailable);
    // The file cannot be opened, written or completed: the user gets words for the
    // fault, the detail goes to the trace.
    void failOnStorage(StorageFault fault, const QString& detail);
    void discardFile();
    QString writingPath() const;
    void reportProgress();
    void stopReports();

    bool myRunning = false;
    bool myGrowingFile = true;
    QString myVideoId;
    QString myFilePath;
    QFile* myFile = nullptr;
    int myStep = 0;    // 1 watch page, 2 video file
    StorageFault myStorageFault = eNoStorageFault;

    // The figures of the last read, whether or not they were reported yet.
    qint64 myReceived = 0;
    qint64 myTotal = 0;
    qint64 myReported = -1;
    QElapsedTimer mySinceReport;
    QTimer myReportTimer; // a report held back until its time
};

#endif
