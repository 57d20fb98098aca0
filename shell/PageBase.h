#ifndef KRELVOX_PAGEBASE_H
#define KRELVOX_PAGEBASE_H

#include <QFrame>

// Base of every page of the main window's page stack.
class PageBase : public QFrame
{
    Q_OBJECT
public:
    explicit PageBase(QWidget* parent = nullptr);
    ~PageBase() override;

public Q_SLOTS:
    // The page records itself in the page history before the view changes.
    virtual void addToPageHistory() = 0;
    // Blocks or unblocks the signals of the page's controls while it is switched.
    virtual void blockUiSignals(bool block);
    // Gives the keyboard focus to the page's first control; empty by default.
    virtual void setPageFocus();
};

#endif
