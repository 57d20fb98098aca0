#include "shell/BackButton.h"
#include "shell/ShellConstants.h"

#include "core/constants/Icons.h"
#include "shell/ApplicationStyle.h"

#include <QKeyEvent>
#include <QMouseEvent>

BackButton::BackButton(QWidget* parent) : QPushButton(parent)
{
    ensureApplicationStyle();
    setFixedSize(BACK_BUTTON_SIZE);
    setIconSize(BACK_BUTTON_ICON_SIZE);
    setIcon(QIcon(ICON_BACK));
    setFocusPolicy(Qt::StrongFocus);

    myLongPressTimer.setSingleShot(true);
    // A coarse timer may fire up to 5 % early; the long press must not come before 1500 ms.
    myLongPressTimer.setTimerType(Qt::PreciseTimer);
    myLongPressTimer.setInterval(BACK_BUTTON_LONG_PRESS_MS);
    connect(&myLongPressTimer, &ClockTimer::timeout, this, &BackButton::longPressElapsed);
    connect(this, &QPushButton::pressed, this, &BackButton::buttonPressed);
    connect(this, &QPushButton::released, this, &BackButton::buttonReleased);
    connect(this, &QPushButton::clicked, this, &BackButton::buttonClicked);
}

BackButton::~BackButton() = default;

void BackButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        event->accept();
        Q_EMIT backButtonClicked(false);
        return;
    }
    QPushButton::keyPressEvent(event);
}

void BackButton::mouseReleaseEvent(QMouseEvent* event)
{
    QPushButton::mouseReleaseEvent(event);
    // A release off the button ends the press without a released() signal.
    if (!isDown())
        buttonReleased();
}

void BackButton::hideEvent(QHideEvent* event)
{
    // A long press usually takes the page (and this button) away while the finger is
    // still down; the release then never comes here, so the press ends now.
    if (isDown())
        setDown(false);
    buttonReleased();
    QPushButton::hideEvent(event);
}

void BackButton::buttonPressed()
{
    myLongPressDone = false;
    setIcon(QIcon(ICON_BACK_PRESSED));
    myLongPressTimer.start();
}

void BackButton::buttonReleased()
{
    myLongPressTimer.stop();
    setIcon(QIcon(ICON_BACK));
}

void BackButton::buttonClicked()
{
    // The click that ends a long press has already been reported as one.
    if (myLongPressDone)
        return;
    Q_EMIT backButtonClicked(false);
}

void BackButton::longPressElapsed()
{
    myLongPressDone = true;
    Q_EMIT backButtonClicked(true);
}
