// Value entities: copies of a video get their own mutex and a copy of every field;
// the thumbnail is attached under the entry's lock.
#include "tests/support/TestSupport.h"

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

    // A deferred picture is read from its file at the first use, once: what the file
    // holds then is what is shown, in the entry and in copies made before.
    void deferredThumbnailIsReadAtFirstUse()
    {
        TestEnvironment env;
        const QString file = env.root() + "/later.png";
        VideoEntry entry;
        QImage old(3, 3, QImage::Format_RGB32);
        old.fill(Qt::black);
        entry.setThumbnail(old);
        entry.deferThumbnail(file);
        QCOMPARE(entry.getThumbnailFile(), file);
        VideoEntry copy(entry);

        QImage picture(128, 96, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(file));
        QCOMPARE(entry.getThumbnail().size(), QSize(128, 96));
        QCOMPARE(entry.getThumbnail().pixelColor(0, 0), QColor(Qt::red));
        QVERIFY(QFile::remove(file));
        QCOMPARE(entry.getThumbnail().size(), QSize(128, 96));
        QVERIFY(entry.getMutex()->tryLock());
        entry.getMutex()->unlock();
        // The copy had not used its picture before the file went away.
        QVERIFY(copy.getThumbnail().isNull());
        QCOMPARE(copy.getThumbnailFile(), file);
    }

    void deferredThumbnailGivesWayToAnImageSetLater()
    {
        TestEnvironment env;
        QImage onDisk(128, 96, QImage::Format_RGB32);
        onDisk.fill(Qt::red);
        const QString file = env.root() + "/t.png";
        QVERIFY(onDisk.save(file));

        VideoEntry attached;
        attached.deferThumbnail(file);
        QImage fetched(4, 4, QImage::Format_RGB32);
        fetched.fill(Qt::blue);
        attached.setThumbnail(fetched);
        QCOMPARE(attached.getThumbnail().size(), QSize(4, 4));

        VideoEntry unreadable;
        unreadable.deferThumbnail(env.root() + "/missing.png");
        QVERIFY(unreadable.getThumbnail().isNull());
        QCOMPARE(unreadable.getThumbnailFile(), env.root() + "/missing.png");

        VideoEntry none;
        none.setThumbnail(fetched);
        none.deferThumbnail(QString());
        QVERIFY(none.getThumbnail().isNull());
        QVERIFY(none.getThumbnailFile().isEmpty());
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
