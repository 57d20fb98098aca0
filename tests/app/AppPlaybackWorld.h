#ifndef KRELVOX_APPPLAYBACKWORLD_H
#define KRELVOX_APPPLAYBACKWORLD_H

// The whole program with the fake service serving the sample video and the real
// mplayer: for the tests of playing videos from the result list and the playlists.

#include "app/MainController.h"
#include "core/FileManager.h"
#include "core/Types.h"
#include "core/constants/Paths.h"
#include "core/constants/Settings.h"
#include "player/MediaPlayer.h"
#include "player/MovieController.h"
#include "player/MplayerMediaPlayer.h"
#include "player/NormalScreenController.h"
#include "player/VideoViewBase.h"
#include "tests/support/ProgramRig.h"
#include "tools/samplevideo/SampleVideo.h"

#include <memory>

struct AppPlaybackWorld
{
    TestWorld world{TestWorld::FakeServer};
    ProgramRig rig;
    std::unique_ptr<MainController> controller;
    QByteArray video;

    // fullScreenSetting: SETTING_ACTIVATE_IN_FULLSCREEN (0 information view, 2 full screen).
    explicit AppPlaybackWorld(int fullScreenSetting, const SampleVideoFormat& format = SampleVideoFormat())
    {
        video = SampleVideo::make(format);
        servePlayableVideo(world.fake, video);

        MainControllerOptions options = rig.options(world.fake.baseUrl());
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
    // A local playlist of stored copies of the video, in the order given; its id.
    int addPlayList(const QStringList& videoIds, const QByteArray& data)
    {
        const int playListId = ::addPlayList(repository(), eLocalService, ePlayListLocal, QStringLiteral("Trip"));
        for (const QString& videoId : videoIds) {
            VideoEntry e = entry(videoId);
            repository().addVideoToPlayList(&e, playListId);
            writeFile(repository().getFileManager()->getFavoriteVideoFolder() + videoId + VIDEO_FILE_SUFFIX, data);
        }
        return playListId;
    }
};

#endif
