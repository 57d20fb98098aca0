#ifndef KRELVOX_VIDEOINFOWIDGET_H
#define KRELVOX_VIDEOINFOWIDGET_H

#include <QWidget>

class QLabel;
class QPushButton;
class RatingWidget;
class VideoEntry;

// What is known of the video: title, author, length, views, upload date, its
// rating with the stars to rate it, and the start of its description with a button
// to the whole of it.
class VideoInfoWidget : public QWidget
{
    Q_OBJECT
public:
    explicit VideoInfoWidget(QWidget* parent = nullptr);
    ~VideoInfoWidget() override;

    void setVideo(const VideoEntry& video);
    RatingWidget* getRatingWidget() const { return myRating; }
    // The outcome of the user's rating.
    void setRatingNote(const QString& text);
    QString getRatingNote() const;
    QString getText() const;

Q_SIGNALS:
    void descriptionRequested();

private:
    QLabel* myTitle;
    QLabel* myDetails;
    RatingWidget* myRating;
    QLabel* myRatingNote;
    QLabel* myDescription;
    QPushButton* myMoreButton;
};

#endif
