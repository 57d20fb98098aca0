#include "browse/SearchPage.h"

#include "browse/BrowseConstants.h"
#include "browse/BrowseTexts.h"
#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "shell/PageHistoryItem.h"
#include "shell/ShellStyles.h"
#include "shell/ShellTexts.h"
#include "widgets/SelectionBox.h"
#include "widgets/TouchRowDelegate.h"
#include "widgets/UniformSweepList.h"
#include "widgets/WidgetStyles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

SearchPage::SearchPage(Repository& repository, PageHistory& history, const CategoryMap& sortOrders, QWidget* parent)
    : PageBase(parent), myRepository(repository), myHistory(history), mySortOrders(sortOrders)
{
    // The widgets are built when the page is first shown or used (buildPage()).
    connect(&myRepository, &Repository::settingChanged, this, &SearchPage::settingChanged);
}

SearchPage::~SearchPage() = default;

void SearchPage::buildPage()
{
    myHeader = new PageHeader(TEXT_SEARCH(), this);
    myQueryField = new QLineEdit(this);
    mySearchButton = new QPushButton(TEXT_SEARCH(), this);
    myCategoryLabel = new QLabel(TEXT_CATEGORY(), this);
    myCategoryBox = new SelectionBox(1, this);
    mySortLabel = new QLabel(TEXT_SORT_BY(), this);
    mySortBox = new SelectionBox(1, this);
    myHistoryLabel = new QLabel(TEXT_SEARCH_HISTORY(), this);
    myHistoryList = new UniformSweepList(this, 0);
    myHistoryModel = new QStringListModel(this);
    myCompleter = new QCompleter(myHistoryModel, this);

    // 1. The query row.
    myQueryField->setStyleSheet(STYLE_LINE_EDIT);
    myQueryField->setPlaceholderText(TEXT_ENTER_SEARCH());
    myQueryField->setMinimumHeight(SEARCH_FIELD_HEIGHT);
    mySearchButton->setStyleSheet(STYLE_PUSH_BUTTON);
    mySearchButton->setFixedSize(SEARCH_BUTTON_WIDTH, SEARCH_FIELD_HEIGHT);
    auto* queryRow = new QHBoxLayout;
    queryRow->setSpacing(SEARCH_SPACING);
    queryRow->addWidget(myQueryField, 1);
    queryRow->addWidget(mySearchButton);

    // 2. Category and sort order.
    for (QLabel* label : {myCategoryLabel, mySortLabel, myHistoryLabel})
        label->setStyleSheet(STYLE_LABEL_18);
    for (SelectionBox* box : {myCategoryBox, mySortBox})
        box->setFixedWidth(SEARCH_BOX_WIDTH);
    mySortKeys = mySortOrders.keys(); // in key order, like the labels below
    mySortBox->setItems(mySortOrders.values());
    if (!myCategoryLabels.isEmpty())
        myCategoryBox->setItems(myCategoryLabels);
    int sortIndex = 0;
    myRepository.getSetting(SETTING_DEFAULT_SORTING_ORDER, sortIndex);
    if (sortIndex >= 0 && sortIndex < mySortBox->count())
        mySortBox->setCurrentIndex(sortIndex);
    auto* choiceRow = new QHBoxLayout;
    choiceRow->setSpacing(SEARCH_SPACING);
    choiceRow->addWidget(myCategoryLabel);
    choiceRow->addWidget(myCategoryBox);
    choiceRow->addStretch(1);
    choiceRow->addWidget(mySortLabel);
    choiceRow->addWidget(mySortBox);

    // 3. The earlier searches, shared by the list and the completion.
    myHistoryList->setModel(myHistoryModel);
    myHistoryList->setItemDelegate(
        new TouchRowDelegate(SEARCH_HISTORY_ROW_HEIGHT, myHistoryList, TouchRowDelegate::eGreyFill));
    myHistoryList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    myCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    myCompleter->setCompletionMode(QCompleter::PopupCompletion);
    // The completion's pop-up is a list like the others, for the finger.
    QAbstractItemView* popup = myCompleter->popup();
    popup->setStyleSheet(STYLE_COMPLETION_LIST);
    popup->setItemDelegate(new TouchRowDelegate(SEARCH_HISTORY_ROW_HEIGHT, popup, TouchRowDelegate::eGreyFill));
    // Installed after the completer's own filter, so it sees a press first: the
    // completer would swallow a tap beside the pop-up (see eventFilter).
    popup->installEventFilter(this);
    reloadHistory();
    int completion = DEFAULT_SEARCH_COMPLETION_ENABLED;
    myRepository.getSetting(SETTING_SEARCH_COMPLETION_ENABLED, completion);
    setCompletionEnabled(completion >= 1);

    auto* form = new QVBoxLayout;
    form->setContentsMargins(SEARCH_MARGIN, SEARCH_MARGIN, SEARCH_MARGIN, SEARCH_MARGIN);
    form->setSpacing(SEARCH_SPACING);
    form->addLayout(queryRow);
    form->addLayout(choiceRow);
    form->addWidget(myHistoryLabel);
    form->addWidget(myHistoryList, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(myHeader);
    layout->addLayout(form, 1);

    // 4. Connections.
    connect(myQueryField, &QLineEdit::returnPressed, this, &SearchPage::startSearch);
    connect(mySearchButton, &QPushButton::clicked, this, &SearchPage::startSearch);
    connect(myHistoryList, &UniformSweepList::selectionMade, this, &SearchPage::historySelectionChanged);
    connect(myHistoryList, &UniformSweepList::textSelected, this, &SearchPage::historyChosen);
    connect(myHistoryList, &QAbstractItemView::activated, this, &SearchPage::historyChosen);
    setBackButton(myHeader->getBackButton(), myHistory);
}

QStringList SearchPage::getHistory() const
{
    ensureBuilt();
    return myHistoryModel->stringList();
}

bool SearchPage::isCompletionEnabled() const
{
    ensureBuilt();
    return myQueryField->completer() != nullptr;
}

QString SearchPage::getCategory() const
{
    ensureBuilt();
    const int index = myCategoryBox->currentIndex();
    return index >= 0 && index < myCategoryKeys.count() ? myCategoryKeys.at(index) : QString();
}

QString SearchPage::getSortBy() const
{
    ensureBuilt();
    const int index = mySortBox->currentIndex();
    return index >= 0 && index < mySortKeys.count() ? mySortKeys.at(index) : QString();
}

void SearchPage::setCategories(CategoryMap& categories)
{
    myCategoryLabels = categories.values();
    // A page not built yet takes them when it is, with nothing chosen.
    if (!isBuilt()) {
        myCategoryKeys = categories.keys();
        return;
    }
    const QString chosen = getCategory();
    myCategoryKeys = categories.keys();
    if (!myCategoryLabels.isEmpty())
        myCategoryBox->setItems(myCategoryLabels);
    const int index = myCategoryKeys.indexOf(chosen);
    if (index > 0)
        myCategoryBox->setCurrentIndex(index);
}

void SearchPage::settingChanged(const QString& key, int value)
{
    // A page not built yet reads the settings when it is.
    if (!isBuilt())
        return;
    if (key == SETTING_SEARCH_COMPLETION_ENABLED) {
        setCompletionEnabled(value >= 1);
    } else if (key == SETTING_DEFAULT_SORTING_ORDER) {
        if (value >= 0 && value < mySortBox->count())
            mySortBox->setCurrentIndex(value);
    }
}

void SearchPage::setCompletionEnabled(bool enabled)
{
    myQueryField->setCompleter(enabled ? myCompleter : nullptr);
}

void SearchPage::clearHistoryList()
{
    // A page not built yet reads the (emptied) store when it is.
    if (!isBuilt())
        return;
    myHistoryModel->setStringList(QStringList());
}

void SearchPage::reloadHistory()
{
    ensureBuilt();
    QStringList texts;
    myRepository.getSearchHistory(texts);
    myHistoryModel->setStringList(texts);
}

void SearchPage::startSearch()
{
    ensureBuilt();
    const QString text = myQueryField->text().trimmed();
    if (text.isEmpty())
        return;
    myRepository.addSearchHistory(text);
    reloadHistory();
    addToPageHistory();
    Q_EMIT search(text, getCategory(), getSortBy());
}

void SearchPage::historySelectionChanged()
{
    const QModelIndexList selected = myHistoryList->selectionModel()->selectedIndexes();
    if (selected.count() == 1)
        myQueryField->setText(selected.first().data().toString());
}

void SearchPage::historyChosen(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    myQueryField->setText(index.data().toString());
    startSearch();
}

bool SearchPage::eventFilter(QObject* watched, QEvent* event)
{
    QAbstractItemView* popup = myCompleter ? myCompleter->popup() : nullptr;
    const QEvent::Type type = event->type();
    if (watched != popup || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease))
        return PageBase::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseButtonPress) {
        if (popup->rect().contains(mouse->position().toPoint()))
            return PageBase::eventFilter(watched, event);
        // A tap beside the suggestions. Closed at the press, they would take the tap
        // with them (the release of a press that closed a pop-up reaches nothing):
        // they close when the finger lifts, and the whole tap goes to the control of
        // this window it began on, so that "Search" searches at the first tap.
        QWidget* window = this->window();
        myTapTarget = window->childAt(window->mapFromGlobal(mouse->globalPosition().toPoint()));
        myTapPress = mouse->globalPosition();
        myTapBeside = true;
        return true;
    }
    if (!myTapBeside)
        return PageBase::eventFilter(watched, event);
    myTapBeside = false;
    popup->hide();
    const QPointer<QWidget> target = myTapTarget;
    const QPointF released = mouse->globalPosition();
    if (target) {
        QMouseEvent press(QEvent::MouseButtonPress, target->mapFromGlobal(myTapPress), myTapPress, mouse->button(),
                          mouse->button(), mouse->modifiers(), mouse->pointingDevice());
        QApplication::sendEvent(target, &press);
    }
    // The press may have done away with the target.
    if (target) {
        QMouseEvent release(QEvent::MouseButtonRelease, target->mapFromGlobal(released), released, mouse->button(),
                            Qt::NoButton, mouse->modifiers(), mouse->pointingDevice());
        QApplication::sendEvent(target, &release);
    }
    return true;
}

void SearchPage::addToPageHistory()
{
    myHistory.add(new PageHistoryItem(eSearchPageId));
}

void SearchPage::blockUiSignals(bool block)
{
    if (!isBuilt())
        return;
    for (QObject* control : std::initializer_list<QObject*>{myQueryField, mySearchButton, myCategoryBox, mySortBox,
                                                            myHistoryList})
        control->blockSignals(block);
}

void SearchPage::setPageFocus()
{
    ensureBuilt();
    myQueryField->setFocus(Qt::OtherFocusReason);
}
