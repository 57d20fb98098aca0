#ifndef KRELVOX_FAVORITESPACEDIALOG_H
#define KRELVOX_FAVORITESPACEDIALOG_H

#include "shell/BaseDialog.h"

class QPushButton;

// Tells that a video cannot be saved for lack of free space and offers the two
// places where the user can make room: the favourites page (remove stored videos)
// and the settings page (the disk space limit). exec() gives eToFavorites or
// eToSettings, and 0 when the dialog is closed with Escape.
class FavoriteSpaceDialog : public BaseDialog
{
    Q_OBJECT
public:
    enum eChoice { eStay = 0, eToFavorites = 1, eToSettings = 2 };

    explicit FavoriteSpaceDialog(QWidget* parent);
    ~FavoriteSpaceDialog() override;


private:
    QPushButton* myFavoritesButton;
    QPushButton* mySettingsButton;
};

#endif
