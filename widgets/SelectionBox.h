#ifndef KRELVOX_SELECTIONBOX_H
#define KRELVOX_SELECTIONBOX_H

#include <QFrame>
#include <QStringList>

class QLabel;
class SelectionList;

// The program's drop-down box for the finger: a frame with the chosen text and an
// arrow; a tap (or Return) opens its list of entries under it. The setters change
// the shown entry silently; only the closing of the list reports the current entry
// (currentIndexChanged), also when nothing new was picked. Every change of the
// shown text is announced by labelTextChanged.
class SelectionBox : public QFrame
{
    Q_OBJECT
public:
    // flag: handed to the drop-down list; not 0 gives the list up and down buttons.
    SelectionBox(int flag, QWidget* parent);
    ~SelectionBox() override;

    // Replaces the entries, makes entry 0 current and shows its text.
    void setItems(const QStringList& items);
    // Selects the entry (a row outside the entries, e.g. -1, clears the selection)
    // and shows its text.
    void setCurrentIndex(int index);
    // Shows a text in the box; the list's selection stays as it is.
    void setText(const QString& text);
    void setListStyleSheet(const QString& styleSheet);

    int currentIndex() const;   // the list's current row, -1 when none
    QString currentText() const; // the text of the list's current entry
    QString text() const;       // the text shown in the box
    int count() const;

    SelectionList* listBox() const { return myList; }

    // As wide as the widest entry (or the text shown) needs, whichever is shown: the
    // box keeps its width when the choice changes.
    QSize sizeHint() const override;

public Q_SLOTS:
    // Opens the drop-down list under the box (not when it has no entries).
    void showListBox();

Q_SIGNALS:
    void currentIndexChanged(const QString& text);
    void labelTextChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private Q_SLOTS:
    void listPicked(int row);
    void listHidden();

private:
    void showLabel(const QString& text);

    QLabel* myLabel;
    QLabel* myArrow;
    SelectionList* myList;
    bool myPressed = false;
};

#endif
