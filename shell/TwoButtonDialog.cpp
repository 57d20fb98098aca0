#include "shell/TwoButtonDialog.h"
#include "shell/ShellConstants.h"

#include "shell/ShellTexts.h"

#include <QHBoxLayout>
#include <QPushButton>

TwoButtonDialog::TwoButtonDialog(QWidget* parent)
    : BaseDialog(parent)
    , myOkButton(new QPushButton(TEXT_OK(), this))
    , myCancelButton(new QPushButton(TEXT_CANCEL(), this))
{
    for (QPushButton* button : { myOkButton, myCancelButton }) {
        button->setMinimumSize(DIALOG_BUTTON_MIN_WIDTH, DIALOG_BUTTON_HEIGHT);
        buttonRow()->addWidget(button);
    }
    buttonRow()->addStretch();
    myOkButton->setDefault(true);
    connect(myOkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(myCancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TwoButtonDialog::~TwoButtonDialog() = default;
