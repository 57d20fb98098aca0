#ifndef KRELVOX_FULLSCREENVIEW_H
#define KRELVOX_FULLSCREENVIEW_H

#include "player/VideoViewBase.h"

// The video over the whole screen. A tap or a key brings up a bar with the
// progress and the buttons, which hides again after a few seconds of playing unless
// there is something to read on it. While the video does not play the bar stays:
// the player does not draw a paused picture again, so the picture's area keeps its
// size. Up and Down step to the previous and next video.
class FullScreenView : public VideoViewBase
{
    Q_OBJECT
public:
    FullScreenView(PageHistory& history, QWidget* parent);
    ~FullScreenView() override;

    void setStatusText(const QString& text) override;
    void setPlaying(bool playing) override;
    bool areControlsShown() const;

public Q_SLOTS:
    void showControls();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void userActivity() override { showControls(); }
    void videoTapped() override;
    void buildPage() override;

private:
    void hideControls();

    QWidget* myBar = nullptr;
    QTimer myHideTimer;
};

#endif
