#ifndef KRELVOX_VIDEOWIDGET_H
#define KRELVOX_VIDEOWIDGET_H

#include <QSize>
#include <QWidget>

// Where a video's picture is shown: a black area with a native window inside that
// the external player draws into. With the aspect ratio kept that window is the
// largest rectangle of the picture's shape centred in the area, else the whole
// area. One widget serves both video views (it moves between them) and keeps its
// native window all the while, so the player never has to be told of another one.
class VideoWidget : public QWidget
{
    Q_OBJECT
public:
    explicit VideoWidget(QWidget* parent = nullptr);
    ~VideoWidget() override;

    // The native window for the player; 0 where the platform has no windows of its
    // own (offscreen), so that the player draws nothing.
    WId videoWindow();
    // The picture's size (invalid while unknown: the window fills the area).
    void setVideoSize(const QSize& size);
    QSize getVideoSize() const { return myVideoSize; }
    void setKeepAspectRatio(bool keep);
    bool getKeepAspectRatio() const { return myKeepAspect; }
    // Where the player's window lies inside the widget.
    QRect surfaceGeometry() const;
    // The player's window is shown only while a player draws into it: such a window
    // keeps whatever the screen held before (the page left, the last picture of the
    // video before), so until the player runs the widget's own black shows.
    void setSurfaceShown(bool shown);

Q_SIGNALS:
    // A tap on the picture.
    void clicked();
    // The player's window got another place or size. A player that is not running
    // does not draw the picture again for it.
    void surfaceMoved();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutSurface();

    QWidget* mySurface;
    QSize myVideoSize;
    bool myKeepAspect = true;
};

#endif
