#include "shell/BaseDialog.h"
#include "shell/ShellConstants.h"

#include "shell/ApplicationStyle.h"
#include "shell/ShellLogging.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

BaseDialog::BaseDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , myTitle(new QLabel(this))
    , myText(new QLabel(this))
    , myProgress(new QProgressBar(this))
    , myButtonRow(new QHBoxLayout)
{
    setModal(true);
    setAttribute(Qt::WA_StyledBackground, true);
    ensureApplicationStyle();
    setMinimumWidth(DIALOG_MIN_WIDTH);

    // Texts often come from the service: never read them as markup.
    myTitle->setTextFormat(Qt::PlainText);
    myText->setTextFormat(Qt::PlainText);
    myTitle->setObjectName(QStringLiteral("dialogTitle"));
    myTitle->setWordWrap(true);
    myTitle->setAlignment(Qt::AlignCenter);
    myText->setObjectName(QStringLiteral("dialogText"));
    myText->setWordWrap(true);
    myText->setAlignment(Qt::AlignCenter);

    myProgress->setRange(DIALOG_PROGRESS_MIN, DIALOG_PROGRESS_MAX);
    myProgress->setValue(DIALOG_PROGRESS_MIN);
    myProgress->hide();

    myButtonRow->setSpacing(DIALOG_SPACING);
    myButtonRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(DIALOG_MARGIN, DIALOG_MARGIN, DIALOG_MARGIN, DIALOG_MARGIN);
    layout->setSpacing(DIALOG_SPACING);
    layout->addWidget(myTitle);
    layout->addWidget(myText);
    layout->addWidget(myProgress);
    layout->addLayout(myButtonRow);
}

BaseDialog::~BaseDialog() = default;

void BaseDialog::setTitle(const QString& title)
{
    myTitle->setText(title);
}

void BaseDialog::setText(const QString& text)
{
    myText->setText(text);
}

QString BaseDialog::getTitle() const
{
    return myTitle->text();
}

QString BaseDialog::getText() const
{
    return myText->text();
}

void BaseDialog::showProgressIndicator(bool show)
{
    myProgress->setVisible(show);
}

void BaseDialog::setProgressIndicatorValue(int value)
{
    if (value > DIALOG_PROGRESS_MAX || value < DIALOG_PROGRESS_MIN) {
        qCCritical(lcShell, "void BaseDialog::setProgressIndicatorValue(int) - value %d is out of range", value);
        return;
    }
    myProgress->setValue(value);
}

int BaseDialog::getProgressIndicatorValue() const
{
    return myProgress->value();
}

bool BaseDialog::isProgressIndicatorShown() const
{
    return !myProgress->isHidden();
}

void BaseDialog::setProgressIndicatorBusy(bool busy)
{
    if (busy)
        myProgress->setRange(0, 0);
    else
        myProgress->setRange(DIALOG_PROGRESS_MIN, DIALOG_PROGRESS_MAX);
}

bool BaseDialog::isProgressIndicatorBusy() const
{
    return myProgress->maximum() == 0 && myProgress->minimum() == 0;
}

void BaseDialog::showEvent(QShowEvent* event)
{
    // Centre the box on the window it belongs to (or on the screen without one).
    adjustSize();
    QRect area;
    if (QWidget* owner = parentWidget())
        area = QRect(owner->window()->mapToGlobal(QPoint(0, 0)), owner->window()->size());
    else
        area = QRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    move(area.center() - rect().center());
    QDialog::showEvent(event);
}
