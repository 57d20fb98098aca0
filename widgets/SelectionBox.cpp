#include "widgets/SelectionBox.h"

#include "core/constants/Icons.h"
#include "widgets/SelectionList.h"
#include "widgets/WidgetConstants.h"
#include "widgets/WidgetStyles.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

SelectionBox::SelectionBox(int flag, QWidget* parent)
    : QFrame(parent), myLabel(new QLabel(this)), myArrow(new QLabel(this)), myList(new SelectionList(flag, this))
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(SELECTION_BOX_MIN_WIDTH, SELECTION_BOX_HEIGHT);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setStyleSheet(STYLE_SELECTION_BOX);
    // Entries can be names from the service (contacts, categories): shown as they stand.
    myLabel->setTextFormat(Qt::PlainText);
    // The box's own size hint makes room for the widest entry; the text shown does
    // not change it.
    myLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    myArrow->setPixmap(QIcon(ICON_ARROW_DOWN).pixmap(SELECTION_BOX_ARROW_SIZE, SELECTION_BOX_ARROW_SIZE));
    myArrow->setFixedSize(SELECTION_BOX_ARROW_SIZE, SELECTION_BOX_ARROW_SIZE);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 6, 0);
    layout->addWidget(myLabel, 1);
    layout->addWidget(myArrow, 0, Qt::AlignVCenter);

    connect(myList, &SelectionList::picked, this, &SelectionBox::listPicked);
    connect(myList, &SelectionList::hidden, this, &SelectionBox::listHidden);
}

SelectionBox::~SelectionBox() = default;

void SelectionBox::setItems(const QStringList& items)
{
    myList->setItems(items);
    myList->setCurrentRow(0);
    showLabel(myList->currentText());
    updateGeometry();
}

void SelectionBox::setCurrentIndex(int index)
{
    myList->setCurrentRow(index);
    showLabel(myList->currentText());
}

void SelectionBox::setText(const QString& text)
{
    showLabel(text);
}

void SelectionBox::setListStyleSheet(const QString& styleSheet)
{
    myList->setStyleSheet(styleSheet);
}

int SelectionBox::currentIndex() const
{
    return myList->currentRow();
}

QString SelectionBox::currentText() const
{
    return myList->currentText();
}

QString SelectionBox::text() const
{
    return myLabel->text();
}

int SelectionBox::count() const
{
    return myList->count();
}

void SelectionBox::showListBox()
{
    if (myList->count() == 0 || myList->isVisible())
        return;
    myList->showUnder(this);
}

void SelectionBox::mousePressEvent(QMouseEvent* event)
{
    myPressed = event->button() == Qt::LeftButton;
    event->accept();
}

void SelectionBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool tapped = myPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    myPressed = false;
    event->accept();
    if (tapped)
        showListBox();
}

void SelectionBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        showListBox();
        event->accept();
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void SelectionBox::listPicked(int row)
{
    showLabel(myList->itemText(row));
}

void SelectionBox::listHidden()
{
    Q_EMIT currentIndexChanged(myList->currentText());
}

void SelectionBox::showLabel(const QString& text)
{
    myLabel->setText(text);
    // A text that is none of the entries may need more room.
    updateGeometry();
    Q_EMIT labelTextChanged();
}

QSize SelectionBox::sizeHint() const
{
    ensurePolished();
    myLabel->ensurePolished();
    const QFontMetrics metrics(myLabel->font());
    int widest = metrics.horizontalAdvance(myLabel->text());
    for (int row = 0; row < myList->count(); ++row)
        widest = qMax(widest, metrics.horizontalAdvance(myList->itemText(row)));
    // The frame, its margins and the arrow (the label itself counts for nothing, see
    // the constructor), and the text.
    const QSize frame = QFrame::sizeHint();
    return QSize(qMax(SELECTION_BOX_MIN_WIDTH, frame.width() + widest + SELECTION_BOX_TEXT_SLACK),
                 qMax(SELECTION_BOX_HEIGHT, frame.height()));
}
