#ifndef KRELVOX_SETTINGSVIEWPLAY_H
#define KRELVOX_SETTINGSVIEWPLAY_H

#include "settings/SettingsViewBase.h"

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;
class SelectionBox;

// "Play Options": whether a video starts in full screen, whether its picture keeps
// its own aspect ratio, and how much of it must be downloaded before it starts.
// Every change goes out as (key, value) for the settings page to store.
class SettingsViewPlay : public SettingsViewBase
{
    Q_OBJECT
public:
    explicit SettingsViewPlay(QWidget* parent);
    ~SettingsViewPlay() override;

    // The stored values, once after construction: a box is ticked for any value but
    // 0 (reported like the user's tick); a start value other than the two offered
    // leaves the start box as it is.
    void setSelections(int fullScreen, int keepAspectRatio, int startPlaying);

    QCheckBox* getFullScreenActivationBox() const { return myFullScreenActivationBox; }
    QCheckBox* getKeepAspectRatioBox() const { return myKeepAspectRatioBox; }
    SelectionBox* getStartPlayingBox() const { return myStartPlayingBox; }

Q_SIGNALS:
    void fullScreenActivationChanged(const QString& key, int value);
    void playingStartChanged(const QString& key, int value);
    void keepAspectRatioChanged(const QString& key, int value);

private Q_SLOTS:
    void fullScreenActivationChange(int state);
    void keepAspectRatioChange(int state);
    void playingStartChange(const QString& text);

protected:
    void boxStepped(SelectionBox* box) override;

private:
    QVBoxLayout* myMainLayout;
    QHBoxLayout* myFullScreenRow;
    QHBoxLayout* myAspectRatioRow;
    QHBoxLayout* myStartPlayingRow;
    QLabel* myTitleLabel;
    QLabel* myStartPlayingLabel;
    QCheckBox* myFullScreenActivationBox;
    QCheckBox* myKeepAspectRatioBox;
    SelectionBox* myStartPlayingBox;
};

#endif
