#include "service/account/ContactManager.h"
#include "core/ContactListModel.h"
#include "core/FileManager.h"
#include "core/Repository.h"
#include "service/ServiceConstants.h"
#include "service/ServiceLogging.h"
#include "service/ServiceTexts.h"
#include "service/account/AccountConstants.h"
#include "service/account/AccountDocuments.h"
#include "service/account/ThumbnailFile.h"

#include <QDebug>

namespace {

struct ContactRequest : public AccountRequest
{
    enum Kind { eContacts, eInfo, eThumbnail, eProfile };

    ContactRequest(const QUrl& url, Kind k) : AccountRequest(url), kind(k) {}

    Kind kind;
    FeedPager pager;
    int fetch = 0;                   // the contacts fetch it belongs to
    ContactEntry* entry = nullptr;   // only touched while the model holds it
    QString userName;
    QString fileName;
};

QString userPath(const QString& user)
{
    return PATH_USERS + ServiceEndpoints::pathSegment(user);
}

} // namespace

ContactManager::ContactManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints,
                               Repository& repository, QObject* parent)
    : AccountRequestManager(network, endpoints, repository, parent)
{
}

QString ContactManager::thumbnailFileName(const QString& folder, const QString& userName)
{
    return FileManager::pathInFolder(folder, CONTACT_THUMBNAIL_PREFIX + userName + THUMBNAIL_FILE_SUFFIX);
}

bool ContactManager::holds(ContactEntry* entry) const
{
    return entry && myModel && myModel->findEntryIndex(entry) >= 0;
}

void ContactManager::dropContactRequests()
{
    const QList<ServiceRequest*> pending = pendingRequests();
    for (ServiceRequest* r : pending)
        if (static_cast<ContactRequest*>(r)->kind != ContactRequest::eProfile)
            abort(r);
}

void ContactManager::getContacts(ContactListModel* model, int startIndex)
{
    qCDebug(lcService) << "ContactManager::getContacts(ContactListModel*, int)"
                       << "start" << startIndex;
    if (!model) {
        qCDebug(lcService) << "NULL pointer: "
                           << "ContactManager::getContacts";
        return;
    }
    model->clear();
    dropContactRequests();
    myModel = model;
    ++myFetch;
    requestContactsPage(FeedPager(startIndex));
    qCDebug(lcService) << "ContactManager::getContacts(ContactListModel*, int)"
                       << "end";
}

void ContactManager::requestContactsPage(const FeedPager& pager)
{
    QueryBuilder query;
    query.add(QUERY_MAX_RESULTS, QString::number(ACCOUNT_FEED_PAGE_SIZE));
    query.add(QUERY_START_INDEX, QString::number(pager.startIndex()));
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    auto* request = new ContactRequest(
        endpoints().url(ServiceEndpoints::eApi, userPath(USER_DEFAULT) + PATH_CONTACTS_SUFFIX, query.toString()),
        ContactRequest::eContacts);
    request->pager = pager;
    request->fetch = myFetch;
    send(request);
}

void ContactManager::getContactInfo(ContactEntry* entry)
{
    if (!holds(entry) || entry->getUserName().isEmpty())
        return;
    QueryBuilder query;
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    auto* request = new ContactRequest(
        endpoints().url(ServiceEndpoints::eApi, userPath(entry->getUserName()), query.toString()), ContactRequest::eInfo);
    request->entry = entry;
    request->userName = entry->getUserName();
    send(request);
}

void ContactManager::getThumbnail(ContactEntry* entry)
{
    if (!holds(entry) || entry->getThumbnailUrl().isEmpty())
        return;
    QUrl url;
    QString folder;
    if (!pictureSource(entry->getThumbnailUrl(), "ContactManager::getThumbnail", url, folder))
        return;
    auto* request = new ContactRequest(url, ContactRequest::eThumbnail);
    request->markAsPictureRequest();
    request->entry = entry;
    request->userName = entry->getUserName();
    request->fileName = thumbnailFileName(folder, entry->getUserName());
    send(request);
}

void ContactManager::getProfile()
{
    qCDebug(lcService) << "ContactManager::getProfile()"
                       << "start";
    QueryBuilder query;
    query.add(QUERY_VERSION, QUERY_VERSION_VALUE);
    send(new ContactRequest(endpoints().url(ServiceEndpoints::eApi, userPath(USER_DEFAULT), query.toString()),
                            ContactRequest::eProfile));
    qCDebug(lcService) << "ContactManager::getProfile()"
                       << "end";
}

bool ContactManager::parseProfile(const QByteArray& document, QHash<QString, QString>& profile) const
{
    AccountDocuments::ProfileItem item;
    QString error;
    if (!AccountDocuments::parseProfile(document, item, error)) {
        qCDebug(lcService) << "ContactManager::parseProfile" << error;
        return false;
    }
    QHash<QString, QString> hash;
    hash.insert(PROFILE_PUBLISHED, item.published);
    hash.insert(PROFILE_LAST_WEB_ACCESS, item.lastWebAccess);
    hash.insert(PROFILE_VIDEO_WATCH_COUNT, item.videoWatchCount);
    hash.insert(PROFILE_FAVORITES, item.favorites);
    hash.insert(PROFILE_CONTACTS, item.contacts);
    hash.insert(PROFILE_SUBSCRIPTIONS, item.subscriptions);

    Repository& store = repository();
    hash.insert(PROFILE_SEARCHES, QString::number(store.getSearchCount()));
    hash.insert(PROFILE_MOST_SEARCHED, store.getMostSearched());
    hash.insert(PROFILE_MOST_VIEWED_VIDEO, store.getMostViewedVideo());
    // Whole megabytes, shown as numbers with up to six significant digits.
    const FileManager* files = store.getFileManager();
    const qint64 usedMb = files ? files->usedDiskSpace() / 1048576 : 0;
    const qint64 freeMb = files ? files->diskSpaceAvailable() / 1024 : 0;
    hash.insert(PROFILE_DISK_SPACE_USED, QString::number(double(usedMb), 'g', 6));
    hash.insert(PROFILE_DISK_SPACE_AVAILABLE, QString::number(double(freeMb), 'g', 6));
    profile = hash;
    return true;
}

void ContactManager::requestSucceeded(ServiceRequest* r)
{
    auto* request = static_cast<ContactRequest*>(r);
    switch (request->kind) {
    case ContactRequest::eContacts:
        contactsArrived(request);
        break;
    case ContactRequest::eInfo:
        contactInfoArrived(request);
        break;
    case ContactRequest::eThumbnail:
        thumbnailArrived(request);
        break;
    case ContactRequest::eProfile: {
        QHash<QString, QString> profile;
        if (!parseProfile(request->receivedData(), profile)) {
            reportFailure(request, ServiceRequest::eMalformed, QStringLiteral("The profile could not be read"));
            return;
        }
        Q_EMIT profileFetched(profile);
        break;
    }
    }
}

void ContactManager::contactsArrived(ServiceRequest* r)
{
    auto* request = static_cast<ContactRequest*>(r);
    ContactListModel* model = myModel;
    if (!model)
        return;
    QList<AccountDocuments::ContactItem> items;
    AccountDocuments::FeedInfo info;
    QString error;
    if (!AccountDocuments::parseContacts(request->receivedData(), items, info, error)) {
        reportFailure(request, ServiceRequest::eMalformed, QStringLiteral("The contacts could not be read: ") + error);
        return;
    }
    QList<ContactEntry*> added;
    for (const AccountDocuments::ContactItem& item : items) {
        if (item.userName.isEmpty()
            || (item.status != CONTACT_STATUS_ACCEPTED && item.status != CONTACT_STATUS_REQUESTED))
            continue;
        auto* entry = new ContactEntry(item.userName, item.since, item.status == CONTACT_STATUS_REQUESTED);
        model->addEntry(entry);
        added.append(entry);
    }
    // A receiver of the new rows may have started another fetch meanwhile: that one
    // takes over then.
    if (request->fetch != myFetch || myModel != model)
        return;
    for (ContactEntry* entry : added)
        getContactInfo(entry);

    if (request->pager.advance(info))
        requestContactsPage(request->pager);
    else if (model->rowCount() == 0)
        Q_EMIT noResults();
}

void ContactManager::contactInfoArrived(ServiceRequest* r)
{
    auto* request = static_cast<ContactRequest*>(r);
    if (!holds(request->entry) || request->entry->getUserName() != request->userName)
        return;
    AccountDocuments::ProfileItem item;
    QString error;
    if (!AccountDocuments::parseProfile(request->receivedData(), item, error)) {
        reportFailure(request, ServiceRequest::eMalformed, QStringLiteral("The contact's profile could not be read: ") + error);
        return;
    }
    myModel->addContactInfo(request->entry, item.published, item.videoWatchCount, item.lastWebAccess, item.uploads,
                            item.thumbnailUrl);
    getThumbnail(request->entry);
}

void ContactManager::thumbnailArrived(ServiceRequest* r)
{
    auto* request = static_cast<ContactRequest*>(r);
    QString error;
    if (!ThumbnailFile::write(request->fileName, request->receivedData(), error)) {
        reportFailure(request, ServiceRequest::eWriteError, error);
        return;
    }
    if (holds(request->entry) && request->entry->getUserName() == request->userName)
        myModel->addThumbnailToEntry(request->entry, request->fileName);
}

void ContactManager::requestFailed(ServiceRequest* r)
{
    auto* request = static_cast<ContactRequest*>(r);
    qCDebug(lcService) << "ContactManager::requestFailed" << request->kind << request->userName
                       << request->failureMessage();
    if (request->kind == ContactRequest::eContacts && request->fetch == myFetch)
        Q_EMIT contactsRequestFailed(withReason(TEXT_CONTACTS_FAILED(), request->failureMessage()));
    else if (request->kind == ContactRequest::eProfile)
        Q_EMIT profileRequestFailed(withReason(TEXT_PROFILE_FAILED(), request->failureMessage()));
}
