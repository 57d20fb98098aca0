#include "service/account/InboxManager.h"
#include "core/FileManager.h"
#include "core/MessageListModel.h"
#include "core/Repository.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/ServiceTexts.h"
#include "service/account/AccountConstants.h"
#include "service/account/AccountDocuments.h"
#include "service/account/ThumbnailFile.h"

#include <QCryptographicHash>
#include <QDebug>

namespace {

struct InboxRequest : public AccountRequest
{
    enum Kind { eMessages, eThumbnail };

    InboxRequest(const QUrl& url, Kind k) : AccountRequest(url), kind(k) {}

    Kind kind;
    int fetch = 0;
    MessageEntry* entry = nullptr;   // only touched while the model holds it
    QString thumbnailUrl;
    QString fileName;
};

} // namespace

InboxManager::InboxManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints, Repository& repository,
                           QObject* parent)
    : AccountRequestManager(network, endpoints, repository, parent)
{
}

QString InboxManager::thumbnailFileName(const QString& folder, const MessageEntry& entry)
{
    // Messages about one video share its picture.
    QString base = entry.getVideoId();
    if (base.isEmpty())
        base = QString::fromLatin1(
            QCryptographicHash::hash(entry.getThumbnailUrl().toUtf8(), QCryptographicHash::Sha1).toHex());
    return FileManager::pathInFolder(folder, MESSAGE_THUMBNAIL_PREFIX + base + THUMBNAIL_FILE_SUFFIX);
}

bool InboxManager::holds(MessageEntry* entry) const
{
    return entry && myModel && myModel->findEntryIndex(entry) >= 0;
}

void InboxManager::getInboxMessages(MessageListModel* model, int startIndex)
{
    qCDebug(lcService) << "InboxManager::getInboxMessages(MessageListModel*, int)"
                       << "start" << startIndex;
    if (!model) {
        qCDebug(lcService) << "NULL pointer: "
                           << "InboxManager::getInboxMessages";
        return;
    }
    model->clear();
    abortAll();
    myModel = model;
    ++myFetch;

    QueryBuilder query;
    query.add(QUERY_MAX_RESULTS, QString::number(ACCOUNT_FEED_PAGE_SIZE));
    if (startIndex > 0)
        query.add(QUERY_START_INDEX, QString::number(startIndex));
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    auto* request = new InboxRequest(endpoints().url(ServiceEndpoints::eApi,
                                                     PATH_USERS + USER_DEFAULT + PATH_INBOX_SUFFIX, query.toString()),
                                     InboxRequest::eMessages);
    request->fetch = myFetch;
    send(request);
    qCDebug(lcService) << "InboxManager::getInboxMessages(MessageListModel*, int)"
                       << "end";
}

void InboxManager::getThumbnail(MessageEntry* entry)
{
    if (!holds(entry) || entry->getThumbnailUrl().isEmpty())
        return;
    QUrl url;
    QString folder;
    if (!pictureSource(entry->getThumbnailUrl(), "InboxManager::getThumbnail", url, folder))
        return;
    auto* request = new InboxRequest(url, InboxRequest::eThumbnail);
    request->markAsPictureRequest();
    request->entry = entry;
    request->thumbnailUrl = entry->getThumbnailUrl();
    request->fileName = thumbnailFileName(folder, *entry);
    send(request);
}

void InboxManager::requestSucceeded(ServiceRequest* r)
{
    auto* request = static_cast<InboxRequest*>(r);
    if (request->kind == InboxRequest::eMessages) {
        messagesArrived(request);
        return;
    }
    QString error;
    if (!ThumbnailFile::write(request->fileName, request->receivedData(), error)) {
        reportFailure(request, ServiceRequest::eWriteError, error);
        return;
    }
    if (holds(request->entry) && request->entry->getThumbnailUrl() == request->thumbnailUrl)
        myModel->addThumbnailToEntry(request->entry, request->fileName);
}

void InboxManager::messagesArrived(ServiceRequest* r)
{
    auto* request = static_cast<InboxRequest*>(r);
    MessageListModel* model = myModel;
    if (!model || request->fetch != myFetch)
        return;
    QList<AccountDocuments::MessageItem> items;
    AccountDocuments::FeedInfo info;
    QString error;
    if (!AccountDocuments::parseInbox(request->receivedData(), items, info, error)) {
        reportFailure(request, ServiceRequest::eMalformed, QStringLiteral("The inbox could not be read: ") + error);
        return;
    }
    if (items.isEmpty()) {
        Q_EMIT noMessages();
        return;
    }
    QList<MessageEntry*> added;
    for (const AccountDocuments::MessageItem& item : items) {
        auto* entry = new MessageEntry;
        entry->setAuthor(item.author);
        entry->setTitle(item.title);
        entry->setSummary(item.summary);
        entry->setContent(item.content);
        entry->setPublished(item.published);
        entry->setThumbnailUrl(item.thumbnailUrl);
        entry->setVideoId(item.videoId);
        model->addEntry(entry);
        added.append(entry);
    }
    if (request->fetch != myFetch || myModel != model)
        return;
    for (MessageEntry* entry : added)
        getThumbnail(entry);
}

void InboxManager::requestFailed(ServiceRequest* r)
{
    auto* request = static_cast<InboxRequest*>(r);
    qCDebug(lcService) << "InboxManager::requestFailed" << request->kind << request->failureMessage();
    if (request->kind == InboxRequest::eMessages && request->fetch == myFetch)
        Q_EMIT inboxRequestFailed(withReason(TEXT_INBOX_FAILED(), request->failureMessage()));
}
