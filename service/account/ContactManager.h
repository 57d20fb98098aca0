#ifndef KRELVOX_CONTACTMANAGER_H
#define KRELVOX_CONTACTMANAGER_H

#include "service/account/AccountRequestManager.h"

#include <QHash>
#include <QPointer>

class ContactEntry;
class ContactListModel;

// The account's contacts and its profile.
//
// Contacts come in three steps per contact: the contacts feed (read in pages of 50
// from the start index) gives the entry, added to the model at once; then the
// contact's profile (joined, watched, last login, uploads, picture address); then the
// picture, written as a "contact_thumb_" file into the thumbnails folder. Each late
// step is applied only while the model still holds the entry. Only contacts whose
// status is "accepted" or "requested" (an invitation to the account) are listed.
// When the feed is read to its end and the model holds no row, noResults() follows.
class ContactManager : public AccountRequestManager
{
    Q_OBJECT
public:
    ContactManager(QNetworkAccessManager* network, const ServiceEndpoints& endpoints, Repository& repository,
                   QObject* parent = nullptr);

    void getContacts(ContactListModel* model, int startIndex = 1);
    void getContactInfo(ContactEntry* entry);
    void getThumbnail(ContactEntry* entry);
    // The signed-in user's profile, delivered with profileFetched.
    void getProfile();

    // The profile hash of a profile entry, completed with the local statistics; false
    // when the document is not a profile.
    bool parseProfile(const QByteArray& document, QHash<QString, QString>& profile) const;

    // The file a contact's picture is written to.
    static QString thumbnailFileName(const QString& folder, const QString& userName);

Q_SIGNALS:
    void noResults();
    void profileFetched(QHash<QString, QString> profile);
    // The contacts feed of the running fetch, or the profile, could not be read. A
    // contact's own profile or picture that fails leaves its row as it is, unreported.
    void contactsRequestFailed(QString text);
    void profileRequestFailed(QString text);

protected:
    void requestSucceeded(ServiceRequest* request) override;
    void requestFailed(ServiceRequest* request) override;

private:
    void requestContactsPage(int startIndex);
    void contactsArrived(ServiceRequest* request);
    void contactInfoArrived(ServiceRequest* request);
    void thumbnailArrived(ServiceRequest* request);
    void dropContactRequests();
    bool holds(ContactEntry* entry) const;

    QPointer<ContactListModel> myModel;
    int myFetch = 0;
};

#endif
