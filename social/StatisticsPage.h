#ifndef KRELVOX_STATISTICSPAGE_H
#define KRELVOX_STATISTICSPAGE_H

#include "social/BaseQueryPage.h"

#include <QHash>
#include <QList>
#include <QModelIndex>

class BackButton;
class QAbstractItemView;
class ContactEntry;
class ContactEntryItemDelegate;
class ContactFilterProxyModel;
class ContactListModel;
class ContactSweepList;
class MessageEntryItemDelegate;
class MessageListModel;
class MessageSweepList;
class QStackedWidget;
class QTabWidget;
class QTimer;
class StatisticsWidget;

// The signed-in account's page, "My statistics": three views chosen by the buttons of
// the right-hand column: the profile's figures, the account's uploaded videos, and
// the tabs "My contacts", "Invitations" and "Messages". The page asks for data
// through its signals (its controller turns them into service requests) and takes
// the answers through its models and slots. It asks before answering an invitation,
// and records itself in the page history before it hands the user to another page.
class StatisticsPage : public BaseQueryPage
{
    Q_OBJECT
public:
    // The views of the stack and the tabs of the tab widget, in their order.
    enum eView { eStatisticsView = 0, eUploadsView = 1, eContactsView = 2 };
    enum eContactTab { eContactsTab = 0, eInvitationsTab = 1, eMessagesTab = 2 };

    StatisticsPage(Repository* repository, QWidget* parent, PageHistory& history);
    ~StatisticsPage() override;

    // ---- Used by the controller
    // The upload history in front, emptied, with the busy indicator running.
    void initPage();
    // The figures in front.
    void showStatisticsView();
    // A request of the page failed: the busy indicator goes, the rows stay.
    void requestFailed();
    ContactListModel* getContactListModel() const { return myContactModel; }
    MessageListModel* getMessageListModel() const { return myMessageModel; }

    // ---- The parts, for the controller and for tests
    int getViewIndex() const;
    int getCurrentTab() const;
    QTabWidget* getTabWidget() const { return myTabWidget; }
    ContactSweepList* getContactsList() const { return myContactsList; }
    ContactSweepList* getInvitationsList() const { return myInvitationsList; }
    MessageSweepList* getMessageList() const { return myMessageList; }
    ContactFilterProxyModel* getContactsProxy() const { return myContactsProxy; }
    ContactFilterProxyModel* getInvitationsProxy() const { return myInvitationsProxy; }
    // The word over a tab's list that says the list is empty (eContactTab order).
    QLabel* getEmptyTabText(int tab) const { return myEmptyTabTexts.value(tab); }
    StatisticsWidget* getStatisticsWidget() const { return myStatisticsWidget; }
    QPushButton* getStatisticsButton() const { return myStatisticsButton; }
    QPushButton* getUploadHistoryButton() const { return myUploadHistoryButton; }
    QPushButton* getContactsButton() const { return myContactsButton; }
    BackButton* getBackButton() const { return myBackButton; }
    // The user name of the contact, author or invitation last acted on.
    const QString& getUserName() const { return myUserName; }
    // The history code of the view in front (HistoryItemStatistics::eTab).
    int historyCode() const;

public Q_SLOTS:
    void addToPageHistory() override;
    void profileFetched(QHash<QString, QString> data);
    void noMessages();
    void noResults();
    void setInitialFocus();

Q_SIGNALS:
    void getStatistics();
    void getContacts();
    void getUploaded();
    void getContactUploadedVideos(QString contact);
    void sendInvitationResponse(QString contact, bool accepted);
    void showVideoComments(QString videoId);
    void showMessage(int index);

protected:
    void hideEvent(QHideEvent* event) override;
    void backButtonActed(bool longClick) override;

private Q_SLOTS:
    void playButtonClicked();
    void statisticsButtonClicked();
    void uploadButtonClicked();
    void contactsButtonClicked();
    void contactLinkClicked(const QModelIndex& index);
    void authorLinkClicked(const QModelIndex& index);
    void infoButtonClicked(const QModelIndex& index);
    void inviteAcceptLinkClicked(const QModelIndex& index);
    void inviteRejectLinkClicked(const QModelIndex& index);
    void videoCommentsClicked(const QModelIndex& index);
    void itemSelectionCleared();
    void itemSelected();
    void rowsInserted();
    void showMessage(const QModelIndex& index);
    void updateContactCounts();

private:
    // An answer has come: the busy indicator goes and the counts of the view in front
    // are shown, once for all the rows that come in one turn of the event loop (a
    // thousand contacts arrive one row at a time).
    void showCounts();
    // The count label: "1-<count>/<count>", hidden for no rows.
    void createString(const QString& count);
    void showView(int view);
    // A tab of the tab widget: the list, and over it the word shown while it is empty.
    void addContactTab(QAbstractItemView* list, const QString& name, const QString& emptyText);
    // The row's item, or null with the trace the slot names (invalid index or data).
    template <typename Item> Item* itemAt(const QModelIndex& index, const char* slot) const;
    // Asks the question of an invitation answer; on OK the answer is sent.
    void answerInvitation(const QModelIndex& index, bool accept, const char* slot);

    QPushButton* myContactsButton;
    QPushButton* myUploadHistoryButton;
    QPushButton* myStatisticsButton;
    BackButton* myBackButton;
    QString myUserName;
    QStackedWidget* myViews;
    QTabWidget* myTabWidget;
    ContactSweepList* myContactsList;
    ContactSweepList* myInvitationsList;
    ContactEntryItemDelegate* myContactDelegate;
    ContactListModel* myContactModel;
    ContactFilterProxyModel* myContactsProxy;
    ContactFilterProxyModel* myInvitationsProxy;
    MessageSweepList* myMessageList;
    MessageEntryItemDelegate* myMessageDelegate;
    MessageListModel* myMessageModel;
    StatisticsWidget* myStatisticsWidget;
    QList<QLabel*> myEmptyTabTexts;
    QTimer* myCountsTimer;
};

#endif
