#ifndef KRELVOX_CONTACTENTRY_H
#define KRELVOX_CONTACTENTRY_H

#include <QImage>
#include <QMetaType>
#include <QRectF>
#include <QString>

// One contact of the account, or an invitation waiting for the account's answer.
class ContactEntry
{
public:
    ContactEntry() = default;
    ContactEntry(const QString& userName, const QString& since, bool pending)
        : myUserName(userName), mySince(since), myPending(pending) {}

    const QString& getUserName() const { return myUserName; }
    bool isPending() const { return myPending; }
    const QString& getUploads() const { return myUploads; }
    void setUploads(const QString& s) { myUploads = s; }
    const QString& getWatched() const { return myWatched; }
    void setWatched(const QString& s) { myWatched = s; }
    const QString& getSince() const { return mySince; }
    const QString& getJoined() const { return myJoined; }
    void setJoined(const QString& s) { myJoined = s; }
    const QString& getLogged() const { return myLogged; }
    void setLogged(const QString& s) { myLogged = s; }
    const QString& getThumbnailUrl() const { return myThumbnailUrl; }
    void setThumbnailUrl(const QString& s) { myThumbnailUrl = s; }
    const QString& getThumbnailFile() const { return myThumbnailFile; }
    QImage getThumbnail() const { return myThumbnail; }

    // Loads the picture; on failure keeps the one it had.
    void setContactThumbnail(const QString& fileName);

    void setContactLinkRect(const QRectF& r) { myContactLinkRect = r; }
    QRectF getContactLinkRect() const { return myContactLinkRect; }
    void setAcceptLinkRect(const QRectF& r) { myAcceptLinkRect = r; }
    QRectF getAcceptLinkRect() const { return myAcceptLinkRect; }
    void setRejectLinkRect(const QRectF& r) { myRejectLinkRect = r; }
    QRectF getRejectLinkRect() const { return myRejectLinkRect; }

    // The shared ":icons/infobutton.svg" image.
    static const QImage& getInfoButtonImage();

private:
    QString myUserName;
    QString myUploads;
    QString myWatched;
    QString mySince;
    QString myJoined;
    QString myLogged;
    QString myThumbnailUrl;
    QString myThumbnailFile;
    QImage myThumbnail;
    bool myPending = false;
    QRectF myContactLinkRect;
    QRectF myAcceptLinkRect;
    QRectF myRejectLinkRect;
};

Q_DECLARE_METATYPE(ContactEntry*)

#endif
