#ifndef KRELVOX_UPLOADMANAGER_H
#define KRELVOX_UPLOADMANAGER_H

#include "service/account/AccountRequestManager.h"

#include <QMap>
#include <QPointer>

class MultipartUploadDevice;

// Uploads one video file to the signed-in account: a multipart/related body of the
// Atom entry (title, description, category, keywords) and the file's bytes, read
// from the file as it is sent. Progress comes as uploadInProgress(done, total) in
// bytes of the body, the outcome as uploadDone(ok, text): 201 is a finished upload,
// 503 "The service is not available...", any other answer (a redirect too: it is not
// followed) or a failed transfer "Upload failed"; after a 401 the sign-in is renewed
// once and the upload repeated from the kept map (a file that cannot be read any more
// then fails it).
class UploadManager : public AccountRequestManager
{
    Q_OBJECT
public:
    UploadManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints, Repository& repository,
                  QObject* parent = nullptr);
    ~UploadManager() override;

    // Cancels an upload still running, keeps the map and starts the upload. Nothing is
    // reported when a key is missing, a value other than the description is empty, or
    // the file cannot be read.
    void uploadVideo(const QMap<QString, QString>& video);
    // Stops the running upload; nothing is reported.
    void cancel();
    bool isUploading() const;

    // The Atom entry and the boundary lines that surround the file in the body.
    static QByteArray bodyHead(const QMap<QString, QString>& video, const QByteArray& boundary);
    static QByteArray bodyTail(const QByteArray& boundary);
    static QByteArray contentTypeOf(const QString& fileName);
    // A readable map: every key there, no empty value but the description, the file
    // readable.
    static bool isComplete(const QMap<QString, QString>& video);

Q_SIGNALS:
    void uploadInProgress(int done, int total);
    void uploadDone(bool info, QString text);

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;
    bool requestUnauthorized(ServiceRequest* request) override;
    void requestUploadProgress(ServiceRequest* request, qint64 sent, qint64 total) override;
    void renewalEnded(bool ok, const QString& message) override;

private:
    bool start();
    void dropDevice();

    QMap<QString, QString> myVideo;      // kept for a repeat after a new sign-in
    QPointer<MultipartUploadDevice> myDevice;
    bool myRepeated = false;             // the one repeat after a 401 was made
    bool myAwaitingSignIn = false;
};

#endif
