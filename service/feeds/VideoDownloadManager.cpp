#include "service/feeds/VideoDownloadManager.h"
#include "core/constants/Paths.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/ServiceTexts.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>

namespace {

enum Step { eIdle = 0, eWatchPage = 1, eVideoFile = 2 };

// A file that could not be opened or written: the storage is full when the system
// said so, or when no byte is left on it; else it cannot be written at all
// (read-only, or the folder is not there).
VideoDownloadManager::StorageFault storageFaultOf(const QFileDevice& file)
{
    if (file.error() == QFileDevice::ResourceError)
        return VideoDownloadManager::eStorageFull;
    const QStorageInfo storage(QFileInfo(file.fileName()).absolutePath());
    if (storage.isValid() && !storage.isReadOnly() && storage.bytesAvailable() <= 0)
        return VideoDownloadManager::eStorageFull;
    return VideoDownloadManager::eStorageUnwritable;
}

bool meansUnavailable(const ServiceRequest& request)
{
    const int status = request.httpStatus();
    return request.failureKind() == ServiceRequest::eHttpError && (status == 403 || status == 404 || status == 410);
}

} // namespace

VideoDownloadManager::VideoDownloadManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                                           QObject* parent)
    : RequestManagerBase(network, endpoints, parent)
{
    myReportTimer.setSingleShot(true);
    myReportTimer.setTimerType(Qt::PreciseTimer);
    connect(&myReportTimer, &QTimer::timeout, this, &VideoDownloadManager::reportProgress);
}

VideoDownloadManager::~VideoDownloadManager()
{
    abortAll();
    discardFile();
}

QString VideoDownloadManager::extractToken(const QByteArray& page)
{
    // The player arguments of the page: "t": "<token>", or t=<token> in a flash
    // variables string.
    static const QRegularExpression json(QStringLiteral("\"t\"\\s*:\\s*\"([A-Za-z0-9_\\-%=.]{1,512})\""));
    static const QRegularExpression flashVars(QStringLiteral("[?&;]t=([A-Za-z0-9_\\-%=.]{1,512})"));
    const QString text = QString::fromUtf8(page);
    QRegularExpressionMatch match = json.match(text);
    if (!match.hasMatch())
        match = flashVars.match(text);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString VideoDownloadManager::writingPath() const
{
    return myGrowingFile ? myFilePath : myFilePath + PARTIAL_FILE_SUFFIX;
}

void VideoDownloadManager::start(const QString& videoId, const QString& filePath, bool growingFile)
{
    cancel();
    myStorageFault = eNoStorageFault;
    myVideoId = videoId;
    myFilePath = filePath;
    myGrowingFile = growingFile;
    myRunning = true;
    myStep = eWatchPage;

    QueryBuilder query;
    query.add(QUERY_WATCH_VIDEO, videoId);
    auto* request = new ServiceRequest(endpoints().url(ServiceEndpoints::eWeb, PATH_WATCH, query.toString()));
    request->setSendsApiHeaders(false);
    send(request);
}

void VideoDownloadManager::cancel()
{
    stopReports();
    abortAll();
    discardFile();
    myRunning = false;
    myStep = eIdle;
}

void VideoDownloadManager::requestFile(const QString& token)
{
    QDir().mkpath(QFileInfo(myFilePath).absolutePath());
    myFile = new QFile(writingPath());
    // Unbuffered: every chunk is in the file as soon as it is written, for a player reading it.
    if (!myFile->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        // Whatever the name holds stays: nothing was written to it.
        const StorageFault fault = storageFaultOf(*myFile);
        const QString detail = QStringLiteral("Cannot open %1: %2").arg(myFile->fileName(), myFile->errorString());
        delete myFile;
        myFile = nullptr;
        failOnStorage(fault, detail);
        return;
    }
    myStep = eVideoFile;
    QueryBuilder query;
    query.add(QUERY_VIDEO_ID, myVideoId);
    query.add(QUERY_TOKEN, token);
    auto* request = new ServiceRequest(endpoints().url(ServiceEndpoints::eWeb, PATH_GET_VIDEO, query.toString()));
    request->setSendsApiHeaders(false);
    request->setSink(myFile);
    send(request);
}

void VideoDownloadManager::requestSucceeded(ServiceRequest* request)
{
    if (myStep == eWatchPage) {
        const QString token = extractToken(request->receivedData());
        if (token.isEmpty()) {
            fail(QStringLiteral("The video %1 is not available").arg(myVideoId), true);
            return;
        }
        requestFile(token);
    } else if (myStep == eVideoFile) {
        fileDone(request);
    }
}

void VideoDownloadManager::fileDone(ServiceRequest* request)
{
    if (!myFile->flush() || myFile->size() != request->bytesReceived()) {
        failOnStorage(storageFaultOf(*myFile),
                      QStringLiteral("Cannot write %1: %2").arg(myFile->fileName(), myFile->errorString()));
        return;
    }
    if (request->bytesReceived() == 0) {
        fail(QStringLiteral("The video %1 came without data").arg(myVideoId), false);
        return;
    }
    myFile->close();
    delete myFile;
    myFile = nullptr;
    if (!myGrowingFile) {
        QFile::remove(myFilePath);
        QFile complete(writingPath());
        if (!complete.rename(myFilePath)) {
            const StorageFault fault = storageFaultOf(complete);
            const QString detail = QStringLiteral("Cannot rename %1 to %2: %3")
                                       .arg(complete.fileName(), myFilePath, complete.errorString());
            complete.remove();
            failOnStorage(fault, detail);
            return;
        }
    }
    myRunning = false;
    myStep = eIdle;
    // The last report is the whole file, whatever the time since the one before.
    myReceived = request->bytesReceived();
    if (myReported != myReceived)
        reportProgress();
    stopReports();
    Q_EMIT finished(myFilePath);
}

void VideoDownloadManager::requestFailed(ServiceRequest* request)
{
    if (request->failureKind() == ServiceRequest::eWriteError && myFile) {
        failOnStorage(storageFaultOf(*myFile), request->failureMessage());
        return;
    }
    fail(request->failureMessage(), meansUnavailable(*request));
}

void VideoDownloadManager::requestProgress(ServiceRequest* request, qint64 received, qint64 total)
{
    if (myStep != eVideoFile || !request->sink())
        return;
    myReceived = received;
    myTotal = total;
    const qint64 since = mySinceReport.isValid() ? mySinceReport.elapsed() : DOWNLOAD_PROGRESS_INTERVAL_MS;
    if (since >= DOWNLOAD_PROGRESS_INTERVAL_MS)
        reportProgress();
    else if (!myReportTimer.isActive())
        myReportTimer.start(int(DOWNLOAD_PROGRESS_INTERVAL_MS - since));
}

void VideoDownloadManager::reportProgress()
{
    myReportTimer.stop();
    mySinceReport.start();
    myReported = myReceived;
    Q_EMIT progress(myReceived, myTotal);
}

void VideoDownloadManager::stopReports()
{
    myReportTimer.stop();
    mySinceReport.invalidate();
    myReceived = 0;
    myTotal = 0;
    myReported = -1;
}

void VideoDownloadManager::fail(const QString& message, bool unavailable)
{
    qCDebug(lcService) << "VideoDownloadManager::fail" << myVideoId << message;
    stopReports();
    discardFile();
    myRunning = false;
    myStep = eIdle;
    Q_EMIT failed(message, unavailable);
}

void VideoDownloadManager::failOnStorage(StorageFault fault, const QString& detail)
{
    qCDebug(lcService) << "VideoDownloadManager::failOnStorage" << myVideoId << detail;
    myStorageFault = fault;
    fail(fault == eStorageFull ? TEXT_STORAGE_FULL() : TEXT_STORAGE_UNWRITABLE(), false);
}

void VideoDownloadManager::discardFile()
{
    if (!myFile)
        return;
    myFile->close();
    myFile->remove();
    delete myFile;
    myFile = nullptr;
}
