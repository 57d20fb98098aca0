#ifndef KRELVOX_BACKBUTTON_H
#define KRELVOX_BACKBUTTON_H

#include "core/Clock.h"

#include <QPushButton>

// The back-navigation button of the page header. A click or Return/Enter emits
// backButtonClicked(false); holding the button down for 1500 ms emits
// backButtonClicked(true) at once, and the release that follows emits nothing.
class BackButton : public QPushButton
{
    Q_OBJECT
public:
    explicit BackButton(QWidget* parent = nullptr);
    ~BackButton() override;

Q_SIGNALS:
    void backButtonClicked(bool longClick);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private Q_SLOTS:
    void buttonPressed();
    void buttonReleased();
    void buttonClicked();
    void longPressElapsed();

private:
    ClockTimer myLongPressTimer;
    bool myLongPressDone = false;
};

#endif
