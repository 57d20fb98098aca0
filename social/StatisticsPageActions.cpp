#include "social/StatisticsPage.h"

#include "social/HistoryItemStatistics.h"
#include "social/SocialTexts.h"

#include "core/ContactEntry.h"
#include "core/MessageListModel.h"
#include "core/VideoEntry.h"
#include "shell/PageHistory.h"
#include "shell/TwoButtonDialog.h"
#include "social/SocialLogging.h"
#include "widgets/VideoSweepList.h"

#include <QDebug>
#include <QPointer>
#include <QTabWidget>

// The page's row actions, the invitation answers and the page history.

template <typename Item> Item* StatisticsPage::itemAt(const QModelIndex& index, const char* slot) const
{
    if (index.row() < 0 || index.column() < 0 || !index.model()) {
        qCDebug(lcSocial) << slot << "invalid ModelIndex";
        return nullptr;
    }
    const QVariant data = index.data(Qt::DisplayRole);
    Item* item = data.isValid() ? data.value<Item*>() : nullptr;
    if (!item)
        qCDebug(lcSocial) << slot << "invalid data";
    return item;
}

// ---- Videos of the upload history

void StatisticsPage::playButtonClicked()
{
    const QModelIndex index = getResultList()->currentIndex();
    VideoEntry* entry = index.isValid() ? index.data(Qt::DisplayRole).value<VideoEntry*>() : nullptr;
    if (!entry)
        return;
    addToPageHistory();
    Q_EMIT playVideo(entry);
}

void StatisticsPage::authorLinkClicked(const QModelIndex& index)
{
    VideoEntry* entry = itemAt<VideoEntry>(index, "void StatisticsPage::authorLinkClicked(QModelIndex)");
    if (!entry)
        return;
    addToPageHistory();
    myUserName = entry->getAuthorLinkName();
    Q_EMIT getAuthorUploadedVideos(myUserName);
}

void StatisticsPage::videoCommentsClicked(const QModelIndex& index)
{
    VideoEntry* entry = itemAt<VideoEntry>(index, "void StatisticsPage::videoCommentsClicked(QModelIndex)");
    if (!entry)
        return;
    addToPageHistory();
    Q_EMIT showVideoComments(entry->getVideoId());
}

void StatisticsPage::infoButtonClicked(const QModelIndex& index)
{
    // The upload history has no information view of its own.
    itemAt<VideoEntry>(index, "void StatisticsPage::infoButtonClicked(QModelIndex)");
}

// ---- Contacts, invitations and messages

void StatisticsPage::contactLinkClicked(const QModelIndex& index)
{
    ContactEntry* entry = itemAt<ContactEntry>(index, "void StatisticsPage::contactLinkClicked(QModelIndex)");
    if (!entry)
        return;
    addToPageHistory();
    myUserName = entry->getUserName();
    Q_EMIT getContactUploadedVideos(myUserName);
}

void StatisticsPage::inviteAcceptLinkClicked(const QModelIndex& index)
{
    answerInvitation(index, true, "void StatisticsPage::inviteAcceptLinkClicked(QModelIndex)");
}

void StatisticsPage::inviteRejectLinkClicked(const QModelIndex& index)
{
    answerInvitation(index, false, "void StatisticsPage::inviteRejectLinkClicked(QModelIndex)");
}

void StatisticsPage::answerInvitation(const QModelIndex& index, bool accept, const char* slot)
{
    ContactEntry* entry = itemAt<ContactEntry>(index, slot);
    if (!entry)
        return;
    // The question runs an event loop in which the list may be refilled: from here on
    // only the name is used, never the entry.
    myUserName = entry->getUserName();
    const QString name = myUserName;
    const QString question = (accept ? TEXT_ADD_CONTACT_QUESTION() : TEXT_REJECT_CONTACT_QUESTION())
                                 .arg(name)
                                 .arg(TEXT_FRIEND());
    QPointer<StatisticsPage> self(this);
    QPointer<TwoButtonDialog> dialog = new TwoButtonDialog(this);
    dialog->setTitle(accept ? TEXT_ACCEPT_INVITATION_TITLE() : TEXT_REJECT_INVITATION_TITLE());
    dialog->setText(question);
    const int answer = dialog->exec();
    delete dialog;
    if (!self || answer != QDialog::Accepted)
        return;
    showBusyIndicator();
    Q_EMIT sendInvitationResponse(name, accept);
}

void StatisticsPage::showMessage(const QModelIndex& index)
{
    const QVariant data = index.isValid() ? getMessageListModel()->data(index, Qt::DisplayRole) : QVariant();
    if (!data.isValid() || !data.value<MessageEntry*>()) {
        qCDebug(lcSocial) << "showMessage::Invalid index!";
        return;
    }
    addToPageHistory();
    qCDebug(lcSocial) << "ShowMessage( " << index.row() << ");";
    Q_EMIT showMessage(index.row());
}

// ---- History and leaving

int StatisticsPage::historyCode() const
{
    switch (getViewIndex()) {
    case eStatisticsView:
        return HistoryItemStatistics::eStatisticsTab;
    case eUploadsView:
        return HistoryItemStatistics::eUploadsTab;
    case eContactsView:
        switch (getCurrentTab()) {
        case eContactsTab:
            return HistoryItemStatistics::eContactsTab;
        case eInvitationsTab:
            return HistoryItemStatistics::eInvitationsTab;
        case eMessagesTab:
            return HistoryItemStatistics::eMessagesTab;
        }
        break;
    }
    return HistoryItemStatistics::eNoTab;
}

void StatisticsPage::addToPageHistory()
{
    qCDebug(lcSocial) << "void StatisticsPage::addToPageHistory()";
    getHistory().add(new HistoryItemStatistics(eStatisticsPageId, historyCode()));
}

void StatisticsPage::hideEvent(QHideEvent* event)
{
    BaseQueryPage::hideEvent(event);
    // An answer may never come: the indicator does not run on for a page the user
    // has left. Coming back asks again.
    hideBusyIndicator();
}

void StatisticsPage::backButtonActed(bool longClick)
{
    Q_UNUSED(longClick);
    Q_EMIT backButtonSignal();
}
