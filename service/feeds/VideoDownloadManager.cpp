#include "service/feeds/VideoDownloadManager.h"
#include "service/ServiceConstants.h"
#include "core/constants/Paths.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

enum Step { eIdle = 0, eWatchPage = 1, eVideoFile = 2 };

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
        const QString message = QStringLiteral("Cannot write %1: %2").arg(myFile->fileName(), myFile->errorString());
        delete myFile;
        myFile = nullptr;
        fail(message, false);
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
        fail(QStringLiteral("Cannot write %1: %2").arg(myFile->fileName(), myFile->errorString()), false);
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
        if (!QFile::rename(writingPath(), myFilePath)) {
            QFile::remove(writingPath());
            fail(QStringLiteral("Cannot rename the video file to %1").arg(myFilePath), false);
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
    qDebug() << "VideoDownloadManager::fail" << myVideoId << message;
    stopReports();
    discardFile();
    myRunning = false;
    myStep = eIdle;
    Q_EMIT failed(message, unavailable);
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
