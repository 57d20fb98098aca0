#ifndef KRELVOX_TWOBUTTONDIALOG_H
#define KRELVOX_TWOBUTTONDIALOG_H

#include "shell/BaseDialog.h"

class QPushButton;

// A question with "OK" (exec() gives 1) and "Cancel" (exec() gives 0, as do Escape and
// deleting the dialog while it runs).
class TwoButtonDialog : public BaseDialog
{
    Q_OBJECT
public:
    explicit TwoButtonDialog(QWidget* parent = nullptr);
    ~TwoButtonDialog() override;

    QPushButton* getOkButton() const { return myOkButton; }
    QPushButton* getCancelButton() const { return myCancelButton; }

private:
    QPushButton* myOkButton;
    QPushButton* myCancelButton;
};

#endif
