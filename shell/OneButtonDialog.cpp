#include "shell/OneButtonDialog.h"
#include "shell/ShellConstants.h"

#include "shell/ShellTexts.h"

#include <QHBoxLayout>
#include <QPushButton>

OneButtonDialog::OneButtonDialog(QWidget* parent) : BaseDialog(parent), myButton(new QPushButton(TEXT_OK(), this))
{
    myButton->setMinimumSize(DIALOG_BUTTON_MIN_WIDTH, DIALOG_BUTTON_HEIGHT);
    myButton->setDefault(true);
    buttonRow()->addWidget(myButton);
    buttonRow()->addStretch();
    connect(myButton, &QPushButton::clicked, this, &QDialog::accept);
}

OneButtonDialog::~OneButtonDialog() = default;

void OneButtonDialog::setButtonText(const QString& text, int unused)
{
    Q_UNUSED(unused);
    myButton->setText(text);
}
