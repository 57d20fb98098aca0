#ifndef KRELVOX_VIDEOVIEWBASE_H
#define KRELVOX_VIDEOVIEWBASE_H

#include "core/VideoEntry.h"
#include "shell/PageBase.h"

#include <QTimer>

class PageHistory;
class QLabel;
class QPushButton;
class VideoProgressBar;
class VideoWidget;

// What the full-screen and the information view share: the place of the video
// widget, the progress bar, the play, previous, next and view buttons, a status
// line, and the hardware keys. It only reports what the user asks for; the movie
// controller decides.
//
// Keys: F6 the other view, F7/F8 volume up/down, Return play or pause (or the
// focused button), Left/Right back or forward in the video, Escape back.
class VideoViewBase : public PageBase
{
    Q_OBJECT
public:
    VideoViewBase(int pageId, PageHistory& history, QWidget* parent);
    ~VideoViewBase() override;

    int getPageId() const { return myPageId; }
    // Moves the one video widget into this view.
    void takeVideoWidget(VideoWidget* widget);
    VideoWidget* getVideoWidget() const { return myVideoWidget; }
    VideoProgressBar* getProgressBar() const;

    // The video shown (for the title and the page history); playListId -1: none.
    virtual void setVideo(const VideoEntry& video, int playListId);
    const VideoEntry& getVideo() const { return myVideo; }
    virtual void setPlaying(bool playing);
    // The play button shows "playing" (its pause icon).
    bool isPlaying() const { return myPlaying; }
    void setStepButtons(bool previous, bool next);
    // A line about the video ("Buffering...", an error); empty hides it.
    virtual void setStatusText(const QString& text);
    QString getStatusText() const;
    void showVolume(int percent);

    void addToPageHistory() override;
    void setPageFocus() override;

    QPushButton* getPlayButton() const;
    QPushButton* getPreviousButton() const;
    QPushButton* getNextButton() const;
    QPushButton* getViewButton() const;

Q_SIGNALS:
    void playPauseRequested();
    void previousRequested();
    void nextRequested();
    // share: a point of the whole video, 0 to 1.
    void seekRequested(double share);
    // direction: -1 back, 1 forward.
    void seekStepRequested(int direction);
    void volumeStepRequested(int direction);
    // F6 or the view button: the video moves to the other view.
    void viewChangeRequested();
    // Escape.
    void escapePressed();
    // The view was left for another page.
    void viewLeft();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Called on a key or touch: the full-screen view shows its controls.
    virtual void userActivity() {}
    // A tap on the picture.
    virtual void videoTapped() = 0;
    void buildPage() override;

    // The parts the views lay out; built by VideoViewBase::buildPage(), which a
    // view's own buildPage() calls first.
    QWidget* videoArea() const { return myVideoArea; }
    QWidget* controls() const { return myControls; }
    QLabel* statusLabel() const { return myStatusLabel; }
    PageHistory& getHistory() const { return myHistory; }

private:
    QPushButton* makeButton(const QString& icon);

    int myPageId;
    PageHistory& myHistory;
    VideoEntry myVideo;
    int myPlayListId = -1;
    bool myHasVideo = false;

    QWidget* myVideoArea = nullptr;
    VideoWidget* myVideoWidget = nullptr;
    VideoProgressBar* myProgressBar = nullptr;
    QWidget* myControls = nullptr;
    QPushButton* myPreviousButton = nullptr;
    QPushButton* myPlayButton = nullptr;
    QPushButton* myNextButton = nullptr;
    QPushButton* myViewButton = nullptr;
    QLabel* myStatusLabel = nullptr;
    QTimer myVolumeTimer;
    bool myPlaying = false;
};

#endif
