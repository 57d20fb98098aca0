#include "tests/app/AppPlaybackWorld.h"

#include "player/FullScreenView.h"
#include "player/NormalScreenView.h"
#include "player/PlayerConstants.h"
#include "player/VideoCommentsWidget.h"
#include "player/VideoWidget.h"
#include "social/WriteCommentPage.h"

#include "core/CommentListModel.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>

#include <cstdlib>
#include <unistd.h>

// On a real X server (Xvfb): the player draws the video into the video widget of the
// information view and of the full-screen view. The test starts itself again under
// xvfb-run when it was not started on an X display.
class TestPlaybackScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pictureIsInsideTheViews();
    void videoAreaIsBlackUntilThePictureComes_data();
    void videoAreaIsBlackUntilThePictureComes();
    void pausedPictureIsNeverOutOfPlace_data();
    void pausedPictureIsNeverOutOfPlace();

private:
    // How many of the colour bars show in the grabbed window where the video widget's
    // picture is.
    static int barsSeen(const QImage& shot, QWidget* window, VideoWidget& video, const SampleVideoFormat& format);
};

namespace {

constexpr auto UNDER_XVFB = "KRELVOX_TEST_UNDER_XVFB";
constexpr int COLOR_TOLERANCE = 40;

bool near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) <= COLOR_TOLERANCE && qAbs(a.green() - b.green()) <= COLOR_TOLERANCE
        && qAbs(a.blue() - b.blue()) <= COLOR_TOLERANCE;
}

// Whether the video widget's whole area is black in the grabbed window.
bool blackArea(const QImage& shot, QWidget* window, VideoWidget& video)
{
    const QRect area(video.mapTo(window, QPoint(0, 0)), video.size());
    for (int i = 1; i < 8; ++i) {
        for (int j = 1; j < 8; ++j) {
            const QPoint point(area.left() + area.width() * i / 8, area.top() + area.height() * j / 8);
            if (!near(shot.pixelColor(point), Qt::black))
                return false;
        }
    }
    return true;
}

const QString VIDEO_FILE_PATH = QStringLiteral("/www/get_video");

// The view's controls hide on a coarse timer, which may go off up to 5 % late. A
// precise timer started after it, at its interval and that much more, goes off after
// it: returns once it has.
bool waitPastControlsTime()
{
    QTimer later;
    later.setSingleShot(true);
    later.setTimerType(Qt::PreciseTimer);
    QSignalSpy fired(&later, &QTimer::timeout);
    later.start(CONTROLS_HIDE_MS + CONTROLS_HIDE_MS / 20 + 1);
    return fired.wait(10 * CONTROLS_HIDE_MS);
}

} // namespace

void TestPlaybackScreen::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server (xvfb-run is not installed)");
}

int TestPlaybackScreen::barsSeen(const QImage& shot, QWidget* window, VideoWidget& video,
                                 const SampleVideoFormat& format)
{
    const QRect surface(video.mapTo(window, video.surfaceGeometry().topLeft()), video.surfaceGeometry().size());
    const QList<QColor>& bars = SampleVideo::barColors();
    int seen = 0;
    for (int i = 0; i < bars.size(); ++i) {
        // The middle of bar i, a third of the way down the picture.
        const double x = (i + 0.5) / bars.size();
        const QPoint point(surface.left() + int(x * surface.width()), surface.top() + surface.height() / 3);
        Q_UNUSED(format);
        seen += near(shot.pixelColor(point), bars.at(i));
    }
    return seen;
}

void TestPlaybackScreen::pictureIsInsideTheViews()
{
    SampleVideoFormat format;
    format.seconds = 20.0;
    format.compressionLevel = 6;
    AppPlaybackWorld w(0, format);
    MainWindow& window = w.controller->getMainWindow();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The fake service has comments for this one.
    VideoEntry entry = AppPlaybackWorld::entry(FakeFeeds::VIDEO_ID);
    entry.setLength(20.0f);
    w.controller->showResultVideo(&entry, false);
    QTRY_COMPARE_WITH_TIMEOUT(w.player()->getState(), ePlaying, 10000);
    VideoWidget& video = w.controller->getVideoWidget();
    QVERIFY(video.videoWindow() != 0);
    QVERIFY(w.infoPage()->isAncestorOf(&video));

    // The information view: the bars are in the video widget.
    QImage shot;
    QTRY_VERIFY_WITH_TIMEOUT((shot = window.screen()->grabWindow(window.winId()).toImage(),
                              barsSeen(shot, &window, video, format) == SampleVideo::barColors().size()),
                             10000);
    QVERIFY(shot.save(TestEnvironment::outputFolder() + QStringLiteral("/playback-information-view.png")));

    // The comments panel fills from the service beside the playing video.
    auto* info = static_cast<NormalScreenView*>(w.infoPage());
    QTest::mouseClick(info->getTab(NormalScreenView::eCommentsPane), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(info->getCommentsWidget()->getModel()->rowCount() > 0, 10000);
    QCoreApplication::processEvents();
    window.screen()->grabWindow(window.winId()).save(TestEnvironment::outputFolder()
                                                     + QStringLiteral("/playback-comments.png"));
    QTest::mouseClick(info->getTab(NormalScreenView::eSendPane), Qt::LeftButton);
    QCoreApplication::processEvents();
    window.screen()->grabWindow(window.winId()).save(TestEnvironment::outputFolder()
                                                     + QStringLiteral("/playback-send-link.png"));

    // Full screen: the same picture, larger.
    const QSize small = video.surfaceGeometry().size();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w.infoPage(), Qt::Key_F6);
    QCOMPARE(w.currentPage(), w.fullScreenPage());
    QTRY_VERIFY(video.surfaceGeometry().width() > small.width());
    QTRY_VERIFY_WITH_TIMEOUT((shot = window.screen()->grabWindow(window.winId()).toImage(),
                              barsSeen(shot, &window, video, format) == SampleVideo::barColors().size()),
                             10000);
    QVERIFY(shot.save(TestEnvironment::outputFolder() + QStringLiteral("/playback-full-screen.png")));
}

void TestPlaybackScreen::videoAreaIsBlackUntilThePictureComes_data()
{
    QTest::addColumn<int>("fullScreenSetting");
    QTest::newRow("information view") << 0;
    QTest::newRow("full screen") << 2;
}

// While a video loads, its area is black: neither the page shown before nor the last
// picture of the video before shows through the player's window.
void TestPlaybackScreen::videoAreaIsBlackUntilThePictureComes()
{
    QFETCH(int, fullScreenSetting);
    SampleVideoFormat format;
    format.seconds = 20.0;
    format.compressionLevel = 6;
    AppPlaybackWorld w(fullScreenSetting, format);
    MainWindow& window = w.controller->getMainWindow();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    VideoWidget& video = w.controller->getVideoWidget();
    auto blackArea = [&] {
        return ::blackArea(window.screen()->grabWindow(window.winId()).toImage(), &window, video);
    };

    // A download that stops before the player may start.
    auto stallDownloads = [&] {
        FakeResponse stalled = FakeResponse::document(w.video, "video/x-flv");
        stalled.stallAfter = 1000;
        w.world.fake.addRoute("GET", VIDEO_FILE_PATH, stalled);
    };
    // Shows the first video again, after another one played, and waits until nothing
    // can draw in its area any more: the player of the one before has ended, and this
    // one's download has reached the service, where it stalls.
    QSignalSpy requests(&w.world.fake, &FakeService::requestReceived);
    auto showFirstAgain = [&](VideoEntry& first) {
        requests.clear();
        w.controller->showResultVideo(&first, false);
        return QTest::qWaitFor([&] {
            return ChildProcesses::of(QStringLiteral("mplayer")).isEmpty()
                && std::any_of(requests.cbegin(), requests.cend(),
                               [](const QList<QVariant>& r) { return r.at(0).toString() == VIDEO_FILE_PATH; });
        }, 10000);
    };

    // The first video comes over the home view, once that is on screen.
    QTRY_VERIFY_WITH_TIMEOUT(!near(window.screen()->grabWindow(window.winId()).toImage().pixelColor(
                                       window.width() / 2, window.height() / 2),
                                   Qt::black),
                             10000);
    stallDownloads();
    VideoEntry first = AppPlaybackWorld::entry(QStringLiteral("first"));
    w.controller->showResultVideo(&first, false);
    QVERIFY(w.currentPage()->isAncestorOf(&video));
    QTRY_VERIFY_WITH_TIMEOUT(blackArea(), 10000);

    // The next one comes after a picture.
    servePlayableVideo(w.world.fake, w.video);
    VideoEntry second = AppPlaybackWorld::entry(FakeFeeds::VIDEO_ID);
    w.controller->showResultVideo(&second, false);
    QTRY_COMPARE_WITH_TIMEOUT(w.player()->getState(), ePlaying, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(!blackArea(), 10000);
    stallDownloads();
    QVERIFY(showFirstAgain(first));
    QVERIFY(blackArea());
    if (fullScreenSetting)
        return;

    // The next one comes after a page that covered the playing video: what was typed
    // on it does not show either.
    w.controller->showResultVideo(&second, false);
    QTRY_COMPARE_WITH_TIMEOUT(w.player()->getState(), ePlaying, 10000);
    static_cast<NormalScreenView*>(w.infoPage())->getCommentsWidget()->getWriteButton()->click();
    WriteCommentPage* page = w.controller->getWriteCommentPage();
    QTextEdit* editor = page->getEditor();
    auto editorShot = [&] {
        const QPoint at = editor->mapTo(&window, QPoint(0, 0));
        return window.screen()->grabWindow(window.winId(), at.x(), at.y(), editor->width(), editor->height()).toImage();
    };
    QTRY_VERIFY(editor->isVisible());
    // The keys are typed before anything is painted again: the first change on the
    // screen shows the text.
    const QImage before = editorShot();
    QTest::keyClicks(editor, QStringLiteral("Typed over the whole page. ").repeated(12));
    QTRY_VERIFY_WITH_TIMEOUT(editorShot() != before, 10000);
    QTest::mouseClick(page->getCancelButton(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(barsSeen(window.screen()->grabWindow(window.winId()).toImage(), &window, video, format)
                                 == SampleVideo::barColors().size(),
                             10000);
    QVERIFY(showFirstAgain(first));
    QVERIFY(blackArea());
}

void TestPlaybackScreen::pausedPictureIsNeverOutOfPlace_data()
{
    QTest::addColumn<bool>("paused");
    QTest::addColumn<bool>("toInformationView"); // F6 after the controls' time
    QTest::newRow("playing: the controls go, the picture grows") << false << false;
    QTest::newRow("paused: the controls stay, the picture stays") << true << false;
    QTest::newRow("paused, then the information view: black") << true << true;
}

// A paused player does not draw its picture again: in full screen with the aspect
// ratio kept, its window never changes size under it, and where it must (another
// view) the area is black until the video plays on.
void TestPlaybackScreen::pausedPictureIsNeverOutOfPlace()
{
    QFETCH(bool, paused);
    QFETCH(bool, toInformationView);
    SampleVideoFormat format;
    format.seconds = 20.0;
    format.compressionLevel = 6;
    AppPlaybackWorld w(2, format);
    w.repository().setSetting(SETTING_KEEP_ASPECT_RATIO, 2);
    MainWindow& window = w.controller->getMainWindow();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    VideoWidget& video = w.controller->getVideoWidget();
    auto shot = [&] { return window.screen()->grabWindow(window.winId()).toImage(); };
    const int bars = int(SampleVideo::barColors().size());

    VideoEntry entry = AppPlaybackWorld::entry(QStringLiteral("pause1"));
    w.controller->showResultVideo(&entry, false);
    QTRY_COMPARE_WITH_TIMEOUT(w.player()->getState(), ePlaying, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(barsSeen(shot(), &window, video, format) == bars, 10000);
    auto* view = static_cast<FullScreenView*>(w.fullScreenPage());
    if (paused) {
        // The pause sets the controls' hide timer going again; the check comes after it.
        view->showControls();
        QTest::mouseClick(view->getPlayButton(), Qt::LeftButton);
        QCOMPARE(w.player()->getState(), ePaused);
        QVERIFY(waitPastControlsTime());
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!view->areControlsShown(), CONTROLS_HIDE_MS + 10000);
    }
    if (toInformationView) {
        QTest::keyClick(view, Qt::Key_F6);
        QCOMPARE(w.currentPage(), w.infoPage());
        QTRY_VERIFY_WITH_TIMEOUT(blackArea(shot(), &window, video), 5000);
        QTest::mouseClick(w.controller->getNormalScreenController()->getPage()->getPlayButton(), Qt::LeftButton);
    }
    // The picture fills its window, nothing of the old one or of the controls around it.
    QTRY_VERIFY_WITH_TIMEOUT(barsSeen(shot(), &window, video, format) == bars, 5000);
    if (!toInformationView)
        QCOMPARE(view->areControlsShown(), paused);
}

int main(int argc, char* argv[])
{
    // Without a display of its own the test runs itself again under Xvfb, on xcb.
    if (!qEnvironmentVariableIsSet(UNDER_XVFB)) {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
        if (!xvfb.isEmpty()) {
            qputenv(UNDER_XVFB, "1");
            qputenv("QT_QPA_PLATFORM", "xcb");
            QList<QByteArray> args = {xvfb.toLocal8Bit(), "-a", "-s", "-screen 0 800x480x24"};
            for (int i = 0; i < argc; ++i)
                args.append(argv[i]);
            std::vector<char*> raw;
            for (QByteArray& arg : args)
                raw.push_back(arg.data());
            raw.push_back(nullptr);
            ::execv(raw.front(), raw.data());
        }
    }
    QApplication app(argc, argv);
    TestPlaybackScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_playbackscreen.moc"
