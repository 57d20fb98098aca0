#include "settings/SettingsViewBase.h"

#include "settings/SettingsLogging.h"
#include "shell/UserPrompt.h"
#include "widgets/SelectionBox.h"

#include <QCheckBox>
#include <QDebug>
#include <QKeyEvent>

SettingsViewBase::SettingsViewBase(QWidget* parent) : QFrame(parent)
{
}

SettingsViewBase::~SettingsViewBase() = default;

void SettingsViewBase::selectPrevious(SelectionBox* box)
{
    const int index = box->currentIndex();
    box->setCurrentIndex(index > 0 ? index - 1 : index);
}

void SettingsViewBase::selectNext(SelectionBox* box)
{
    const int index = box->currentIndex();
    box->setCurrentIndex(index < box->count() - 1 ? index + 1 : index);
}

void SettingsViewBase::setPrompt(UserPrompt* prompt)
{
    myPrompt = prompt;
}

void SettingsViewBase::inform(const QString& text)
{
    static UserPrompt dialogs;
    (myPrompt ? *myPrompt : dialogs).inform(this, QString(), text);
}

bool SettingsViewBase::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && optionKeyPressed(watched, static_cast<QKeyEvent*>(event)))
        return true;
    return QFrame::eventFilter(watched, event);
}

bool SettingsViewBase::optionKeyPressed(QObject* watched, QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        focusNextPrevChild(false);
        return true;
    case Qt::Key_Down:
        focusNextPrevChild(true);
        return true;
    default:
        break;
    }

    if (auto* box = qobject_cast<SelectionBox*>(watched)) {
        if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
            const int before = box->currentIndex();
            if (event->key() == Qt::Key_Left)
                selectPrevious(box);
            else
                selectNext(box);
            if (box->currentIndex() != before)
                boxStepped(box);
            return true;
        }
        if (isReturnKey(event)) {
            box->showListBox();
            return true;
        }
        return false;
    }

    if (auto* check = qobject_cast<QCheckBox*>(watched); check && isReturnKey(event)) {
        flipCheckBox(check);
        qCDebug(lcSettings).noquote() << check->objectName() << "="
                                      << (check->isChecked() ? QStringLiteral("Checked") : QStringLiteral("Unchecked"));
    }
    return false;
}

void SettingsViewBase::boxStepped(SelectionBox* box)
{
    Q_UNUSED(box);
}

bool SettingsViewBase::isReturnKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void SettingsViewBase::flipCheckBox(QCheckBox* box)
{
    box->setCheckState(box->checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
}
