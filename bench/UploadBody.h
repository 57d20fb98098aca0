#ifndef KRELVOX_UPLOADBODY_H
#define KRELVOX_UPLOADBODY_H

#include "service/ServiceConstants.h"
#include "service/account/AccountConstants.h"
#include "service/account/UploadManager.h"
#include "tools/fakeservice/AccountRoutes.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QUrl>

#include <fcntl.h>
#include <unistd.h>

// What the upload benchmarks send: a video file, the form that uploads it, and for
// their baselines (curl, a bare network manager) the same request written out
// beforehand: the service's multipart body around the video, and its headers.

// A video of size bytes (a repeating pattern) at path; false when it cannot be written.
inline bool writeVideoFile(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char(i * 131 % 251);
    for (qint64 written = 0; written < size;) {
        const qint64 n = qMin<qint64>(block.size(), size - written);
        if (file.write(block.constData(), n) != n)
            return false;
        written += n;
    }
    return true;
}

inline QMap<QString, QString> uploadForm(const QString& video)
{
    return {{UPLOAD_LOCATION, video},
            {UPLOAD_TITLE, QStringLiteral("Revontulet")},
            {UPLOAD_DESCRIPTION, QStringLiteral("Aikavälikuvaus tammikuun yöltä.")},
            {UPLOAD_CATEGORY, QStringLiteral("Travel")},
            {UPLOAD_KEYWORDS, QStringLiteral("lappi, yö")}};
}

struct UploadBody
{
    QString path;                                   // "" when it could not be written
    QList<QPair<QByteArray, QByteArray>> headers;   // as the service sends them, signed in
};

// The body the service sends for the form, written to path.
inline UploadBody writeUploadBody(const QMap<QString, QString>& form, const QString& path)
{
    const QByteArray boundary = QByteArrayLiteral("bench-boundary-5c1d");
    UploadBody body;
    QFile out(path);
    QFile video(form.value(UPLOAD_LOCATION));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || !video.open(QIODevice::ReadOnly))
        return body;
    out.write(UploadManager::bodyHead(form, boundary));
    while (!video.atEnd())
        out.write(video.read(1024 * 1024));
    out.write(UploadManager::bodyTail(boundary));
    if (!out.flush() || out.error() != QFile::NoError)
        return body;
    body.path = path;
    body.headers = {
        {HEADER_CONTENT_TYPE, CONTENT_TYPE_MULTIPART_RELATED + '"' + boundary + '"'},
        {HEADER_AUTHORIZATION, HEADER_AUTHORIZATION_PREFIX + FakeAccount::TOKEN.toLatin1()},
        {HEADER_DEVELOPER_KEY, HEADER_DEVELOPER_KEY_PREFIX + SERVICE_DEVELOPER_KEY},
        {HEADER_GDATA_VERSION, HEADER_GDATA_VERSION_VALUE},
        {HEADER_SLUG, QUrl::toPercentEncoding(QFileInfo(video).fileName())}};
    return body;
}

// Has the file's pages dropped from the cache: the next read comes from the disk.
inline bool dropCachedPages(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool dropped = ::fdatasync(fd) == 0 && ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    ::close(fd);
    return dropped;
}

#endif
