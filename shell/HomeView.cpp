#include "shell/HomeView.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "shell/ShellConstants.h"
#include "shell/ShellLogging.h"
#include "shell/ShellTexts.h"

#include <QAction>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

HomeView::HomeView(QWidget* parent, PageHistory& history)
    : PageBase(parent)
    , myHistory(history)
    , myHeader(new PageHeader(TEXT_APPLICATION_NAME(), this, false))
    , myMenu(new QMenu(this))
{
    // 1. The entry buttons: the feeds in the first row, the other places below.
    // The columns share the width equally, whatever their texts.
    auto* grid = new QGridLayout;
    myGrid = grid;
    grid->setContentsMargins(HOME_MARGIN, HOME_MARGIN, HOME_MARGIN, HOME_MARGIN);
    grid->setSpacing(HOME_SPACING);
    for (int column = 0; column < HOME_COLUMNS; ++column)
        grid->setColumnStretch(column, 1);
    addButton(grid, eEntryMostViewed, TEXT_MOST_VIEWED(), 0, 0);
    addButton(grid, eEntryMostRecent, TEXT_MOST_RECENT(), 0, 1);
    addButton(grid, eEntryMostDiscussed, TEXT_MOST_DISCUSSED(), 0, 2);
    addButton(grid, eEntryTopRated, TEXT_TOP_RATED(), 0, 3);
    addButton(grid, eEntrySearch, TEXT_SEARCH(), 1, 0);
    addButton(grid, eEntryFavorites, TEXT_FAVORITES(), 1, 1);
    addButton(grid, eEntryStatistics, TEXT_STATISTICS(), 1, 2);
    addButton(grid, eEntryUpload, TEXT_UPLOAD(), 1, 3);
    addButton(grid, eEntrySettings, TEXT_SETTINGS(), 2, 0);
    addButton(grid, eEntryExit, TEXT_EXIT(), 2, HOME_COLUMNS - 1);

    // 2. The menu: the same places, and help.
    addMenuEntry(eEntryMostViewed, TEXT_MOST_VIEWED());
    addMenuEntry(eEntryMostRecent, TEXT_MOST_RECENT());
    addMenuEntry(eEntryMostDiscussed, TEXT_MOST_DISCUSSED());
    addMenuEntry(eEntryTopRated, TEXT_TOP_RATED());
    addMenuEntry(eEntrySearch, TEXT_SEARCH());
    addMenuEntry(eEntryFavorites, TEXT_FAVORITES());
    addMenuEntry(eEntryStatistics, TEXT_STATISTICS());
    addMenuEntry(eEntryUpload, TEXT_UPLOAD());
    addMenuEntry(eEntrySettings, TEXT_SETTINGS());
    addMenuEntry(eEntryHelp, TEXT_HELP());
    addMenuEntry(eEntryExit, TEXT_EXIT());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(myHeader);
    layout->addLayout(grid);
    layout->addStretch();
}

HomeView::~HomeView() = default;

void HomeView::addButton(QGridLayout* grid, eHomeEntry entry, const QString& text, int row, int column)
{
    auto* button = new QPushButton(text, this);
    button->setMinimumHeight(HOME_BUTTON_HEIGHT);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    button->installEventFilter(this);
    button->setProperty("homeEntry", entry);
    connect(button, &QPushButton::clicked, this, [this, entry]() { chooseEntry(entry, this); });
    grid->addWidget(button, row, column);
    myButtons.append(button);
}

void HomeView::addMenuEntry(eHomeEntry entry, const QString& text)
{
    QAction* action = myMenu->addAction(text);
    action->setData(static_cast<int>(entry));
}

QPushButton* HomeView::getButton(eHomeEntry entry) const
{
    for (QPushButton* button : myButtons) {
        if (button->property("homeEntry").toInt() == entry)
            return button;
    }
    return nullptr;
}

bool HomeView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return PageBase::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Up && key != Qt::Key_Down)
        return PageBase::eventFilter(watched, event);
    auto* button = qobject_cast<QPushButton*>(watched);
    const int index = button ? myGrid->indexOf(button) : -1;
    if (index < 0)
        return PageBase::eventFilter(watched, event);
    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    myGrid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    if (QPushButton* next = buttonTowards(row, column, key))
        next->setFocus(Qt::TabFocusReason);
    return true;
}

QPushButton* HomeView::buttonTowards(int row, int column, int key) const
{
    auto at = [this](int r, int c) -> QPushButton* {
        QLayoutItem* item = myGrid->itemAtPosition(r, c);
        return item ? qobject_cast<QPushButton*>(item->widget()) : nullptr;
    };
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        const int step = key == Qt::Key_Left ? -1 : 1;
        for (int c = column + step; c >= 0 && c < myGrid->columnCount(); c += step)
            if (QPushButton* button = at(row, c))
                return button;
        return nullptr;
    }
    const int step = key == Qt::Key_Up ? -1 : 1;
    for (int r = row + step; r >= 0 && r < myGrid->rowCount(); r += step) {
        // The nearest column; of two as near, the one to the left.
        for (int distance = 0; distance < myGrid->columnCount(); ++distance) {
            if (QPushButton* button = at(r, column - distance))
                return button;
            if (QPushButton* button = at(r, column + distance))
                return button;
        }
    }
    return nullptr;
}

bool HomeView::entryLeavesPage(int entry)
{
    switch (entry) {
    case eEntryMostViewed:
    case eEntryMostRecent:
    case eEntryMostDiscussed:
    case eEntryTopRated:
    case eEntrySearch:
    case eEntryFavorites:
        return true;
    default:
        return false;
    }
}

void HomeView::addToPageHistory()
{
    myHistory.add(new PageHistoryItem(eHomePageId));
}

void HomeView::blockUiSignals(bool block)
{
    for (QPushButton* button : std::as_const(myButtons))
        button->blockSignals(block);
}

void HomeView::setPageFocus()
{
    if (!myButtons.isEmpty())
        myButtons.first()->setFocus(Qt::OtherFocusReason);
}

void HomeView::chooseEntry(int entry, PageBase* from)
{
    if (entryLeavesPage(entry) && from)
        from->addToPageHistory();

    switch (entry) {
    case eEntryMostViewed:
    case eEntryMostRecent:
    case eEntryMostDiscussed:
    case eEntryTopRated:
        Q_EMIT feedRequest(entry);
        break;
    case eEntrySearch:
        Q_EMIT search();
        break;
    case eEntryFavorites:
        Q_EMIT favorites();
        break;
    case eEntryStatistics:
        Q_EMIT statistics();
        break;
    case eEntryUpload:
        Q_EMIT upload();
        break;
    case eEntrySettings:
        Q_EMIT settings();
        break;
    case eEntryHelp:
        Q_EMIT help();
        break;
    case eEntryExit:
        Q_EMIT exitApplication();
        break;
    default:
        qCWarning(lcShell, "void HomeView::chooseEntry(int, PageBase*) - unknown entry %d", entry);
        break;
    }
}
