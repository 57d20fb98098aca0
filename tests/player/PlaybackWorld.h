#ifndef KRELVOX_PLAYBACKWORLD_H
#define KRELVOX_PLAYBACKWORLD_H

// The two movie controllers on the real service, pointed at the fake service, with
// the real mplayer: a private test world, the sample video served (slowly, when
// asked), the video widget and the pages in one stacked window.

#include "core/FileManager.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"
#include "player/MovieController.h"
#include "player/MplayerMediaPlayer.h"
#include "player/NormalScreenController.h"
#include "player/VideoViewBase.h"
#include "player/VideoWidget.h"
#include "shell/DBusService.h"
#include "shell/PageHistory.h"
#include "tests/support/TestSupport.h"
#include "tools/samplevideo/SampleVideo.h"

#include <QStackedWidget>

#include <functional>
#include <memory>

struct PlaybackWorld
{
    TestWorld world{TestWorld::Service};
    PageHistory& history = world.history;
    QStackedWidget window;
    QWidget otherPage;
    VideoWidget videoWidget;
    DBusService dbus;
    std::unique_ptr<MplayerMediaPlayer> player;
    NormalScreenController* normal = nullptr;
    MovieController* movie = nullptr;
    QByteArray video;

    explicit PlaybackWorld(const MplayerOptions& options = fastOptions())
        : player(std::make_unique<MplayerMediaPlayer>(options))
    {
        normal = new NormalScreenController(world.service.get(), *world.repository, history, player.get(),
                                            &videoWidget, &dbus, &window);
        movie = new MovieController(world.service.get(), *world.repository, history, player.get(), &videoWidget,
                                    &dbus, &window);
        window.addWidget(&otherPage);
        window.addWidget(normal->getPage());
        window.addWidget(movie->getPage());
        window.resize(800, 480);
        setStartPlaying(0);
    }
    ~PlaybackWorld()
    {
        videoWidget.setParent(nullptr);
        delete normal;
        delete movie;
        window.removeWidget(&otherPage);
        otherPage.setParent(nullptr);
    }

    static MplayerOptions fastOptions()
    {
        MplayerOptions options;
        options.pollIntervalMs = 50;
        return options;
    }
    // 160 x 120 stored frames: about 576 kB for each second of video.
    static QByteArray makeVideo(double seconds)
    {
        SampleVideoFormat format;
        format.width = 160;
        format.height = 120;
        format.seconds = seconds;
        return SampleVideo::make(format);
    }

    void setStartPlaying(int bytes) { world.repository->setSetting(SETTING_START_PLAYING, bytes); }
    // The sample video for every video id, sent at the rate (0: at once).
    void serve(double seconds, qint64 bytesPerSecond = 0, int chunkSize = 64 * 1024)
    {
        video = makeVideo(seconds);
        servePlayableVideo(world.fake, video, bytesPerSecond, chunkSize);
    }
    // The video for every video id, each answer shaped by the caller (its rate, where
    // it stalls or breaks off); answer counts the answers from 0.
    void serveShaped(const QByteArray& data, const std::function<void(FakeResponse&, int answer)>& shape)
    {
        video = data;
        auto answers = std::make_shared<int>(0);
        world.fake.addRoute("GET", QStringLiteral("/www/get_video"), [data, shape, answers](const FakeRequest&) {
            FakeResponse response = FakeResponse::document(data, "video/x-flv");
            shape(response, (*answers)++);
            return response;
        });
    }
    // The file of a stored favourite (the favourites folder).
    void storeVideo(const QString& videoId, const QByteArray& data)
    {
        writeFile(world.repository->getFileManager()->getFavoriteVideoFolder() + videoId + VIDEO_FILE_SUFFIX, data);
    }
    QString downloadFile(const QString& videoId) const
    {
        return world.repository->getFileManager()->getVideoFolder() + videoId + VIDEO_FILE_SUFFIX;
    }
    static VideoEntry entry(const QString& videoId, float length = 3.0f)
    {
        VideoEntry e;
        e.setVideoId(videoId);
        e.setName(QStringLiteral("Video ") + videoId);
        e.setAuthor(QStringLiteral("author"));
        e.setLength(length);
        e.setWatchUrl(QStringLiteral("http://www.youtube.com/watch?v=") + videoId);
        return e;
    }
    void show(MovieController* controller)
    {
        window.setCurrentWidget(controller->getPage());
        window.show();
    }
    void leave() { window.setCurrentWidget(&otherPage); }
};

#endif
