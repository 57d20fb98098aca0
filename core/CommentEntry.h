#ifndef KRELVOX_COMMENTENTRY_H
#define KRELVOX_COMMENTENTRY_H

#include <QMetaType>
#include <QRectF>
#include <QString>

// One comment of a video.
class CommentEntry
{
public:
    CommentEntry() = default;
    CommentEntry(const QString& author, const QString& content, const QString& published)
        : myAuthor(author), myContent(content), myPublished(published) {}

    const QString& getAuthor() const { return myAuthor; }
    void setAuthor(const QString& a) { myAuthor = a; }
    const QString& getContent() const { return myContent; }
    void setContent(const QString& c) { myContent = c; }
    const QString& getPublished() const { return myPublished; }
    void setPublished(const QString& p) { myPublished = p; }
    QRectF getAuthorRect() const { return myAuthorRect; }
    void setAuthorRect(const QRectF& r) { myAuthorRect = r; }

private:
    QString myAuthor;
    QString myContent;
    QString myPublished;
    QRectF myAuthorRect;
};

Q_DECLARE_METATYPE(CommentEntry*)

#endif
