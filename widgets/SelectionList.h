#ifndef KRELVOX_SELECTIONLIST_H
#define KRELVOX_SELECTIONLIST_H

#include "widgets/UniformSweepList.h"

#include <QFrame>

class QPushButton;
class QStringListModel;

// The kinetic list inside the selection box's drop-down: a tap on a row (the finger
// moving no more than a few pixels) picks it, and so does Return.
class SelectionListView : public UniformSweepList
{
    Q_OBJECT
public:
    SelectionListView(QWidget* parent, int flag);
    ~SelectionListView() override;

Q_SIGNALS:
    void rowPicked(int row);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void activateCurrentItem(const QModelIndex& index) override;
};

// The selection box's drop-down list: a pop-up window under the box, as wide as the
// box or as its widest entry needs, holding the entries in a kinetic list and, when
// its flag is not 0 and the entries do not all fit, an up and a down button that
// scroll the list by a page. It reports a pick (picked) and every hiding (hidden),
// whatever the reason: a pick, Escape, or a tap outside it.
class SelectionList : public QFrame
{
    Q_OBJECT
public:
    SelectionList(int flag, QWidget* parent);
    ~SelectionList() override;

    void setItems(const QStringList& items);
    // Makes the row current and selected; a row outside the entries clears both.
    void setCurrentRow(int row);
    int currentRow() const;   // -1 when none
    QString currentText() const;
    QString itemText(int row) const;
    int count() const;
    bool hasScrollButtons() const { return myUpButton != nullptr; }

    // Opens the list under the widget, or above it when it fits only there, within the
    // widget's screen and never over the widget (it scrolls when it fits on neither
    // side).
    void showUnder(QWidget* widget);

    SelectionListView* listView() const { return myList; }
    QPushButton* upButton() const { return myUpButton; }
    QPushButton* downButton() const { return myDownButton; }

Q_SIGNALS:
    void picked(int row);
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private Q_SLOTS:
    void rowPicked(int row);
    void scrollUp();
    void scrollDown();
    void updateScrollButtons();

private:
    SelectionListView* myList;
    QStringListModel* myModel;
    QPushButton* myUpButton = nullptr;
    QPushButton* myDownButton = nullptr;
};

#endif
