#include "service/feeds/VideoFeedParser.h"
#include "core/VideoEntry.h"
#include "service/ServiceConstants.h"
#include "service/feeds/AtomReader.h"

#include <QDateTime>
#include <QXmlStreamReader>

namespace {

using AtomReader::attribute;
using AtomReader::is;
using AtomReader::text;
using AtomReader::videoIdFromWatchUrl;

// "tag:youtube.com,2008:video:ID" or ".../feeds/api/videos/ID"; "" for ids of
// anything else (favourites, playlist items, messages).
QString videoIdFromEntryId(const QString& id)
{
    int at = id.lastIndexOf(ID_VIDEO_MARK);
    if (at >= 0) {
        const QString tail = id.mid(at + ID_VIDEO_MARK.size());
        return tail.contains(QLatin1Char(':')) ? QString() : tail;
    }
    at = id.lastIndexOf(ID_VIDEO_PATH_MARK);
    if (at >= 0) {
        const QString tail = id.mid(at + ID_VIDEO_PATH_MARK.size());
        return tail.contains(QLatin1Char('/')) ? QString() : tail;
    }
    return QString();
}

QDateTime parseDate(const QString& text)
{
    return QDateTime::fromString(text.trimmed(), Qt::ISODateWithMs);
}

} // namespace

// What an entry's elements say that is settled only at its end, whatever their order.
struct VideoFeedParser::EntryExtras
{
    QString entryId;
    QString thumbnail;
    bool defaultThumbnail = false;
    QString textContent;
    AtomReader::Author author;   // the entry's author: in a list's feed its owner
    QString uploader;            // media:credit role "uploader": the user name
    QString uploaderDisplay;     // its yt:display, in newer documents
    QString uploaded;
};

VideoFeedParser::~VideoFeedParser() = default;

void VideoFeedParser::readEntry(QXmlStreamReader& reader)
{
    auto* entry = new VideoEntry;
    myEntries.append(entry);
    EntryExtras extras;

    while (reader.readNextStartElement()) {
        const QStringView ns = reader.namespaceUri();
        const QStringView name = reader.name();
        if (ns == NS_ATOM) {
            if (name == ATOM_ID) {
                extras.entryId = text(reader).trimmed();
            } else if (name == ATOM_TITLE) {
                entry->setName(text(reader));
            } else if (name == ATOM_PUBLISHED) {
                entry->setUploadDate(parseDate(text(reader)));
            } else if (name == ATOM_AUTHOR) {
                AtomReader::readAuthor(reader, extras.author);
            } else if (name == ATOM_LINK) {
                const QStringView rel = reader.attributes().value(ATTR_REL);
                if (rel == REL_ALTERNATE && entry->getWatchUrl().isEmpty())
                    entry->setWatchUrl(attribute(reader, ATTR_HREF));
                else if (rel == REL_RELATED)
                    entry->setRelatedUrl(attribute(reader, ATTR_HREF));
                else if (rel == REL_RESPONSES)
                    entry->setResponsesUrl(attribute(reader, ATTR_HREF));
                reader.skipCurrentElement();
            } else if (name == ATOM_CATEGORY) {
                if (reader.attributes().value(ATTR_SCHEME) == SCHEME_CATEGORIES && entry->getCategory().isEmpty())
                    entry->setCategory(attribute(reader, ATTR_TERM));
                reader.skipCurrentElement();
            } else if (name == ATOM_CONTENT && reader.attributes().value(ATTR_TYPE) == TEXT_TYPE) {
                extras.textContent = text(reader);
            } else {
                reader.skipCurrentElement();
            }
        } else if (ns == NS_MEDIA && name == MEDIA_GROUP) {
            readGroup(reader, entry, extras);
        } else if (ns == NS_GD && name == GD_RATING) {
            entry->setRating(attribute(reader, ATTR_AVERAGE));
            entry->setRatingCount(attribute(reader, ATTR_NUM_RATERS));
            reader.skipCurrentElement();
        } else if (ns == NS_GD && name == GD_COMMENTS) {
            while (reader.readNextStartElement()) {
                if (is(reader, NS_GD, GD_FEEDLINK)) {
                    entry->setCommentCount(attribute(reader, ATTR_COUNT_HINT));
                    entry->setCommentsUrl(attribute(reader, ATTR_HREF));
                }
                reader.skipCurrentElement();
            }
        } else if (ns == NS_YT && name == YT_STATISTICS) {
            entry->setViewCount(attribute(reader, ATTR_VIEW_COUNT));
            reader.skipCurrentElement();
        } else {
            reader.skipCurrentElement();
        }
    }

    if (entry->getVideoId().isEmpty())
        entry->setVideoId(videoIdFromEntryId(extras.entryId));
    if (entry->getVideoId().isEmpty())
        entry->setVideoId(videoIdFromWatchUrl(entry->getWatchUrl()));
    if (entry->getDescription().isEmpty())
        entry->setDescription(extras.textContent);
    setAuthor(entry, extras);
    if (!entry->getUploadDate().isValid() && !extras.uploaded.isEmpty())
        entry->setUploadDate(parseDate(extras.uploaded));
    entry->setThumbnailUrl(extras.thumbnail);
}

void VideoFeedParser::setAuthor(VideoEntry* entry, const EntryExtras& extras)
{
    // The uploader's credit names the video's author. The entry's author is the same
    // account in video feeds (where it carries the display name), but in the feed of
    // a playlist or of favourites it is the list's owner: an author whose user name
    // differs from the uploader's is not the video's.
    const AtomReader::Author& author = extras.author;
    const bool authorIsUploader = extras.uploader.isEmpty()
        || (author.userName.isEmpty() ? author.name.compare(extras.uploader, Qt::CaseInsensitive) == 0
                                      : author.userName.compare(extras.uploader, Qt::CaseInsensitive) == 0);
    if (authorIsUploader && !author.name.isEmpty()) {
        entry->setAuthor(author.name);
        entry->setAuthorUserName(author.userName.isEmpty() ? extras.uploader : author.userName);
        return;
    }
    if (!extras.uploader.isEmpty()) {
        entry->setAuthor(extras.uploaderDisplay.isEmpty() ? extras.uploader : extras.uploaderDisplay);
        entry->setAuthorUserName(extras.uploader);
        return;
    }
    entry->setAuthor(author.name);
    entry->setAuthorUserName(author.userName);
}

void VideoFeedParser::readGroup(QXmlStreamReader& reader, VideoEntry* entry, EntryExtras& extras)
{
    bool haveDuration = false;
    while (reader.readNextStartElement()) {
        const QStringView ns = reader.namespaceUri();
        const QStringView name = reader.name();
        if (ns == NS_MEDIA) {
            if (name == MEDIA_THUMBNAIL) {
                // The small "default" picture when the feed names it, else the first one.
                const bool isDefault = reader.attributes().value(NS_YT, ATTR_NAME) == THUMBNAIL_DEFAULT_NAME;
                if (extras.thumbnail.isEmpty() || (isDefault && !extras.defaultThumbnail)) {
                    extras.thumbnail = attribute(reader, ATTR_URL);
                    extras.defaultThumbnail = isDefault;
                }
                reader.skipCurrentElement();
            } else if (name == MEDIA_DESCRIPTION) {
                entry->setDescription(text(reader));
            } else if (name == MEDIA_CATEGORY) {
                const QString term = text(reader).trimmed();
                if (entry->getCategory().isEmpty())
                    entry->setCategory(term);
            } else if (name == MEDIA_KEYWORDS) {
                QStringList keywords;
                const QStringList parts = text(reader).split(QLatin1Char(','));
                for (const QString& part : parts) {
                    const QString keyword = part.trimmed();
                    if (!keyword.isEmpty())
                        keywords.append(keyword);
                }
                entry->setKeywords(keywords);
            } else if (name == MEDIA_CONTENT) {
                if (!haveDuration) {
                    bool ok = false;
                    const float seconds = reader.attributes().value(ATTR_DURATION).toFloat(&ok);
                    if (ok && seconds >= 0)
                        entry->setLength(seconds);
                }
                reader.skipCurrentElement();
            } else if (name == MEDIA_CREDIT) {
                const bool isUploader = reader.attributes().value(ATTR_ROLE) == ROLE_UPLOADER;
                const QString display = reader.attributes().value(NS_YT, ATTR_DISPLAY).trimmed().toString();
                const QString credit = text(reader).trimmed();
                if (isUploader && !credit.isEmpty()) {
                    extras.uploader = credit;
                    extras.uploaderDisplay = display;
                }
            } else if (name == MEDIA_PLAYER) {
                if (entry->getWatchUrl().isEmpty())
                    entry->setWatchUrl(attribute(reader, ATTR_URL));
                reader.skipCurrentElement();
            } else {
                reader.skipCurrentElement();
            }
        } else if (ns == NS_YT) {
            if (name == YT_VIDEOID) {
                entry->setVideoId(text(reader).trimmed());
            } else if (name == YT_DURATION) {
                bool ok = false;
                const float seconds = reader.attributes().value(ATTR_SECONDS).toFloat(&ok);
                if (ok && seconds >= 0) {
                    entry->setLength(seconds);
                    haveDuration = true;
                }
                reader.skipCurrentElement();
            } else if (name == YT_UPLOADED) {
                extras.uploaded = text(reader);
            } else {
                reader.skipCurrentElement();
            }
        } else {
            reader.skipCurrentElement();
        }
    }
}
