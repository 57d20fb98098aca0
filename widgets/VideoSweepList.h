#ifndef KRELVOX_VIDEOSWEEPLIST_H
#define KRELVOX_VIDEOSWEEPLIST_H

#include "widgets/UniformSweepList.h"

// The kinetic list of video rows (result pages, upload history). A tap that does not
// move the finger on one of the links that the row painter stored in the row's
// VideoEntry reports that link: the author's name, the "Video comments" link or the
// information button. Any other tap, drag or flick is the uniform list's.
class VideoSweepList : public UniformSweepList
{
    Q_OBJECT
public:
    explicit VideoSweepList(QWidget* parent);
    ~VideoSweepList() override;

Q_SIGNALS:
    void authorLinkClicked(const QModelIndex& index);
    void infoButtonClicked(const QModelIndex& index);
    void videoCommentsClicked(const QModelIndex& index);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

#endif
