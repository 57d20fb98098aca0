#ifndef KRELVOX_ONEBUTTONDIALOG_H
#define KRELVOX_ONEBUTTONDIALOG_H

#include "shell/BaseDialog.h"

class QPushButton;

// A notice with one button ("OK" unless changed). exec() gives 1 when the button is
// pressed and 0 when the dialog is rejected (Escape) or deleted while it runs.
class OneButtonDialog : public BaseDialog
{
    Q_OBJECT
public:
    explicit OneButtonDialog(QWidget* parent = nullptr);
    ~OneButtonDialog() override;

    // The int is accepted for the callers' convenience and has no effect.
    void setButtonText(const QString& text, int unused = 0);
    QPushButton* getButton() const { return myButton; }

private:
    QPushButton* myButton;
};

#endif
