#ifndef KRELVOX_STATISTICSCONTROLLER_H
#define KRELVOX_STATISTICSCONTROLLER_H

#include <QHash>
#include <QObject>
#include <QString>

class ContactListModel;
class MessageListModel;
class PageHistory;
class Repository;
class StatisticsPage;
class VideoEntry;
class VideoListModel;
class VideoServiceProvider;

// Behind the account's statistics page: turns the page's requests into calls on the
// video service (the profile, the account's uploads, its contacts together with the
// inbox, the answer to an invitation), hands the service's answers to the page and
// passes the page's navigation wishes on as its own signals.
//
// The service does not say which page an empty or failed feed belongs to: an answer
// is taken for this page's only while its request runs. A failed request ends the
// page's busy indicator and is reported once (errorOccured) while the page is shown;
// a failure that comes after the user has left is traced only, since going back asks
// again. A failed invitation answer is always reported: the user's answer was lost.
class StatisticsController : public QObject
{
    Q_OBJECT
public:
    StatisticsController(VideoServiceProvider* service, Repository& repository, QWidget* parent,
                         PageHistory& history);
    ~StatisticsController() override;

    StatisticsPage* getStatisticsPage() const { return myPage; }

public Q_SLOTS:
    void getStatistics();
    void getContacts();
    void getUploads();
    void setInitialFocus(int unused);

Q_SIGNALS:
    void backButton();
    void showUploadedVideo(VideoEntry* entry);
    void getContactUploadedVideos(QString contact);
    void showVideoComments(QString videoId);
    void showMessage(int entry);
    void setInitialFocus();
    // A request of the page failed; the text says which, for the user.
    void errorOccured(QString text);

private Q_SLOTS:
    void changeToHomepage();
    void getContactsUploadedVideos(const QString& contact);
    void playVideo(VideoEntry* video);
    void sendInvitationResponse(const QString& contact, bool accepted);
    void invitePosted();
    // The service's answers, sorted out for this page.
    void profileFetched(const QHash<QString, QString>& profile);
    void noResults();
    void noMessages();
    void feedRequestFailed();
    void accountRequestFailed(int request, const QString& text);

private:
    // Clears the contact model and asks the service to fill it again.
    void requestContacts();
    void reportFailure(const QString& text, bool always = false);

    VideoServiceProvider* myService;
    StatisticsPage* myPage;
    VideoListModel* myVideoListModel = nullptr;
    ContactListModel* myContactListModel = nullptr;
    MessageListModel* myMessageListModel = nullptr;
    Repository& myRepository;

    // Requests whose answer has not come yet and that share their "no rows" and
    // failure signals with other pages' requests.
    bool myUploadsPending = false;
    bool myContactsPending = false;
    // A failure of this round of requests has been reported; the next request of the
    // user starts a new round.
    bool myFailureReported = false;
};

#endif
