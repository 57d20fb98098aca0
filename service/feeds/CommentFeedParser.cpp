#include "service/feeds/CommentFeedParser.h"
#include "core/CommentEntry.h"
#include "service/ServiceConstants.h"
#include "service/feeds/AtomReader.h"

#include <QXmlStreamReader>

CommentFeedParser::~CommentFeedParser() = default;

void CommentFeedParser::readEntry(QXmlStreamReader& reader)
{
    auto* entry = new CommentEntry;
    myEntries.append(entry);
    QString title;
    while (reader.readNextStartElement()) {
        if (reader.namespaceUri() != NS_ATOM) {
            AtomReader::skip(reader);
        } else if (reader.name() == ATOM_CONTENT) {
            entry->setContent(AtomReader::text(reader));
        } else if (reader.name() == ATOM_TITLE) {
            title = AtomReader::text(reader);
        } else if (reader.name() == ATOM_PUBLISHED) {
            entry->setPublished(AtomReader::dayMonthYear(AtomReader::text(reader)));
        } else if (reader.name() == ATOM_AUTHOR) {
            QString author = entry->getAuthor();
            AtomReader::readAuthorName(reader, author);
            entry->setAuthor(author);
        } else {
            AtomReader::skip(reader);
        }
    }
    // The title is a shortened copy of the text; it stands in only when there is no text.
    if (entry->getContent().isEmpty())
        entry->setContent(title);
}
