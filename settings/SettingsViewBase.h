#ifndef KRELVOX_SETTINGSVIEWBASE_H
#define KRELVOX_SETTINGSVIEWBASE_H

#include <QFrame>

class QCheckBox;
class QKeyEvent;
class SelectionBox;
class UserPrompt;

// The frame every view of the settings page lives in, with the Left and Right steps
// that the views apply to their selection boxes and the key handling that the
// option views share.
class SettingsViewBase : public QFrame
{
    Q_OBJECT
public:
    explicit SettingsViewBase(QWidget* parent);
    ~SettingsViewBase() override;

    // One entry back or forward, without the box's change report; no wrap-around at
    // either end.
    void selectPrevious(SelectionBox* box);
    void selectNext(SelectionBox* box);

    // How the view's notices reach the user: the program's prompt (not owned), so
    // that a run without anyone at the screen shows none. Without one, the notices
    // are dialogs of their own.
    void setPrompt(UserPrompt* prompt);

protected:
    // A notice with the text and no title; returns once the user has closed it.
    void inform(const QString& text);

    // Installed by the option views on their controls: key presses go through
    // optionKeyPressed.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The keys of an option view's watched controls; true when the key is consumed.
    // Up and Down move the focus. On a selection box Left and Right step it (a step
    // that changes the entry is stored at once through boxStepped) and Return or
    // Enter open its list. Return or Enter on a check box flip it, and go on to the
    // box's own handling.
    bool optionKeyPressed(QObject* watched, QKeyEvent* event);
    // A Left or Right step changed the box's entry: the view stores it as it stores
    // a pick from the box's list.
    virtual void boxStepped(SelectionBox* box);

    static bool isReturnKey(const QKeyEvent* event);
    // A box that is not ticked becomes ticked, any other state unticked.
    static void flipCheckBox(QCheckBox* box);

private:
    UserPrompt* myPrompt = nullptr;
};

#endif
