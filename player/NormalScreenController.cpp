#include "player/NormalScreenController.h"

#include "core/CommentEntry.h"
#include "core/CommentListModel.h"
#include "core/ContactListModel.h"
#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "player/NormalScreenView.h"
#include "player/PlayerTexts.h"
#include "player/RatingWidget.h"
#include "player/SendLinkWidget.h"
#include "player/VideoCommentsWidget.h"
#include "player/VideoInfoWidget.h"
#include "service/ServiceConstants.h"
#include "service/VideoServiceProvider.h"
#include "shell/DBusService.h"
#include "shell/PlatformConstants.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>

NormalScreenController::NormalScreenController(VideoServiceProvider* service, Repository& repository,
                                               PageHistory& history, MediaPlayer* player, VideoWidget* videoWidget,
                                               DBusService* dbus, QWidget* parent)
    : MovieController(service, repository, player, videoWidget, dbus, new NormalScreenView(history, parent), parent),
      myContacts(new ContactListModel(this))
{
    connect(myContacts, &QAbstractItemModel::rowsInserted, this, &NormalScreenController::contactsChanged);
    connect(myContacts, &QAbstractItemModel::modelReset, this, &NormalScreenController::contactsChanged);
    // One account's contacts are not offered under another's: signing out forgets
    // them, and the pane fetches the next account's when it opens.
    connect(&myRepository, &Repository::settingChanged, this, [this](const QString& key, int value) {
        if (key == SETTING_YOUTUBE_ACCOUNT_SIGNED_IN && value == 0 && myContacts->rowCount() > 0)
            myContacts->clear();
    });
    if (myService) {
        connect(myService, &VideoServiceProvider::commentingDone, this, &NormalScreenController::commentingDone);
        connect(myService, &VideoServiceProvider::ratingDone, this, &NormalScreenController::ratingDone);
        connect(myService, &VideoServiceProvider::linkSent, this, &NormalScreenController::linkSent);
    }
    if (myDBus)
        connect(myDBus, &DBusService::callFinished, this, &NormalScreenController::mailCallFinished);
    // The view builds its panes when it is first shown or used.
    if (getNormalScreenView()->isBuilt())
        connectPanes();
    else
        connect(getNormalScreenView(), &PageBase::pageBuilt, this, &NormalScreenController::connectPanes);
}

void NormalScreenController::connectPanes()
{
    NormalScreenView* view = getNormalScreenView();

    VideoInfoWidget* info = view->getInfoWidget();
    connect(info->getRatingWidget(), &RatingWidget::ratingRequested, this, &NormalScreenController::rate);
    connect(info, &VideoInfoWidget::descriptionRequested, this,
            [this] { Q_EMIT showDescriptionPage(getVideo(), listButtonsState()); });
    connect(info, &VideoInfoWidget::relatedVideosRequested, this, [this] {
        if (isActive() && getVideo())
            Q_EMIT relatedVideosRequested(getVideo());
    });
    connect(info, &VideoInfoWidget::videoResponsesRequested, this, [this] {
        if (isActive() && getVideo())
            Q_EMIT videoResponsesRequested(getVideo());
    });

    VideoCommentsWidget* comments = view->getCommentsWidget();
    connect(comments, &VideoCommentsWidget::allCommentsRequested, this,
            [this] { Q_EMIT showAllCommentsPage(getVideo(), getCommentModel(), listButtonsState()); });
    connect(comments, &VideoCommentsWidget::writeCommentRequested, this,
            [this] { Q_EMIT showWriteCommentPage(getVideo(), listButtonsState()); });
    connect(comments, &VideoCommentsWidget::authorLinkClicked, this, &NormalScreenController::authorLinkClicked);
    // Comments are asked for a video this view shows, so they never arrive before it is built.
    if (myService)
        connect(myService, &VideoServiceProvider::commentsReady, comments, &VideoCommentsWidget::commentsArrived);

    SendLinkWidget* send = view->getSendLinkWidget();
    connect(send, &SendLinkWidget::sendToContactRequested, this, &NormalScreenController::sendToContact);
    connect(send, &SendLinkWidget::sendByMailRequested, this, &NormalScreenController::sendByMail);
    connect(send, &SendLinkWidget::copyRequested, this, &NormalScreenController::copyLink);
    connect(send, &SendLinkWidget::contactsNeeded, this, &NormalScreenController::fetchContacts);
    connect(view->getTab(NormalScreenView::eSendPane), &QPushButton::clicked, this,
            &NormalScreenController::sendPaneOpened);
}

NormalScreenController::~NormalScreenController() = default;

NormalScreenView* NormalScreenController::getNormalScreenView() const
{
    return static_cast<NormalScreenView*>(myView);
}

CommentListModel* NormalScreenController::getCommentModel() const
{
    return getNormalScreenView()->getCommentsWidget()->getModel();
}

bool NormalScreenController::canUseAccount()
{
    if (!isActive() || !getVideo() || !myService)
        return false;
    int signedIn = 0;
    myRepository.getSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, signedIn);
    if (signedIn == 0) {
        Q_EMIT accountNeeded();
        return false;
    }
    return true;
}

bool NormalScreenController::listButtonsState() const
{
    return myView->getNextButton()->isEnabled() || myView->getPreviousButton()->isEnabled();
}

QString NormalScreenController::videoLink() const
{
    const VideoEntry* video = getVideo();
    if (!video)
        return QString();
    if (!video->getWatchUrl().isEmpty())
        return video->getWatchUrl();
    return SERVICE_WEB_URL + PATH_WATCH + QLatin1Char('?') + QUERY_WATCH_VIDEO + QLatin1Char('=') + video->getVideoId();
}

void NormalScreenController::videoStarting(const VideoEntry& entry)
{
    Q_UNUSED(entry);
    myRatingPending = false;
    myLinkPending = false;
    myMailPending = false;
    getNormalScreenView()->getSendLinkWidget()->reset();
    fetchComments();
}

void NormalScreenController::fetchComments()
{
    CommentListModel* model = getCommentModel();
    model->clear();
    if (myService && getVideo())
        myService->getComments(getVideo(), model, 0);
}

// ---- Rating

void NormalScreenController::rate(int stars)
{
    if (!canUseAccount())
        return;
    myRatingPending = true;
    getNormalScreenView()->getInfoWidget()->getRatingWidget()->setUserRating(stars);
    myService->rateVideo(getVideo(), stars);
}

void NormalScreenController::ratingDone(bool done, const QString& text)
{
    if (!myRatingPending)
        return;
    myRatingPending = false;
    VideoInfoWidget* info = getNormalScreenView()->getInfoWidget();
    // The service's text says how it went.
    info->setRatingNote(text);
    if (!done)
        info->getRatingWidget()->setUserRating(0);
}

// ---- Comments

void NormalScreenController::commentingDone()
{
    if (!isActive() || !getVideo())
        return;
    fetchComments();
    getNormalScreenView()->showPane(NormalScreenView::eCommentsPane);
}

void NormalScreenController::authorLinkClicked(CommentEntry* comment)
{
    if (comment && !comment->getAuthor().isEmpty())
        Q_EMIT authorVideosRequested(comment->getAuthor());
}

// ---- Sending the link

void NormalScreenController::fetchContacts()
{
    if (!canUseAccount())
        return;
    myService->getContacts(myContacts);
}

// The pane opens on "To a contact", which the way box does not announce: the
// contacts are fetched here, without asking for an account when none is signed in.
void NormalScreenController::sendPaneOpened()
{
    int signedIn = 0;
    myRepository.getSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, signedIn);
    if (signedIn != 0 && myContacts->rowCount() == 0
        && getNormalScreenView()->getSendLinkWidget()->getWay() == SendLinkWidget::eToContact)
        fetchContacts();
}

void NormalScreenController::contactsChanged()
{
    QStringList names;
    for (const ContactEntry* contact : myContacts->entries())
        if (contact && !contact->isPending())
            names << contact->getUserName();
    getNormalScreenView()->getSendLinkWidget()->setContacts(names);
}

void NormalScreenController::sendToContact(const QString& contact, const QString& message)
{
    if (!canUseAccount())
        return;
    myLinkPending = true;
    myService->sendVideoLink(contact, getVideo(), message);
}

void NormalScreenController::linkSent(bool done, const QString& text)
{
    if (!myLinkPending)
        return;
    myLinkPending = false;
    Q_UNUSED(done); // the service's text says how it went
    getNormalScreenView()->getSendLinkWidget()->setResult(text);
}

void NormalScreenController::sendByMail(const QString& message)
{
    const VideoEntry* video = getVideo();
    if (!isActive() || !video || !myDBus)
        return;
    myMailPending = true;
    myDBus->composeMail(video->getName(), TEXT_MAIL_BODY().arg(message, video->getName(), videoLink()));
}

void NormalScreenController::mailCallFinished(const QString& method, bool ok)
{
    if (!myMailPending || method != DBUS_MAIL_COMPOSE)
        return;
    myMailPending = false;
    getNormalScreenView()->getSendLinkWidget()->setResult(ok ? TEXT_LINK_MAILED() : TEXT_MAIL_UNAVAILABLE());
}

void NormalScreenController::copyLink()
{
    if (!isActive() || !getVideo())
        return;
    QGuiApplication::clipboard()->setText(videoLink());
    getNormalScreenView()->getSendLinkWidget()->setResult(TEXT_LINK_COPIED());
}
