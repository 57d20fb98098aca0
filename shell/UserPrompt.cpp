#include "shell/UserPrompt.h"
#include "shell/OneButtonDialog.h"
#include "shell/ShellLogging.h"
#include "shell/TwoButtonDialog.h"

#include <QPointer>

UserPrompt::~UserPrompt() = default;

bool UserPrompt::ask(QWidget* parent, const QString& title, const QString& text)
{
    QPointer<TwoButtonDialog> dialog = new TwoButtonDialog(parent);
    dialog->setTitle(title);
    dialog->setText(text);
    const int answer = dialog->exec();
    delete dialog;
    return answer == QDialog::Accepted;
}

void UserPrompt::inform(QWidget* parent, const QString& title, const QString& text)
{
    QPointer<OneButtonDialog> dialog = new OneButtonDialog(parent);
    dialog->setTitle(title);
    dialog->setText(text);
    dialog->exec();
    delete dialog;
}

int UserPrompt::runDialog(QDialog* dialog)
{
    return dialog ? dialog->exec() : int(QDialog::Rejected);
}

void UserPrompt::showDialog(QDialog* dialog)
{
    if (dialog)
        dialog->show();
}

bool NonInteractivePrompt::ask(QWidget* parent, const QString& title, const QString& text)
{
    Q_UNUSED(parent);
    qCWarning(lcShell, "Question answered with Cancel (non-interactive): %s %s", qPrintable(title), qPrintable(text));
    return false;
}

void NonInteractivePrompt::inform(QWidget* parent, const QString& title, const QString& text)
{
    Q_UNUSED(parent);
    qCWarning(lcShell, "Notice (non-interactive): %s %s", qPrintable(title), qPrintable(text));
}

namespace {

QString describe(QDialog* dialog)
{
    auto* framed = qobject_cast<BaseDialog*>(dialog);
    return framed ? framed->getTitle() + QLatin1Char(' ') + framed->getText() : QString();
}

} // namespace

int NonInteractivePrompt::runDialog(QDialog* dialog)
{
    qCWarning(lcShell, "Dialog (non-interactive): %s", qPrintable(describe(dialog)));
    return UserPrompt::runDialog(dialog);
}

void NonInteractivePrompt::showDialog(QDialog* dialog)
{
    qCWarning(lcShell, "Dialog (non-interactive): %s", qPrintable(describe(dialog)));
    UserPrompt::showDialog(dialog);
}
