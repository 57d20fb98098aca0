#include "service/account/AtomEntryWriter.h"
#include "service/ServiceConstants.h"
#include "service/account/AccountConstants.h"

#include <QXmlStreamWriter>

#include <functional>

namespace AtomEntryWriter {

namespace {

const QString ATOM_NS = QString(NS_ATOM);
const QString MEDIA_NS = QString(NS_MEDIA);
const QString YT_NS = QString(NS_YT);
const QString GD_NS = QString(NS_GD);

// An <entry> in the Atom namespace with the extension namespaces declared; body
// writes its children.
QByteArray entry(const std::function<void(QXmlStreamWriter&)>& body)
{
    QByteArray out;
    QXmlStreamWriter writer(&out);
    writer.writeStartDocument();
    writer.writeNamespace(MEDIA_NS, QStringLiteral("media"));
    writer.writeNamespace(YT_NS, QStringLiteral("yt"));
    writer.writeNamespace(GD_NS, QStringLiteral("gd"));
    writer.writeDefaultNamespace(ATOM_NS);
    writer.writeStartElement(ATOM_NS, QString(ATOM_ENTRY));
    body(writer);
    writer.writeEndElement();
    writer.writeEndDocument();
    return out;
}

} // namespace

QString xmlSafe(const QString& text)
{
    QString safe;
    safe.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            safe.append(c);
            safe.append(text.at(++i));
            continue;
        }
        if (c.isSurrogate() || u == 0xFFFE || u == 0xFFFF)
            continue;
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r')
            continue;
        safe.append(c);
    }
    return safe;
}

QByteArray comment(const QString& text)
{
    return entry([&text](QXmlStreamWriter& w) {
        w.writeTextElement(ATOM_NS, QString(ATOM_CONTENT), xmlSafe(text));
    });
}

QByteArray rating(int value)
{
    return entry([value](QXmlStreamWriter& w) {
        w.writeStartElement(GD_NS, QString(GD_RATING));
        w.writeAttribute(QStringLiteral("value"), QString::number(value));
        w.writeAttribute(QStringLiteral("min"), RATING_MIN);
        w.writeAttribute(QStringLiteral("max"), RATING_MAX);
        w.writeEndElement();
    });
}

QByteArray contactStatus(bool accept)
{
    return entry([accept](QXmlStreamWriter& w) {
        w.writeStartElement(ATOM_NS, QString(ATOM_CATEGORY));
        w.writeAttribute(QString(ATTR_SCHEME), QString(SCHEME_CONTACT_LIST));
        w.writeAttribute(QString(ATTR_TERM), CONTACT_LIST_FRIENDS);
        w.writeEndElement();
        w.writeTextElement(YT_NS, QString(YT_STATUS), accept ? CONTACT_STATUS_ACCEPTED : CONTACT_STATUS_REJECTED);
    });
}

QByteArray videoMessage(const QString& videoId, const QString& message)
{
    return entry([&](QXmlStreamWriter& w) {
        w.writeTextElement(ATOM_NS, QString(ATOM_ID), xmlSafe(videoId));
        w.writeTextElement(ATOM_NS, QString(ATOM_SUMMARY), xmlSafe(message));
    });
}

QByteArray playList(const QString& title, const QString& description)
{
    return entry([&](QXmlStreamWriter& w) {
        w.writeStartElement(ATOM_NS, QString(ATOM_TITLE));
        w.writeAttribute(QString(ATTR_TYPE), QString(TEXT_TYPE));
        w.writeCharacters(xmlSafe(title));
        w.writeEndElement();
        w.writeTextElement(ATOM_NS, QString(ATOM_SUMMARY), xmlSafe(description));
    });
}

QByteArray listVideo(const QString& videoId)
{
    return entry([&](QXmlStreamWriter& w) { w.writeTextElement(ATOM_NS, QString(ATOM_ID), xmlSafe(videoId)); });
}

QByteArray listPosition(int position)
{
    return entry([position](QXmlStreamWriter& w) {
        w.writeTextElement(YT_NS, QString(YT_POSITION), QString::number(position));
    });
}

QByteArray upload(const QString& title, const QString& description, const QString& category,
                  const QString& keywords)
{
    return entry([&](QXmlStreamWriter& w) {
        w.writeStartElement(MEDIA_NS, QString(MEDIA_GROUP));
        w.writeStartElement(MEDIA_NS, QString(MEDIA_TITLE));
        w.writeAttribute(QString(ATTR_TYPE), MEDIA_TYPE_PLAIN);
        w.writeCharacters(xmlSafe(title));
        w.writeEndElement();
        w.writeStartElement(MEDIA_NS, QString(MEDIA_DESCRIPTION));
        w.writeAttribute(QString(ATTR_TYPE), MEDIA_TYPE_PLAIN);
        w.writeCharacters(xmlSafe(description));
        w.writeEndElement();
        w.writeStartElement(MEDIA_NS, QString(MEDIA_CATEGORY));
        w.writeAttribute(QString(ATTR_SCHEME), QString(SCHEME_CATEGORIES));
        w.writeCharacters(xmlSafe(category));
        w.writeEndElement();
        w.writeTextElement(MEDIA_NS, QString(MEDIA_KEYWORDS), xmlSafe(keywords));
        w.writeEndElement();
    });
}

} // namespace AtomEntryWriter
