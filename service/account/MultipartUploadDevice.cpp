#include "service/account/MultipartUploadDevice.h"

#include <cstring>

#include <fcntl.h>

MultipartUploadDevice::MultipartUploadDevice(const QByteArray& head, const QString& fileName, const QByteArray& tail,
                                             QObject* parent)
    : QIODevice(parent), myHead(head), myTail(tail), myFile(fileName)
{
}

MultipartUploadDevice::~MultipartUploadDevice()
{
    close();
}

bool MultipartUploadDevice::open(OpenMode mode)
{
    if ((mode & (WriteOnly | Append | Truncate)) || !(mode & ReadOnly)) {
        setErrorString(QStringLiteral("The upload stream can only be read"));
        return false;
    }
    if (!myFile.open(QIODevice::ReadOnly)) {
        setErrorString(myFile.errorString());
        return false;
    }
    myFileSize = myFile.size();
    myOffset = 0;
    // Read front to back: the system may read further ahead.
    ::posix_fadvise(myFile.handle(), 0, 0, POSIX_FADV_SEQUENTIAL);
    // QIODevice's own buffer would only copy the data once more.
    return QIODevice::open(ReadOnly | Unbuffered);
}

void MultipartUploadDevice::close()
{
    if (myFile.isOpen())
        myFile.close();
    if (isOpen())
        QIODevice::close();
}

qint64 MultipartUploadDevice::size() const
{
    return myHead.size() + myFileSize + myTail.size();
}

bool MultipartUploadDevice::seek(qint64 pos)
{
    if (pos < 0 || pos > size() || !QIODevice::seek(pos))
        return false;
    myOffset = pos;
    return true;
}

bool MultipartUploadDevice::atEnd() const
{
    return myOffset >= size();
}

qint64 MultipartUploadDevice::readData(char* data, qint64 maxSize)
{
    qint64 done = 0;
    while (done < maxSize && myOffset < size()) {
        const qint64 headEnd = myHead.size();
        const qint64 fileEnd = headEnd + myFileSize;
        if (myOffset < headEnd) {
            const qint64 n = qMin(maxSize - done, headEnd - myOffset);
            std::memcpy(data + done, myHead.constData() + myOffset, size_t(n));
            done += n;
            myOffset += n;
        } else if (myOffset < fileEnd) {
            const qint64 at = myOffset - headEnd;
            if (myFile.pos() != at && !myFile.seek(at)) {
                setErrorString(myFile.errorString());
                return -1;
            }
            const qint64 n = myFile.read(data + done, qMin(maxSize - done, fileEnd - myOffset));
            if (n <= 0) {
                // The file is shorter than it was when the upload began.
                setErrorString(n < 0 ? myFile.errorString() : QStringLiteral("The file changed while it was sent"));
                return done > 0 ? done : -1;
            }
            done += n;
            myOffset += n;
        } else {
            const qint64 at = myOffset - fileEnd;
            const qint64 n = qMin(maxSize - done, qint64(myTail.size()) - at);
            std::memcpy(data + done, myTail.constData() + at, size_t(n));
            done += n;
            myOffset += n;
        }
    }
    return done;
}

qint64 MultipartUploadDevice::writeData(const char*, qint64)
{
    return -1;
}
