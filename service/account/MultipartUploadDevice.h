#ifndef KRELVOX_MULTIPARTUPLOADDEVICE_H
#define KRELVOX_MULTIPARTUPLOADDEVICE_H

#include <QByteArray>
#include <QFile>
#include <QIODevice>

// A read-only device that gives a head, the whole content of a file and a tail as one
// stream, without holding the file in memory: the file is read piece by piece as the
// stream is read. It can seek, so a transfer can start over. A file that changes its
// size while it is read ends the stream with an error.
class MultipartUploadDevice : public QIODevice
{
    Q_OBJECT
public:
    MultipartUploadDevice(const QByteArray& head, const QString& fileName, const QByteArray& tail,
                          QObject* parent = nullptr);
    ~MultipartUploadDevice() override;

    // Opens the file too; only QIODevice::ReadOnly is supported.
    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool seek(qint64 pos) override;
    bool atEnd() const override;

    qint64 fileSize() const { return myFileSize; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    QByteArray myHead;
    QByteArray myTail;
    QFile myFile;
    qint64 myFileSize = 0;
    qint64 myOffset = 0;
};

#endif
