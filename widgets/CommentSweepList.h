#ifndef KRELVOX_COMMENTSWEEPLIST_H
#define KRELVOX_COMMENTSWEEPLIST_H

#include "widgets/VariableSweepList.h"

// The list of a video's comments. A double tap on a row's author name (the rectangle
// the comment painter stored in the entry) reports the author link, a double tap
// elsewhere on the row reports the row; either way the selection is cleared.
class CommentSweepList : public VariableSweepList
{
    Q_OBJECT
public:
    explicit CommentSweepList(QWidget* parent);
    ~CommentSweepList() override;

Q_SIGNALS:
    void authorLinkClicked(const QModelIndex& index);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

#endif
