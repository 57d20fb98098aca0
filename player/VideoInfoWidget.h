#ifndef KRELVOX_VIDEOINFOWIDGET_H
#define KRELVOX_VIDEOINFOWIDGET_H

#include <QWidget>

class QLabel;
class QPushButton;
class RatingWidget;
class VideoEntry;

// What is known of the video: title, author, length, views, upload date, its
// rating with the stars to rate it, and the start of its description; under it the
// buttons to the videos related to it, to its video responses and to the whole
// description.
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
    QPushButton* getRelatedButton() const { return myRelatedButton; }
    QPushButton* getResponsesButton() const { return myResponsesButton; }

Q_SIGNALS:
    void descriptionRequested();
    void relatedVideosRequested();
    void videoResponsesRequested();

private:
    QLabel* myTitle;
    QLabel* myDetails;
    RatingWidget* myRating;
    QLabel* myRatingNote;
    QLabel* myDescription;
    QPushButton* myRelatedButton;
    QPushButton* myResponsesButton;
    QPushButton* myMoreButton;
};

#endif
