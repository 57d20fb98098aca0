#ifndef KRELVOX_MESSAGEENTRY_H
#define KRELVOX_MESSAGEENTRY_H

#include <QImage>
#include <QMetaType>
#include <QString>

// One inbox message of the account.
class MessageEntry
{
public:
    MessageEntry() = default;

    const QString& getAuthor() const { return myAuthor; }
    void setAuthor(const QString& s) { myAuthor = s; }
    const QString& getTitle() const { return myTitle; }
    void setTitle(const QString& s) { myTitle = s; }
    const QString& getSummary() const { return mySummary; }
    void setSummary(const QString& s) { mySummary = s; }
    const QString& getContent() const { return myContent; }
    void setContent(const QString& s) { myContent = s; }
    const QString& getPublished() const { return myPublished; } // day.month.year
    void setPublished(const QString& s) { myPublished = s; }
    const QString& getThumbnailUrl() const { return myThumbnailUrl; }
    void setThumbnailUrl(const QString& s) { myThumbnailUrl = s; }
    const QString& getThumbnailFile() const { return myThumbnailFile; }
    QImage getThumbnail() const { return myPicture; }
    // Video id a message refers to (a shared video), "" when none.
    const QString& getVideoId() const { return myVideoId; }
    void setVideoId(const QString& s) { myVideoId = s; }

    // Loads the picture; on failure keeps the one it had.
    void setMessageThumbnail(const QString& fileName);

private:
    QString myAuthor;
    QString myTitle;
    QString mySummary;
    QString myContent;
    QString myPublished;
    QString myThumbnailUrl;
    QString myThumbnailFile;
    QString myVideoId;
    QImage myPicture;
};

Q_DECLARE_METATYPE(MessageEntry*)

#endif
