#ifndef KRELVOX_SETTINGSVIEWCAPTCHA_H
#define KRELVOX_SETTINGSVIEWCAPTCHA_H

#include "settings/SettingsViewBase.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class Repository;

// The captcha step of a sign-in: the picture that the service sent and a field for
// the characters in it. "OK" (or Return in the field) stores the answer as typed
// and asks for the sign-in that carries it; the settings page then shows the
// account view again.
class SettingsViewCaptcha : public SettingsViewBase
{
    Q_OBJECT
public:
    SettingsViewCaptcha(Repository* repository, QWidget* parent);
    ~SettingsViewCaptcha() override;

    // Shows the picture of the current challenge (nothing when it cannot be read).
    void loadPicture();

    QLabel* getPictureLabel() const { return myPictureLabel; }
    QLineEdit* getAnswerField() const { return myAnswerField; }
    QPushButton* getConfirmButton() const { return myConfirmButton; }

Q_SIGNALS:
    void disableHildonInput();
    void verifyCaptcha();

private Q_SLOTS:
    void verifyCaptchaInformation();

private:
    QGridLayout* myLayout;
    QLabel* myTitleLabel;
    QLabel* myInstructionLabel;
    QLabel* myPromptLabel;
    QLabel* myPictureLabel;
    QLineEdit* myAnswerField;
    QPushButton* myConfirmButton;
    Repository* myRepository;
};

#endif
