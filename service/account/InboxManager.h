#ifndef KRELVOX_INBOXMANAGER_H
#define KRELVOX_INBOXMANAGER_H

#include "service/account/AccountRequestManager.h"

#include <QPointer>

class MessageEntry;
class MessageListModel;

// The account's inbox: one page of messages (up to 50) into a MessageListModel,
// then each message's picture, written into the thumbnails folder and handed to the
// model only while the model still holds the message. An empty inbox raises
// noMessages().
class InboxManager : public AccountRequestManager
{
    Q_OBJECT
public:
    InboxManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints, Repository& repository,
                 QObject* parent = nullptr);

    // startIndex 0 or less: the first page.
    void getInboxMessages(MessageListModel* model, int startIndex);
    void getThumbnail(MessageEntry* entry);

    // The file a message's picture is written to.
    static QString thumbnailFileName(const QString& folder, const MessageEntry& entry);

Q_SIGNALS:
    void noMessages();
    // The inbox of the running fetch could not be read (a picture that fails is not
    // reported).
    void inboxRequestFailed(QString text);

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;

private:
    void messagesArrived(ServiceRequest* request);
    bool holds(MessageEntry* entry) const;

    QPointer<MessageListModel> myModel;
    int myFetch = 0;
};

#endif
