#include "browse/ResultPage.h"

#include "browse/BrowseConstants.h"
#include "browse/BrowseLogging.h"
#include "browse/BrowseTexts.h"
#include "browse/FavoriteSpaceDialog.h"
#include "browse/HistoryItemResult.h"
#include "core/FileManager.h"
#include "core/Repository.h"
#include "core/VideoListModel.h"
#include "core/constants/Settings.h"
#include "shell/BackButton.h"
#include "shell/PageHeader.h"
#include "shell/PageHistory.h"
#include "shell/ProgressRoll.h"
#include "shell/ShellStyles.h"
#include "shell/ShellTexts.h"
#include "widgets/SelectionBox.h"
#include "widgets/VideoEntryItemDelegate.h"
#include "widgets/VideoSweepList.h"

#include <QDebug>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const int TITLE_MAX_CHARS = 40;

QString feedTitle(int type)
{
    switch (type) {
    case eMostRecent:
        return TEXT_MOST_RECENT();
    case eMostDiscussed:
        return TEXT_MOST_DISCUSSED();
    case eTopRated:
        return TEXT_TOP_RATED();
    default:
        return TEXT_MOST_VIEWED();
    }
}

QString titleOf(const ResultRequest& request)
{
    QString title;
    switch (request.kind) {
    case ResultRequest::eFeed:
        return feedTitle(request.feedType);
    case ResultRequest::eSearch:
        title = TEXT_TITLE_WITH_DETAIL().arg(TEXT_SEARCH_RESULTS(), request.text);
        break;
    case ResultRequest::eRelated:
        title = TEXT_TITLE_WITH_DETAIL().arg(TEXT_RELATED_VIDEOS(), request.videoTitle);
        break;
    case ResultRequest::eResponses:
        title = TEXT_TITLE_WITH_DETAIL().arg(TEXT_VIDEO_RESPONSES(), request.videoTitle);
        break;
    case ResultRequest::eAuthor:
        title = TEXT_UPLOADS_OF().arg(request.text);
        break;
    case ResultRequest::eNone:
        break;
    }
    return RowDelegateBase::cutText(title, TITLE_MAX_CHARS);
}

const QStringList& timeFrames()
{
    static const QStringList texts = {TIME_FILTER_TODAY, TIME_FILTER_THIS_WEEK, TIME_FILTER_THIS_MONTH,
                                      TIME_FILTER_ANY_TIME};
    return texts;
}

QPushButton* makeButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setStyleSheet(STYLE_PUSH_BUTTON);
    button->setMinimumHeight(RESULT_BUTTON_HEIGHT);
    return button;
}

} // namespace

ResultPage::ResultPage(Repository& repository, PageHistory& history, QWidget* parent)
    : PageBase(parent), myRepository(repository), myHistory(history)
{
    // The widgets are built when the page is first shown or used (buildPage()).
    connect(&myRepository, &Repository::settingChanged, this, &ResultPage::settingChanged);
}

ResultPage::~ResultPage() = default;

void ResultPage::buildPage()
{
    myHeader = new PageHeader(QString(), this);
    myTimeBox = new SelectionBox(1, myHeader);
    mySortBox = new SelectionBox(1, myHeader);
    myList = new VideoSweepList(this);
    myDelegate = new VideoEntryItemDelegate(myList, VideoEntryItemDelegate::eAuthorMode);
    myModel = new VideoListModel(&myRepository, myList);
    myProgressRoll = new ProgressRoll(this);
    myNoResultsLabel = new QLabel(TEXT_NO_VIDEOS_FOUND(), this);
    myPlayButton = makeButton(TEXT_PLAY(), this);
    myAddLinkButton = makeButton(TEXT_ADD_LINK(), this);
    mySaveButton = makeButton(TEXT_SAVE_VIDEO(), this);
    myPreviousButton = makeButton(TEXT_PREVIOUS(), this);
    myNextButton = makeButton(TEXT_NEXT(), this);
    myRangeLabel = new QLabel(this);

    // 1. Header: the time frame and sort boxes go before the back button.
    for (SelectionBox* box : {myTimeBox, mySortBox}) {
        box->setFixedWidth(RESULT_HEADER_BOX_WIDTH);
        box->hide();
    }
    myTimeBox->setItems(timeFrames());
    if (auto* headerLayout = qobject_cast<QHBoxLayout*>(myHeader->layout())) {
        const int at = myHeader->getBackButton() ? headerLayout->indexOf(myHeader->getBackButton())
                                                 : headerLayout->count();
        headerLayout->insertWidget(at, myTimeBox);
        headerLayout->insertWidget(at + 1, mySortBox);
    }

    // 2. The list with its painter and model; the busy indicator and the no-results
    //    text over it.
    myList->setItemDelegate(myDelegate);
    myList->setModel(myModel);
    myList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    myNoResultsLabel->setStyleSheet(STYLE_LABEL_18);
    myNoResultsLabel->hide();
    myProgressRoll->hide();
    auto* listCell = new QGridLayout;
    listCell->setContentsMargins(0, 0, 0, 0);
    listCell->addWidget(myList, 0, 0);
    listCell->addWidget(myNoResultsLabel, 0, 0, Qt::AlignCenter);
    listCell->addWidget(myProgressRoll, 0, 0, Qt::AlignCenter);

    // 3. Actions for the selected video.
    auto* actions = new QVBoxLayout;
    actions->setContentsMargins(0, 0, 0, 0);
    actions->setSpacing(RESULT_SPACING);
    for (QPushButton* button : {myPlayButton, myAddLinkButton, mySaveButton}) {
        button->setFixedWidth(RESULT_BUTTON_COLUMN_WIDTH);
        actions->addWidget(button);
    }
    actions->addStretch(1);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(RESULT_CONTENT_MARGIN, RESULT_CONTENT_MARGIN, RESULT_CONTENT_MARGIN, 0);
    body->setSpacing(RESULT_SPACING);
    body->addLayout(listCell, 1);
    body->addLayout(actions);

    // 4. Paging bar.
    myRangeLabel->setStyleSheet(STYLE_LABEL_18);
    myRangeLabel->setAlignment(Qt::AlignCenter);
    auto* paging = new QHBoxLayout;
    paging->setContentsMargins(RESULT_CONTENT_MARGIN, RESULT_CONTENT_MARGIN, RESULT_CONTENT_MARGIN,
                               RESULT_CONTENT_MARGIN);
    for (QPushButton* button : {myPreviousButton, myNextButton}) {
        button->setFixedSize(RESULT_PAGING_BUTTON_WIDTH, RESULT_PAGING_BAR_HEIGHT);
        button->setEnabled(false);
    }
    paging->addWidget(myPreviousButton);
    paging->addWidget(myRangeLabel, 1);
    paging->addWidget(myNextButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(myHeader);
    layout->addLayout(body, 1);
    layout->addLayout(paging);

    // 5. The stored defaults of the boxes, and the sort orders given so far.
    applySortOrders();
    QString storedTime;
    myRepository.getSetting(SETTING_TIME_FILTER, storedTime);
    myStoredTimeFilter = storedTime;
    const int timeIndex = timeFrames().indexOf(storedTime);
    if (timeIndex >= 0)
        myTimeBox->setCurrentIndex(timeIndex);

    // 6. Connections.
    connect(myPlayButton, &QPushButton::clicked, this, &ResultPage::playButtonClicked);
    connect(myAddLinkButton, &QPushButton::clicked, this, &ResultPage::addLinkButtonClicked);
    connect(mySaveButton, &QPushButton::clicked, this, &ResultPage::addVideoToFavoritesButtonClicked);
    connect(myPreviousButton, &QPushButton::clicked, this, &ResultPage::previousPageRequested);
    connect(myNextButton, &QPushButton::clicked, this, &ResultPage::nextPageRequested);
    connect(myList, &UniformSweepList::textSelected, this, &ResultPage::itemChosen);
    connect(myList, &QAbstractItemView::activated, this, &ResultPage::itemChosen);
    connect(myList, &VideoSweepList::authorLinkClicked, this, &ResultPage::authorLinkClicked);
    connect(myList, &VideoSweepList::infoButtonClicked, this, &ResultPage::infoButtonClicked);
    connect(myList, &UniformSweepList::selectionMade, this, &ResultPage::selectionChanged);
    connect(myList, &SweepListBase::selectionCleared, this, &ResultPage::selectionChanged);
    connect(myTimeBox, &SelectionBox::currentIndexChanged, this, &ResultPage::timeBoxClosed);
    connect(mySortBox, &SelectionBox::currentIndexChanged, this, &ResultPage::sortBoxClosed);
    setBackButton(myHeader->getBackButton(), myHistory);

    updateActions();
}


// ---- Request, boxes and state

void ResultPage::setRequest(const ResultRequest& request)
{
    ensureBuilt();
    myRequest = request;
    myHeader->setTitle(titleOf(request));
    myTimeBox->setVisible(request.kind == ResultRequest::eFeed);
    mySortBox->setVisible(request.kind == ResultRequest::eSearch);
    if (request.kind == ResultRequest::eFeed) {
        const int index = timeFrames().indexOf(request.timeFilter);
        if (index >= 0)
            myTimeBox->setCurrentIndex(index);
    } else if (request.kind == ResultRequest::eSearch) {
        setSortBy(request.sortBy);
    }
}

void ResultPage::setSortOrders(const CategoryMap& sortOrders)
{
    // QMap iterates in key order.
    mySortKeys = sortOrders.keys();
    mySortLabels = sortOrders.values();
    // A page not built yet takes them when it is.
    if (isBuilt())
        applySortOrders();
}

void ResultPage::applySortOrders()
{
    mySortBox->setItems(mySortLabels);
    int index = 0;
    myRepository.getSetting(SETTING_DEFAULT_SORTING_ORDER, index);
    setSortIndex(index);
}

QString ResultPage::timeFilterForRequest()
{
    ensureBuilt();
    QString stored;
    myRepository.getSetting(SETTING_TIME_FILTER, stored);
    if (stored != myStoredTimeFilter) {
        myStoredTimeFilter = stored;
        const int index = timeFrames().indexOf(stored);
        if (index >= 0)
            myTimeBox->setCurrentIndex(index);
    }
    return myTimeBox->currentText();
}

int ResultPage::getTimeFrameIndex() const
{
    ensureBuilt();
    return myTimeBox->currentIndex();
}

void ResultPage::setTimeFrameIndex(int index)
{
    ensureBuilt();
    if (index >= 0 && index < myTimeBox->count())
        myTimeBox->setCurrentIndex(index);
}

QString ResultPage::getSortBy() const
{
    ensureBuilt();
    const int index = mySortBox->currentIndex();
    return index >= 0 && index < mySortKeys.count() ? mySortKeys.at(index) : QString();
}

int ResultPage::getSortIndex() const
{
    ensureBuilt();
    return mySortBox->currentIndex();
}

void ResultPage::setSortIndex(int index)
{
    ensureBuilt();
    if (index >= 0 && index < mySortBox->count())
        mySortBox->setCurrentIndex(index);
}

void ResultPage::setSortBy(const QString& key)
{
    setSortIndex(mySortKeys.indexOf(key));
}

void ResultPage::settingChanged(const QString& key, int value)
{
    // A page not built yet reads the setting when it is.
    if (key == SETTING_DEFAULT_SORTING_ORDER && isBuilt())
        setSortIndex(value);
}

void ResultPage::startFilling()
{
    ensureBuilt();
    myNoResultsLabel->hide();
    myRangeLabel->clear();
    myPreviousButton->setEnabled(false);
    myNextButton->setEnabled(false);
    myProgressRoll->show();
    myProgressRoll->raise();
    myProgressRoll->start();
    updateActions();
}

void ResultPage::showFilled(int firstIndex, int lastIndex, int total)
{
    ensureBuilt();
    stopFilling();
    myNoResultsLabel->hide();
    myRangeLabel->setText(TEXT_RESULT_RANGE().arg(firstIndex).arg(lastIndex).arg(total));
    myPreviousButton->setEnabled(firstIndex > 1);
    myNextButton->setEnabled(lastIndex < total);
    applyPosition();
}

void ResultPage::showNoResults()
{
    ensureBuilt();
    stopFilling();
    myRangeLabel->clear();
    myNoResultsLabel->show();
    myNoResultsLabel->raise();
    myPreviousButton->setEnabled(myRequest.startIndex > 1);
    myNextButton->setEnabled(false);
}

void ResultPage::showFailed()
{
    ensureBuilt();
    stopFilling();
    myPreviousButton->setEnabled(myRequest.startIndex > 1);
    myNextButton->setEnabled(false);
}

void ResultPage::stopFilling()
{
    ensureBuilt();
    myProgressRoll->stop();
    myProgressRoll->hide();
    updateActions();
}

bool ResultPage::isFilling() const
{
    ensureBuilt();
    return myProgressRoll->isRunning();
}

// ---- Position

void ResultPage::restorePosition(int scrollValue, int row)
{
    ensureBuilt();
    myPendingScroll = scrollValue;
    myPendingRow = row;
    applyPosition();
}

void ResultPage::applyPosition()
{
    if (myPendingScroll < 0 && myPendingRow < 0)
        return;
    if (myModel->rowCount() == 0)
        return; // the rows have not arrived yet
    myList->doItemsLayout();
    if (myPendingRow >= 0 && myPendingRow < myModel->rowCount()) {
        myList->setCurrentIndex(myModel->index(myPendingRow, 0));
    }
    if (myPendingScroll >= 0)
        myList->verticalScrollBar()->setValue(myPendingScroll);
    // The list's signals may be blocked while the page is hidden.
    updateActions();
    // A hidden page lays its rows out again when shown: keep the position until then.
    if (isVisible()) {
        myPendingScroll = -1;
        myPendingRow = -1;
    }
}

int ResultPage::getScrollPosition() const
{
    ensureBuilt();
    return myList->verticalScrollBar()->value();
}

int ResultPage::getCurrentRow() const
{
    ensureBuilt();
    const QModelIndex current = myList->currentIndex();
    return current.isValid() ? current.row() : -1;
}

// ---- Page

void ResultPage::addToPageHistory()
{
    ensureBuilt();
    auto* item = new HistoryItemResult(myRequest);
    item->setScrollPosition(getScrollPosition());
    item->setCurrentRow(getCurrentRow());
    item->setSort(getSortIndex());
    item->setTimeFrame(getTimeFrameIndex());
    myHistory.add(item);
}

void ResultPage::blockUiSignals(bool block)
{
    if (!isBuilt())
        return;
    for (QObject* control : std::initializer_list<QObject*>{myList, myTimeBox, mySortBox, myPlayButton,
                                                            myAddLinkButton, mySaveButton, myPreviousButton,
                                                            myNextButton})
        control->blockSignals(block);
}

void ResultPage::setPageFocus()
{
    ensureBuilt();
    myList->setFocus(Qt::OtherFocusReason);
}

void ResultPage::showEvent(QShowEvent* event)
{
    PageBase::showEvent(event);
    applyPosition();
    updateActions();
}

void ResultPage::hideEvent(QHideEvent* event)
{
    PageBase::hideEvent(event);
    if (myList)
        myList->stopKineticScroll();
}

// ---- Rows and actions

VideoEntry* ResultPage::entryAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != myModel) {
        qCDebug(lcBrowse) << "ResultPage: invalid ModelIndex";
        return nullptr;
    }
    VideoEntry* entry = qvariant_cast<VideoEntry*>(myModel->data(index, Qt::DisplayRole));
    if (!entry)
        qCDebug(lcBrowse) << "ResultPage: invalid data";
    return entry;
}

VideoEntry* ResultPage::selectedEntry() const
{
    const QModelIndexList selected = myList->selectionModel()->selectedIndexes();
    return selected.count() == 1 ? entryAt(selected.first()) : nullptr;
}

void ResultPage::updateActions()
{
    const bool hasVideo = selectedEntry() != nullptr;
    myPlayButton->setEnabled(hasVideo);
    myAddLinkButton->setEnabled(hasVideo);
    mySaveButton->setEnabled(hasVideo);
}

void ResultPage::selectionChanged()
{
    updateActions();
}

void ResultPage::playButtonClicked()
{
    if (VideoEntry* entry = selectedEntry()) {
        addToPageHistory();
        Q_EMIT playVideo(entry);
    }
}

void ResultPage::itemChosen(const QModelIndex& index)
{
    if (VideoEntry* entry = entryAt(index)) {
        addToPageHistory();
        Q_EMIT playVideo(entry);
    }
}

void ResultPage::infoButtonClicked(const QModelIndex& index)
{
    if (VideoEntry* entry = entryAt(index)) {
        addToPageHistory();
        Q_EMIT showVideoInfo(entry);
    }
}

void ResultPage::authorLinkClicked(const QModelIndex& index)
{
    VideoEntry* entry = entryAt(index);
    if (!entry || entry->getAuthorLinkName().isEmpty())
        return;
    addToPageHistory();
    Q_EMIT authorVideosRequested(entry->getAuthorLinkName());
}

void ResultPage::addLinkButtonClicked()
{
    if (VideoEntry* entry = selectedEntry())
        Q_EMIT addVideoToFavorites(entry, true);
}

void ResultPage::addVideoToFavoritesButtonClicked()
{
    VideoEntry* entry = selectedEntry();
    if (!entry)
        return;
    FileManager* files = myRepository.getFileManager();
    if (files && files->freeDiskSpaceAvailable()) {
        Q_EMIT addVideoToFavorites(entry, false);
        return;
    }
    FavoriteSpaceDialog dialog(this);
    const int choice = dialog.exec();
    if (choice == FavoriteSpaceDialog::eToFavorites) {
        addToPageHistory();
        Q_EMIT showFavoritesPage();
    } else if (choice == FavoriteSpaceDialog::eToSettings) {
        // The settings page lets the page it leaves record itself.
        Q_EMIT showSettingsPage();
    }
}

void ResultPage::timeBoxClosed(const QString& text)
{
    Q_UNUSED(text);
    Q_EMIT timeFrameChanged(myTimeBox->currentText());
}

void ResultPage::sortBoxClosed(const QString& text)
{
    Q_UNUSED(text);
    Q_EMIT sortOrderChanged(getSortBy());
}
