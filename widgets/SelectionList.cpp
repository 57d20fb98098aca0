#include "widgets/SelectionList.h"

#include "core/constants/Icons.h"
#include "widgets/TouchRowDelegate.h"
#include "widgets/WidgetConstants.h"
#include "widgets/WidgetStyles.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStringListModel>
#include <QVBoxLayout>

namespace {

// A finger that moves less than this between press and release still taps.
const int TAP_SLOP = 10;

} // namespace

SelectionListView::SelectionListView(QWidget* parent, int flag) : UniformSweepList(parent, flag)
{
    setItemDelegate(new TouchRowDelegate(SELECTION_LIST_ROW_HEIGHT, this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Return on the current row picks it.
    connect(this, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT rowPicked(index.row());
    });
}

SelectionListView::~SelectionListView() = default;

void SelectionListView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool tapped = qAbs(myPressY - pos.y()) <= TAP_SLOP && qAbs(myPressX - pos.x()) <= TAP_SLOP;
    const QModelIndex current = currentIndex();
    if (tapped && current.isValid() && indexAt(pos) == current) {
        setState(QAbstractItemView::NoState);
        Q_EMIT rowPicked(current.row());
        return;
    }
    UniformSweepList::mouseReleaseEvent(event);
}

void SelectionListView::activateCurrentItem(const QModelIndex& index)
{
    if (index.isValid())
        Q_EMIT rowPicked(index.row());
}

SelectionList::SelectionList(int flag, QWidget* parent)
    : QFrame(parent, Qt::Popup), myList(new SelectionListView(this, flag)), myModel(new QStringListModel(this))
{
    setStyleSheet(STYLE_SELECTION_LIST);
    myList->setModel(myModel);
    connect(myList, &SelectionListView::rowPicked, this, &SelectionList::rowPicked);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(myList, 1);
    if (flag != 0) {
        myUpButton = new QPushButton(this);
        myDownButton = new QPushButton(this);
        myUpButton->setIcon(QIcon(ICON_ARROW_UP));
        myDownButton->setIcon(QIcon(ICON_ARROW_DOWN));
        for (QPushButton* button : {myUpButton, myDownButton}) {
            button->setFixedSize(SELECTION_LIST_BUTTON_SIZE, SELECTION_LIST_BUTTON_SIZE);
            button->setFocusPolicy(Qt::NoFocus);
        }
        auto* column = new QVBoxLayout;
        column->setContentsMargins(0, 0, 0, 0);
        column->addWidget(myUpButton);
        column->addStretch(1);
        column->addWidget(myDownButton);
        layout->addLayout(column);
        connect(myUpButton, &QPushButton::clicked, this, &SelectionList::scrollUp);
        connect(myDownButton, &QPushButton::clicked, this, &SelectionList::scrollDown);
        QScrollBar* bar = myList->verticalScrollBar();
        connect(bar, &QScrollBar::valueChanged, this, &SelectionList::updateScrollButtons);
        connect(bar, &QScrollBar::rangeChanged, this, &SelectionList::updateScrollButtons);
        updateScrollButtons();
    }
}

SelectionList::~SelectionList() = default;

void SelectionList::setItems(const QStringList& items)
{
    myModel->setStringList(items);
}

void SelectionList::setCurrentRow(int row)
{
    if (row < 0 || row >= myModel->rowCount()) {
        myList->selectionModel()->clear();
        return;
    }
    const QModelIndex index = myModel->index(row, 0);
    myList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

int SelectionList::currentRow() const
{
    const QModelIndex current = myList->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QString SelectionList::currentText() const
{
    return itemText(currentRow());
}

QString SelectionList::itemText(int row) const
{
    if (row < 0 || row >= myModel->rowCount())
        return QString();
    return myModel->index(row, 0).data().toString();
}

int SelectionList::count() const
{
    return myModel->rowCount();
}

void SelectionList::showUnder(QWidget* widget)
{
    if (!widget)
        return;
    ensurePolished();
    myList->ensurePolished();
    const QMargins frame = contentsMargins() + layout()->contentsMargins();
    QRect screen(0, 0, SELECTION_LIST_MAX_WIDTH, SELECTION_LIST_MAX_HEIGHT);
    if (QScreen* s = widget->screen())
        screen = s->availableGeometry();

    // Under the box, or above it when only there the entries fit; when they fit on
    // neither side, on the side with more room, scrolling. Never over the box: the
    // user sees what the list is for.
    const QRect box(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    const int roomBelow = qMax(0, screen.bottom() - box.bottom());
    const int roomAbove = qMax(0, box.top() - screen.top());
    const int rowsHeight = count() * SELECTION_LIST_ROW_HEIGHT + frame.top() + frame.bottom();
    int wanted = qMin(rowsHeight, SELECTION_LIST_MAX_HEIGHT);
    if (myUpButton && rowsHeight > wanted)
        wanted = qMax(wanted, 2 * SELECTION_LIST_BUTTON_SIZE + frame.top() + frame.bottom() + 2);
    const bool below = wanted <= roomBelow || (wanted > roomAbove && roomBelow >= roomAbove);
    const int height = qMin(wanted, below ? roomBelow : roomAbove);
    // The scroll buttons only when the entries do not all fit.
    const bool scrolls = myUpButton && rowsHeight > height;
    if (myUpButton) {
        myUpButton->setVisible(scrolls);
        myDownButton->setVisible(scrolls);
    }

    // As wide as the box, or as the widest entry needs.
    int textWidth = 0;
    const QFontMetrics metrics(myList->font());
    for (int row = 0; row < count(); ++row)
        textWidth = qMax(textWidth, metrics.horizontalAdvance(itemText(row)));
    int needed = textWidth + SELECTION_LIST_TEXT_MARGIN + frame.left() + frame.right();
    if (scrolls)
        needed += SELECTION_LIST_BUTTON_SIZE + layout()->spacing();
    int width = qMax(qMax(widget->width(), SELECTION_BOX_MIN_WIDTH), needed);
    width = qMin(width, qMin(screen.width(), SELECTION_LIST_MAX_WIDTH));

    QPoint at(box.left(), below ? box.bottom() + 1 : box.top() - height);
    at.setX(qBound(screen.left(), at.x(), screen.right() + 1 - width));

    setGeometry(QRect(at, QSize(width, height)));
    show();
    raise();
    activateWindow();
    myList->setFocus();
    if (currentRow() >= 0)
        myList->scrollTo(myList->currentIndex(), QAbstractItemView::PositionAtCenter);
    else
        myList->scrollToTop();
    updateScrollButtons();
}

void SelectionList::hideEvent(QHideEvent* event)
{
    QFrame::hideEvent(event);
    myList->stopKineticScroll();
    Q_EMIT hidden();
}

void SelectionList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void SelectionList::rowPicked(int row)
{
    setCurrentRow(row);
    Q_EMIT picked(row);
    hide();
}

void SelectionList::scrollUp()
{
    QScrollBar* bar = myList->verticalScrollBar();
    bar->setValue(bar->value() - bar->pageStep());
}

void SelectionList::scrollDown()
{
    QScrollBar* bar = myList->verticalScrollBar();
    bar->setValue(bar->value() + bar->pageStep());
}

void SelectionList::updateScrollButtons()
{
    if (!myUpButton)
        return;
    const QScrollBar* bar = myList->verticalScrollBar();
    myUpButton->setEnabled(bar->value() > bar->minimum());
    myDownButton->setEnabled(bar->value() < bar->maximum());
}
