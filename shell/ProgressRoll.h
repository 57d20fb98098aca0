#ifndef KRELVOX_PROGRESSROLL_H
#define KRELVOX_PROGRESSROLL_H

#include "core/Clock.h"

#include <QWidget>

// Busy indicator: a ring of dots with one bright dot that moves on by one place on
// every tick of a 100 ms repaint timer while the roll runs.
class ProgressRoll : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressRoll(QWidget* parent = nullptr);
    ~ProgressRoll() override;

    bool isRunning() const { return myTimer.isActive(); }
    int getStep() const { return myStep; }
    QSize sizeHint() const override;

public Q_SLOTS:
    void start();
    void stop();

protected:
    void paintEvent(QPaintEvent* event) override;

private Q_SLOTS:
    void advance();

private:
    ClockTimer myTimer;
    int myStep = 0;
};

#endif
