#ifndef KRELVOX_APPPLAYBACKWORLD_H
#define KRELVOX_APPPLAYBACKWORLD_H

// The whole program with the fake service serving the sample video and the real
// mplayer: for the tests of playing videos from the result list and the playlists.

#include "app/MainController.h"
#include "core/FileManager.h"
#include "core/PlayList.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"
#include "player/MediaPlayer.h"
#include "player/MovieController.h"
#include "player/MplayerMediaPlayer.h"
#include "player/NormalScreenController.h"
#include "player/VideoViewBase.h"
#include "service/YoutubeVideoService.h"
#include "shell/InputMethodSettings.h"
#include "tests/app/ScriptedPrompt.h"
#include "tests/support/TestEnvironment.h"
#include "tools/fakeservice/FakeService.h"
#include "tools/samplevideo/SampleVideo.h"

#include <QFile>
#include <QTest>

#include <memory>

class NoInputMethod : public InputMethodSettings
{
public:
    bool getBool(const QString&, bool&) override { return false; }
    bool setBool(const QString&, bool) override { return false; }
};

struct AppPlaybackWorld
{
    std::unique_ptr<TestEnvironment> environment = std::make_unique<TestEnvironment>();
    FakeService fake;
    ScriptedPrompt prompt;
    NoInputMethod inputMethod;
    std::unique_ptr<MainController> controller;
    QByteArray video;

    // fullScreenSetting: SETTING_ACTIVATE_IN_FULLSCREEN (0 information view, 2 full screen).
    explicit AppPlaybackWorld(int fullScreenSetting, const SampleVideoFormat& format = SampleVideoFormat())
    {
        if (!fake.start())
            qFatal("the fake service cannot listen");
        addFeedRoutes(fake);
        video = SampleVideo::make(format);
        servePlayableVideo(fake, video);

        MainControllerOptions options;
        options.fullScreen = false;
        options.prompt = &prompt;
        options.inputMethod = &inputMethod;
        const QString base = fake.baseUrl();
        options.createService = [base](Repository& repository, QObject* parent) -> VideoServiceProvider* {
            return new YoutubeVideoService(repository, ServiceEndpoints(base), parent);
        };
        options.createPlayer = [](QObject* parent) -> MediaPlayer* {
            MplayerOptions player;
            player.pollIntervalMs = 50;
            return new MplayerMediaPlayer(player, parent);
        };
        controller = std::make_unique<MainController>(options);
        if (controller->startupFailed())
            qFatal("the program did not start");
        repository().setSetting(SETTING_ACTIVATE_IN_FULLSCREEN, fullScreenSetting);
        repository().setSetting(SETTING_START_PLAYING, 0);
    }

    Repository& repository() { return controller->getRepository(); }
    MediaPlayer* player() { return controller->getPlayer(); }
    PageBase* currentPage() { return controller->getMainWindow().currentPage(); }
    PageBase* infoPage() { return controller->getNormalScreenController()->getPage(); }
    PageBase* fullScreenPage() { return controller->getMovieController()->getPage(); }

    static VideoEntry entry(const QString& videoId)
    {
        VideoEntry e;
        e.setVideoId(videoId);
        e.setName(QStringLiteral("Video ") + videoId);
        e.setLength(3.0f);
        return e;
    }
    // A local playlist of stored copies of the video; their favourite ids in the
    // playlist's order.
    int addPlayList(const QStringList& videoIds, const QByteArray& data)
    {
        PlayList playList(0, eLocalService, ePlayListLocal, QStringLiteral("Trip"));
        repository().addPlayList(&playList);
        for (const QString& videoId : videoIds) {
            VideoEntry e = entry(videoId);
            repository().addVideoToPlayList(&e, playList.getId());
            QFile file(repository().getFileManager()->getFavoriteVideoFolder() + videoId + VIDEO_FILE_SUFFIX);
            file.open(QIODevice::WriteOnly);
            file.write(data);
        }
        return playList.getId();
    }
};

#endif
