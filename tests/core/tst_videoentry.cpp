// Value entities: copies of a video get their own mutex and a copy of every field;
// the thumbnail is attached under the entry's lock.
#include "tests/support/TestEnvironment.h"

#include "core/SharedImages.h"
#include "core/VideoEntry.h"

#include <QMutexLocker>
#include <QtTest>

class TestVideoEntry : public QObject
{
    Q_OBJECT

private:
    static VideoEntry filled()
    {
        VideoEntry entry;
        entry.setVideoId(QStringLiteral("vid"));
        entry.setName(QStringLiteral("name"));
        entry.setDescription(QStringLiteral("desc"));
        entry.setAuthor(QStringLiteral("author"));
        entry.setLength(12.5f);
        entry.setRating(QStringLiteral("3.5"));
        entry.setViewCount(QStringLiteral("100"));
        entry.setVideoFile(QStringLiteral("/x/vid.flv"));
        entry.setVideoFileSize(2048);
        entry.setFavoriteId(9);
        entry.setSortId(4);
        entry.setDownloadState(1);
        entry.setVideoLink(1);
        entry.setLinkFavorite(true);
        entry.setThumbnailRect(QRectF(1, 2, 3, 4));
        entry.setAuthorRect(QRectF(5, 6, 7, 8));
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::green);
        entry.setThumbnail(picture);
        return entry;
    }

    static void compareFields(const VideoEntry& a, const VideoEntry& b)
    {
        QCOMPARE(a.getVideoId(), b.getVideoId());
        QCOMPARE(a.getName(), b.getName());
        QCOMPARE(a.getDescription(), b.getDescription());
        QCOMPARE(a.getAuthor(), b.getAuthor());
        QCOMPARE(a.getLength(), b.getLength());
        QCOMPARE(a.getRating(), b.getRating());
        QCOMPARE(a.getViewCount(), b.getViewCount());
        QCOMPARE(a.getVideoFile(), b.getVideoFile());
        QCOMPARE(a.getVideoFileSize(), b.getVideoFileSize());
        QCOMPARE(a.getFavoriteId(), b.getFavoriteId());
        QCOMPARE(a.getSortId(), b.getSortId());
        QCOMPARE(a.getDownloadState(), b.getDownloadState());
        QCOMPARE(a.getVideoLink(), b.getVideoLink());
        QCOMPARE(a.isLinkFavorite(), b.isLinkFavorite());
        QCOMPARE(a.getThumbnailRect(), b.getThumbnailRect());
        QCOMPARE(a.getAuthorRect(), b.getAuthorRect());
        QCOMPARE(a.getThumbnail(), b.getThumbnail());
    }

private Q_SLOTS:
    void copyHasItsOwnMutex()
    {
        VideoEntry original = filled();
        VideoEntry copy(original);
        QVERIFY(copy.getMutex() != original.getMutex());
        compareFields(copy, original);

        // The original's lock held elsewhere does not block the copy.
        QMutexLocker held(original.getMutex());
        QVERIFY(copy.getMutex()->tryLock());
        copy.getMutex()->unlock();
    }

    void assignmentKeepsTheTargetsMutex()
    {
        VideoEntry original = filled();
        VideoEntry target;
        QMutex* own = target.getMutex();
        target = original;
        QCOMPARE(target.getMutex(), own);
        compareFields(target, original);
        target = target;
        QCOMPARE(target.getName(), QStringLiteral("name"));
    }

    void copiesAreIndependent()
    {
        VideoEntry original = filled();
        VideoEntry copy(original);
        copy.setName(QStringLiteral("changed"));
        QImage other(2, 2, QImage::Format_RGB32);
        other.fill(Qt::black);
        copy.setThumbnail(other);
        QCOMPARE(original.getName(), QStringLiteral("name"));
        QCOMPARE(original.getThumbnail().size(), QSize(8, 6));
    }

    void thumbnailFromFile()
    {
        TestEnvironment env;
        VideoEntry entry;
        QVERIFY(entry.getThumbnail().isNull());
        QVERIFY(!entry.loadThumbnail(env.root() + "/missing.jpg"));
        QVERIFY(entry.getThumbnail().isNull());
        QImage picture(128, 96, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QString file = env.root() + "/t.png";
        QVERIFY(picture.save(file));
        QVERIFY(entry.loadThumbnail(file));
        QCOMPARE(entry.getThumbnail().size(), QSize(128, 96));
        QCOMPARE(entry.getThumbnailFile(), file);
        // The lock is free again afterwards.
        QVERIFY(entry.getMutex()->tryLock());
        entry.getMutex()->unlock();
    }

    void stateImagesFollowTheFlags()
    {
        VideoEntry entry;
        const QImage* empty = &getStateImage(eStateEmpty);
        QCOMPARE(&entry.getLinkStateImage(), empty);
        QCOMPARE(&entry.getMemoryStateImage(), empty);
        QCOMPARE(&entry.getHistoryStateImage(), empty);
        entry.setLinkFavorite(true);
        entry.setStoredFavorite(true);
        entry.setInHistory(true);
        QCOMPARE(&entry.getLinkStateImage(), &getStateImage(eStateLink));
        QCOMPARE(&entry.getMemoryStateImage(), &getStateImage(eStateMemory));
        QCOMPARE(&entry.getHistoryStateImage(), &getStateImage(eStateHistory));
        QCOMPARE(entry.getLinkStateImage().size(), QSize(35, 35));
    }
};

QTEST_MAIN(TestVideoEntry)
#include "tst_videoentry.moc"
