#ifndef KRELVOX_MESSAGESWEEPLIST_H
#define KRELVOX_MESSAGESWEEPLIST_H

#include "widgets/UniformSweepList.h"

// The kinetic list of inbox messages: a double tap anywhere on a message row asks
// for that message (messageClicked). The selection stays.
class MessageSweepList : public UniformSweepList
{
    Q_OBJECT
public:
    explicit MessageSweepList(QWidget* parent);
    ~MessageSweepList() override;

Q_SIGNALS:
    void messageClicked(const QModelIndex& index);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

#endif
