#ifndef KRELVOX_TESTS_SCRIPTEDPROMPT_H
#define KRELVOX_TESTS_SCRIPTEDPROMPT_H

#include "shell/UserPrompt.h"

#include <QList>
#include <QStringList>

#include <functional>

// Answers the controller's questions from a script and records every question and
// notice as "ask|title|text" or "inform|title|text".
class ScriptedPrompt : public UserPrompt
{
public:
    QList<bool> answers;  // taken from the front; Cancel when empty
    QStringList log;
    std::function<void()> duringNotice; // runs while a notice is "open"

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
};

// Input-method keys in memory; every write is recorded as "key=value".
#include "shell/InputMethodSettings.h"
#include <QMap>

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
