#include "settings/SettingsViewCaptcha.h"

#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "service/account/PostManager.h"
#include "settings/SettingsConstants.h"
#include "settings/SettingsLogging.h"
#include "settings/SettingsStyles.h"
#include "settings/SettingsTexts.h"
#include "shell/ShellStyles.h"
#include "shell/ShellTexts.h"

#include <QDebug>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

SettingsViewCaptcha::SettingsViewCaptcha(Repository* repository, QWidget* parent)
    : SettingsViewBase(parent),
      myLayout(new QGridLayout(this)),
      myTitleLabel(new QLabel(TEXT_VERIFICATION(), this)),
      myInstructionLabel(new QLabel(TEXT_CAPTCHA_INSTRUCTION(), this)),
      myPromptLabel(new QLabel(TEXT_WORD_VERIFICATION(), this)),
      myPictureLabel(new QLabel(this)),
      myAnswerField(new QLineEdit(this)),
      myConfirmButton(new QPushButton(TEXT_OK(), this)),
      myRepository(repository)
{
    myTitleLabel->setStyleSheet(STYLE_HEADER_LABEL);
    myInstructionLabel->setStyleSheet(STYLE_LABEL_18);
    myPromptLabel->setStyleSheet(STYLE_LABEL_18);
    for (QLabel* label : {myTitleLabel, myInstructionLabel, myPromptLabel})
        label->setAlignment(Qt::AlignCenter);
    myPictureLabel->setAlignment(Qt::AlignCenter);
    myPictureLabel->setMaximumSize(CAPTCHA_PICTURE_MAX_SIZE);
    myAnswerField->setMaximumSize(SETTINGS_FIELD_MAX_SIZE);
    myAnswerField->setStyleSheet(STYLE_SETTINGS_LINE_EDIT);
    myConfirmButton->setStyleSheet(STYLE_CAPTCHA_BUTTON);
    myConfirmButton->setMinimumSize(SETTINGS_BIG_BUTTON_MIN_SIZE);

    myLayout->addWidget(myTitleLabel, 1, 2, 1, 6, Qt::AlignCenter);
    myLayout->addWidget(myInstructionLabel, 2, 1, 1, 8, Qt::AlignCenter);
    myLayout->addWidget(myPictureLabel, 3, 2, 2, 6, Qt::AlignCenter);
    myLayout->addWidget(myPromptLabel, 5, 1, 1, 3, Qt::AlignRight);
    myLayout->addWidget(myAnswerField, 5, 4, 1, 2);
    myLayout->addWidget(myConfirmButton, 6, 4, 1, 2);

    connect(myConfirmButton, &QPushButton::clicked, this, &SettingsViewCaptcha::verifyCaptchaInformation);
    connect(myAnswerField, &QLineEdit::returnPressed, this, &SettingsViewCaptcha::verifyCaptchaInformation);
}

SettingsViewCaptcha::~SettingsViewCaptcha()
{
    qCDebug(lcSettings) << "SettingsViewCaptcha::~SettingsViewCaptcha";
    qCDebug(lcSettings) << "SettingsViewCaptcha::~SettingsViewCaptcha return";
}

void SettingsViewCaptcha::loadPicture()
{
    const QString file = PostManager::captchaImageFile(*myRepository);
    const QImage picture = file.isEmpty() ? QImage() : QImage(file);
    if (picture.isNull()) {
        qCDebug(lcSettings) << "captcha view: no picture of the challenge in" << file;
        myPictureLabel->clear();
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(picture);
    if (pixmap.width() > CAPTCHA_PICTURE_MAX_SIZE.width() || pixmap.height() > CAPTCHA_PICTURE_MAX_SIZE.height())
        pixmap = pixmap.scaled(CAPTCHA_PICTURE_MAX_SIZE, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    myPictureLabel->setPixmap(pixmap);
}

void SettingsViewCaptcha::verifyCaptchaInformation()
{
    Q_EMIT disableHildonInput();
    myRepository->setSetting(SETTING_YOUTUBE_CAPTCHA_ANSWER, myAnswerField->text());
    Q_EMIT verifyCaptcha();
}
