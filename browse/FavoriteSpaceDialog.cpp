#include "browse/FavoriteSpaceDialog.h"

#include "browse/BrowseTexts.h"
#include "shell/ShellConstants.h"

#include <QHBoxLayout>
#include <QPushButton>

FavoriteSpaceDialog::FavoriteSpaceDialog(QWidget* parent)
    : BaseDialog(parent),
      myFavoritesButton(new QPushButton(TEXT_TO_FAVORITES(), this)),
      mySettingsButton(new QPushButton(TEXT_TO_SETTINGS(), this))
{
    setTitle(TEXT_VIDEO_CANNOT_BE_DOWNLOADED());
    setText(TEXT_NOT_ENOUGH_SPACE());
    for (QPushButton* button : {myFavoritesButton, mySettingsButton}) {
        button->setMinimumSize(DIALOG_BUTTON_MIN_WIDTH, DIALOG_BUTTON_HEIGHT);
        buttonRow()->addWidget(button);
    }
    buttonRow()->addStretch();
    connect(myFavoritesButton, &QPushButton::clicked, this, [this]() { done(eToFavorites); });
    connect(mySettingsButton, &QPushButton::clicked, this, [this]() { done(eToSettings); });
}

FavoriteSpaceDialog::~FavoriteSpaceDialog() = default;
