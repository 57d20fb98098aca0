#ifndef KRELVOX_RATINGWIDGET_H
#define KRELVOX_RATINGWIDGET_H

#include <QWidget>

// Five stars: filled as far as the video's average rating, or, once the user has
// rated, as far as the user's own rating. A tap on a star asks to rate the video
// with that many stars.
class RatingWidget : public QWidget
{
    Q_OBJECT
public:
    explicit RatingWidget(QWidget* parent = nullptr);
    ~RatingWidget() override;

    // 0 to 5; resets the user's own rating.
    void setAverage(double rating);
    double getAverage() const { return myAverage; }
    // 1 to 5, 0: none yet.
    void setUserRating(int stars);
    int getUserRating() const { return myUserRating; }
    // The star under the point, 1 to 5; 0 outside the stars.
    int starAt(const QPoint& point) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void ratingRequested(int stars);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    double myAverage = 0.0;
    int myUserRating = 0;
};

#endif
