#ifndef KRELVOX_VARIABLESWEEPLIST_H
#define KRELVOX_VARIABLESWEEPLIST_H

#include "widgets/SweepListBase.h"

// A kinetic list whose rows may differ in height (comments, long texts). A flick
// runs three times the drag distance; tapping the selected row once more activates
// it (activated).
class VariableSweepList : public SweepListBase
{
    Q_OBJECT
public:
    VariableSweepList(QWidget* parent, int flag);
    ~VariableSweepList() override;

protected:
    void activateCurrentItem(const QModelIndex& index) override;
};

#endif
