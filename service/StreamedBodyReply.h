#ifndef KRELVOX_STREAMEDBODYREPLY_H
#define KRELVOX_STREAMEDBODYREPLY_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>

class QAbstractSocket;

// The reply to a request whose body is read from a device (a video being uploaded).
// The request goes out on a socket of its own in the calling thread, the body
// straight from the device in large pieces, so that a file streams as fast as the
// disk and the socket take it. (The network access manager's own replies hand a body
// to their network thread 16 kB at a time, with a thread switch each way for every
// piece.) HTTP/1.1 over TCP, or TLS for https; one request per connection, closed
// after the answer. A redirect is not followed: the 3xx answer is the reply. The
// answer's body may come with a length, in chunks, or up to the close.
//
// It behaves as the manager's replies do for their users: metaDataChanged once the
// answer's head is read, readyRead and downloadProgress for its body, uploadProgress
// while the body is sent (at most every 100 ms, and once all is sent), errorOccurred
// and finished.
class StreamedBodyReply : public QNetworkReply
{
    Q_OBJECT
public:
    // The body is read from its current position to its end; it is not owned and must
    // stay open until the reply has finished.
    StreamedBodyReply(QNetworkAccessManager::Operation operation, const QNetworkRequest& request,
                      const QByteArray& verb, QIODevice* body, QObject* parent = nullptr);
    ~StreamedBodyReply() override;

    void abort() override;
    qint64 bytesAvailable() const override;
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    enum Stage { eConnecting, eSending, eAnswerHead, eAnswerBody, eDone };
    enum Framing { eByLength, eInChunks, eUntilClose };

    void connected();
    void sendBody();
    void reportUploadProgress();
    void readAnswer();
    bool readAnswerHead();
    bool readAnswerBody();
    bool readChunks();
    void socketFailed();
    void fail(NetworkError code, const QString& text);
    void finish();

    QAbstractSocket* mySocket;
    QPointer<QIODevice> myBody;
    QByteArray myVerb;
    qint64 myBodySize = 0;
    qint64 myBodyHanded = 0;       // bytes given to the socket
    QByteArray myBodyBuffer;
    QElapsedTimer myProgressChoke;
    bool myAllSentReported = false;

    Stage myStage = eConnecting;
    Framing myFraming = eUntilClose;
    QByteArray myInput;            // answer bytes not parsed yet
    QByteArray myContent;          // the answer's body, not read yet
    qint64 myRemaining = 0;        // of the body by length, or of the current chunk
    bool myInChunkData = false;
    bool myInTrailer = false;
    qint64 myContentReceived = 0;
    qint64 myContentLength = -1;
};

#endif
