#ifndef KRELVOX_VIDEOPROGRESSBAR_H
#define KRELVOX_VIDEOPROGRESSBAR_H

#include <QWidget>

// The progress of a video: a track with the downloaded part in grey and the played
// part in the link colour, and the time played and the length as text (or a notice
// in its place). A tap asks to move the video to that point (the controller keeps it
// inside the downloaded part).
class VideoProgressBar : public QWidget
{
    Q_OBJECT
public:
    explicit VideoProgressBar(QWidget* parent = nullptr);
    ~VideoProgressBar() override;

    // Shares of the whole, 0 to 1.
    void setDownloaded(double share);
    double getDownloaded() const { return myDownloaded; }
    void setPosition(double seconds, double length);
    double getPosition() const { return myPosition; }
    double getLength() const { return myLength; }
    // A short notice ("Volume 60%") shown in the place of the time until it is
    // cleared with an empty text: the bar's size and everything around it stay.
    void setNote(const QString& note);
    QString getNote() const { return myNote; }

    QSize sizeHint() const override;

    // "m:ss", or "h:mm:ss" from one hour on.
    static QString formatTime(double seconds);

Q_SIGNALS:
    void downloadedChanged(double share);
    // share: the tapped point as a share of the track.
    void seekRequested(double share);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect trackRect() const;
    QString timeText() const;

    double myDownloaded = 0.0;
    double myPosition = 0.0;
    double myLength = 0.0;
    int myPaintedPlayed = -1;
    QString myPaintedTime;
    QString myNote;
};

#endif
