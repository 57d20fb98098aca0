#ifndef KRELVOX_USERPROMPT_H
#define KRELVOX_USERPROMPT_H

#include <QString>

class QDialog;
class QWidget;

// How the controller puts a question or a notice to the user. The default shows the
// modal TwoButtonDialog / OneButtonDialog; tests put their own answers in its place.
class UserPrompt
{
public:
    virtual ~UserPrompt();

    // OK / Cancel question; true when the user accepted.
    virtual bool ask(QWidget* parent, const QString& title, const QString& text);
    // Notice with one OK button; returns when the user has closed it.
    virtual void inform(QWidget* parent, const QString& title, const QString& text);
    // A dialog the caller has built, run modally until the user or the caller closes
    // it; its exec() result. The caller may delete it while it runs.
    virtual int runDialog(QDialog* dialog);
    // A dialog the caller has built, shown without waiting for it.
    virtual void showDialog(QDialog* dialog);
};

// For runs without anyone at the screen (KRELVOX_NONINTERACTIVE set): notices are
// written as warnings and every question is answered with Cancel.
class NonInteractivePrompt : public UserPrompt
{
public:
    bool ask(QWidget* parent, const QString& title, const QString& text) override;
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    // Traced; a modal dialog still runs, so only one that the program closes itself
    // (a wait notice) belongs here.
    int runDialog(QDialog* dialog) override;
    void showDialog(QDialog* dialog) override;
};

#endif
