#ifndef KRELVOX_UNIFORMSWEEPLIST_H
#define KRELVOX_UNIFORMSWEEPLIST_H

#include "widgets/SweepListBase.h"

// A kinetic list whose rows all have the same height. A flick comes to rest on a
// row boundary; a double tap on the current row reports the row as chosen
// (textSelected), and so does tapping the selected row once more (activated).
class UniformSweepList : public SweepListBase
{
    Q_OBJECT
public:
    UniformSweepList(QWidget* parent, int flag);
    ~UniformSweepList() override;

Q_SIGNALS:
    void textSelected(const QModelIndex& index);
    // Every change of the selection, also its clearing.
    void selectionMade();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void activateCurrentItem(const QModelIndex& index) override;
    int flickAim(int dy) const override;

protected Q_SLOTS:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

protected:
    // Set by the double-click event of the second tap, cleared at every press.
    bool myDoubleTap = false;
};

#endif
