#include "widgets/VariableSweepList.h"

VariableSweepList::VariableSweepList(QWidget* parent, int flag) : SweepListBase(parent, flag)
{
    setUniformItemSizes(false);
}

VariableSweepList::~VariableSweepList() = default;

void VariableSweepList::activateCurrentItem(const QModelIndex& index)
{
    Q_EMIT activated(index);
}
