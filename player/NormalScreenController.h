#ifndef KRELVOX_NORMALSCREENCONTROLLER_H
#define KRELVOX_NORMALSCREENCONTROLLER_H

#include "core/CommentListModel.h"
#include "player/MovieController.h"

class ContactListModel;
class NormalScreenView;

// The information view's controller: plays the video as MovieController does and
// fills the panes beside it: the video's information with the user's rating (sent
// to the service) and the ways to its related videos and responses, its first
// comments (fetched again after the user commented), and sending the video's link to
// a contact, by e-mail or to the clipboard.
class NormalScreenController : public MovieController
{
    Q_OBJECT
public:
    NormalScreenController(VideoServiceProvider* service, Repository& repository, PageHistory& history,
                           MediaPlayer* player, VideoWidget* videoWidget, DBusService* dbus, QWidget* parent);
    ~NormalScreenController() override;

    NormalScreenView* getNormalScreenView() const;
    CommentListModel* getCommentModel() const;

Q_SIGNALS:
    // The pages of all comments, writing a comment and the description.
    // listButtonsState: whether the video has neighbours to step to.
    void showAllCommentsPage(VideoEntry* video, CommentListModel* model, bool listButtonsState);
    void showWriteCommentPage(VideoEntry* video, bool listButtonsState);
    void showDescriptionPage(VideoEntry* video, bool listButtonsState);
    // Rating, or sending the link to a contact, needs a signed-in account.
    void accountNeeded();
    // The author of a comment was tapped: that author's videos.
    void authorVideosRequested(const QString& author);
    // The videos related to the video shown, or its video responses.
    void relatedVideosRequested(VideoEntry* video);
    void videoResponsesRequested(VideoEntry* video);

protected:
    void videoStarting(const VideoEntry& entry) override;

private:
    // Wires the view's panes; once, when the view has built them.
    void connectPanes();
    // True with a video shown and a signed-in account; without the account it asks
    // for one (accountNeeded).
    bool canUseAccount();
    bool listButtonsState() const;
    QString videoLink() const;
    void fetchComments();
    void rate(int stars);
    void ratingDone(bool done, const QString& text);
    void commentingDone();
    void sendToContact(const QString& contact, const QString& message);
    void sendByMail(const QString& message);
    void copyLink();
    void fetchContacts();
    void sendPaneOpened();
    void contactsChanged();
    void linkSent(bool done, const QString& text);
    void mailCallFinished(const QString& method, bool ok);
    void authorLinkClicked(CommentEntry* comment);

    ContactListModel* myContacts;
    bool myRatingPending = false;
    bool myLinkPending = false;
    bool myMailPending = false;
};

#endif
