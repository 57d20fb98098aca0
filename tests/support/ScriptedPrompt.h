#ifndef KRELVOX_SCRIPTEDPROMPT_H
#define KRELVOX_SCRIPTEDPROMPT_H

#include "shell/BaseDialog.h"
#include "shell/InputMethodSettings.h"
#include "shell/UserPrompt.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers the program's questions from a script and records every question and notice
// as "ask|title|text" or "inform|title|text", and every dialog the program builds
// itself as "run|title|text" (modal) or "show|title|text".
class ScriptedPrompt : public UserPrompt
{
public:
    QList<bool> answers;  // taken from the front; Cancel when empty
    QStringList log;
    std::function<void()> duringNotice; // runs while a notice is "open"
    // Runs inside a modal dialog's loop, once it has started; a dialog still open
    // after dialogTimeoutMs is rejected and counted in timedOut.
    std::function<void(QDialog*)> duringDialog;
    int dialogTimeoutMs = 10000;
    int timedOut = 0;
    QList<QPointer<QDialog>> shown; // the dialogs shown without waiting

    bool ask(QWidget*, const QString& title, const QString& text) override
    {
        log << QStringLiteral("ask|%1|%2").arg(title, text);
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void inform(QWidget*, const QString& title, const QString& text) override
    {
        log << QStringLiteral("inform|%1|%2").arg(title, text);
        if (duringNotice)
            duringNotice();
    }
    int runDialog(QDialog* dialog) override
    {
        log << describe(QStringLiteral("run"), dialog);
        QPointer<QDialog> guard(dialog);
        if (duringDialog) {
            std::function<void(QDialog*)> script = duringDialog;
            QTimer::singleShot(0, dialog, [script, guard]() {
                if (guard)
                    script(guard);
            });
        }
        QTimer::singleShot(dialogTimeoutMs, dialog, [this, guard]() {
            if (guard && guard->isVisible()) {
                ++timedOut;
                guard->reject();
            }
        });
        return UserPrompt::runDialog(dialog);
    }
    void showDialog(QDialog* dialog) override
    {
        log << describe(QStringLiteral("show"), dialog);
        shown << dialog;
        UserPrompt::showDialog(dialog);
    }

private:
    static QString describe(const QString& kind, QDialog* dialog)
    {
        auto* framed = qobject_cast<BaseDialog*>(dialog);
        return QStringLiteral("%1|%2|%3").arg(kind, framed ? framed->getTitle() : QString(),
                                             framed ? framed->getText() : QString());
    }
};

// Input-method keys in memory; every write is recorded as "key=value". With readable
// false every read fails, as when the configuration store cannot be reached.
class MemoryInputMethod : public InputMethodSettings
{
public:
    QMap<QString, bool> values;
    QStringList writes;
    bool readable = true;

    bool getBool(const QString& key, bool& value) override
    {
        if (!readable)
            return false;
        value = values.value(key, false);
        return true;
    }
    bool setBool(const QString& key, bool value) override
    {
        values[key] = value;
        writes << QStringLiteral("%1=%2").arg(key.section(QLatin1Char('/'), -1), value ? "1" : "0");
        return true;
    }
};

#endif
