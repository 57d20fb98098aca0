#ifndef KRELVOX_UPLOADBENCH_H
#define KRELVOX_UPLOADBENCH_H

#include "bench/BenchSupport.h"
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

#include <cstdio>
#include <functional>

#include <fcntl.h>
#include <unistd.h>

// What the upload benchmarks send: a video file, the form that uploads it, and for
// their baselines (curl, a bare network manager) the same request written out
// beforehand: the service's multipart body around the video, and its headers. And
// how they time and report an upload against its baseline.

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

// An upload's figures at one size, timed in pairs with its baseline.
struct UploadFigures
{
    PairedFigures time;    // ms
    PairedFigures rate;    // MB/s
    QList<double> peak;    // kB the process's peak grew by during each of ours
};

// Runs pairs of ours and the baseline, alternating which goes first. Each does one
// upload of megabytes, checks it and returns its nanoseconds, -1 when it failed; ours
// has the kernel's peak of this process reset before it, its growth read after.
// False when an upload failed.
inline bool timeUploads(int pairs, int megabytes, const std::function<qint64()>& ours,
                        const std::function<qint64()>& baseline, UploadFigures& figures)
{
    for (int pair = 0; pair < pairs; ++pair) {
        qint64 oursNs = -1;
        qint64 baselineNs = -1;
        for (int turn = 0; turn < 2; ++turn) {
            const bool oursNow = (turn == 0) == (pair % 2 == 0);
            if (oursNow && !resetPeakMemory())
                return false;
            const qint64 rssBefore = processStatusKb("VmRSS:");
            const qint64 elapsed = oursNow ? ours() : baseline();
            if (elapsed <= 0)
                return false;
            if (oursNow)
                figures.peak << double(processStatusKb("VmHWM:") - rssBefore);
            (oursNow ? oursNs : baselineNs) = elapsed;
        }
        figures.time.add(double(oursNs) / 1e6, double(baselineNs) / 1e6);
        figures.rate.add(double(megabytes) / (double(oursNs) / 1e9), double(megabytes) / (double(baselineNs) / 1e9));
    }
    return true;
}

// Prints the figures and the goals (a median rate of at least goalRate MB/s, each
// upload's peak growth under goalPeakKb), met or missed; true when both were met.
inline bool printUploadFigures(int megabytes, const UploadFigures& figures, double goalRate, qint64 goalPeakKb)
{
    figures.time.print(qPrintable(QStringLiteral("time, %1 MB").arg(megabytes)), "ms");
    figures.rate.print(qPrintable(QStringLiteral("rate, %1 MB").arg(megabytes)), "MB/s");
    const Spread grown = spreadOf(figures.peak);
    std::printf("%-34s ours %9.1f / %9.1f / %9.1f kB (min / median / max)\n",
                qPrintable(QStringLiteral("peak memory growth, %1 MB").arg(megabytes)), grown.min, grown.median,
                grown.max);
    const double rate = figures.rate.oursSpread().median;
    const bool fast = rate >= goalRate;
    const bool lean = grown.max < double(goalPeakKb);
    std::printf("goals: rate %.1f MB/s (median) against at least %.0f MB/s: %s; peak memory growth %.0f kB (max)"
                " against under %lld kB: %s\n",
                rate, goalRate, fast ? "met" : "MISSED", grown.max, goalPeakKb, lean ? "met" : "MISSED");
    std::fflush(stdout);
    return fast && lean;
}

#endif
