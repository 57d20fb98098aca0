#include "service/YoutubeVideoService.h"

#include <QDebug>

// The account operations: sign-in, posting, contacts, profile, inbox, upload and
// playlists. Until they are built they only leave a trace.

void YoutubeVideoService::initializeAccount()
{
}

void YoutubeVideoService::commentVideo(const QString&, VideoEntry*)
{
    qDebug() << "YoutubeVideoService::commentVideo" << "not available";
}

void YoutubeVideoService::authenticate(eAuthenticateType)
{
    qDebug() << "YoutubeVideoService::authenticate" << "not available";
}

void YoutubeVideoService::cancelAuthentication()
{
    qDebug() << "YoutubeVideoService::cancelAuthentication" << "not available";
}

void YoutubeVideoService::rateVideo(VideoEntry*, int)
{
    qDebug() << "YoutubeVideoService::rateVideo" << "not available";
}

void YoutubeVideoService::sendVideoLink(const QString&, VideoEntry*, const QString&)
{
    qDebug() << "YoutubeVideoService::sendVideoLink" << "not available";
}

void YoutubeVideoService::getProfile()
{
    qDebug() << "YoutubeVideoService::getProfile" << "not available";
}

void YoutubeVideoService::getContacts(ContactListModel*)
{
    qDebug() << "YoutubeVideoService::getContacts" << "not available";
}

void YoutubeVideoService::getInboxMessages(MessageListModel*, int)
{
    qDebug() << "YoutubeVideoService::getInboxMessages" << "not available";
}

void YoutubeVideoService::postRespondToInvite(QString, bool)
{
    qDebug() << "YoutubeVideoService::postRespondToInvite" << "not available";
}

void YoutubeVideoService::uploadVideo(QMap<QString, QString>)
{
    qDebug() << "YoutubeVideoService::uploadVideo" << "not available";
}

void YoutubeVideoService::cancelUploading()
{
    qDebug() << "YoutubeVideoService::cancelUploading" << "not available";
}

void YoutubeVideoService::getPlayLists(PlayListModel*)
{
    qDebug() << "YoutubeVideoService::getPlayLists" << "not available";
}

void YoutubeVideoService::queueCommand(const vsCmdStruct&)
{
    qDebug() << "YoutubeVideoService::queueCommand" << "not available";
}
