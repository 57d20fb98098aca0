#ifndef KRELVOX_HTTPANSWERREADER_H
#define KRELVOX_HTTPANSWERREADER_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Reads an HTTP/1.x answer from the bytes of a connection as they arrive: first the
// head (interim 1xx answers are skipped), then the body by its length, in chunks or
// up to the close. It holds no more than the bytes not read yet; a head over 64 kB or
// framing that cannot be read ends it as failed.
class HttpAnswerReader
{
public:
    enum Step { eNeedMore, eDone, eFailed };

    // The verb of the request answered: the answer to HEAD has no body.
    explicit HttpAnswerReader(const QByteArray& verb = QByteArray());

    void append(const QByteArray& bytes) { myInput += bytes; }

    // Reads the final answer's head once it is all in: eDone when it has been read.
    Step readHead();
    // Moves the body bytes that have arrived to the end of content: eDone when the
    // body is complete (an answer up to the close never is).
    Step readBody(QByteArray& content);

    int status() const { return myStatus; }
    const QByteArray& reason() const { return myReason; }
    // Header fields in the order they came, those of one name joined with ", ".
    const QList<QPair<QByteArray, QByteArray>>& headers() const { return myHeaders; }
    QByteArray header(const QByteArray& name) const;
    // The body's length, -1 when the answer does not give it.
    qint64 contentLength() const { return myContentLength; }
    // The body ends when the connection closes.
    bool endsWithClose() const { return myFraming == eUntilClose; }
    const QString& errorText() const { return myError; }

private:
    enum Framing { eByLength, eInChunks, eUntilClose };

    bool readStatusAndFields(const QByteArray& head);
    void chooseFraming();
    Step readChunks(QByteArray& content);
    Step failWith(const QString& text);

    QByteArray myVerb;
    QByteArray myInput;            // bytes not read yet
    int myStatus = 0;
    QByteArray myReason;
    QList<QPair<QByteArray, QByteArray>> myHeaders;
    Framing myFraming = eUntilClose;
    qint64 myContentLength = -1;
    qint64 myRemaining = 0;        // of the body by length, or of the current chunk
    bool myInChunkData = false;
    bool myInTrailer = false;
    QString myError;
};

#endif
