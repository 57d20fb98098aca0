#include "tools/fakeservice/AccountRequests.h"
#include "tools/fakeservice/FakeDocuments.h"

#include <QXmlStreamReader>

namespace {

FakeResponse unauthorized()
{
    return FakeResponse::error(401, "TokenExpired", "Token invalid - Invalid AuthSub token.");
}

} // namespace

namespace FakeAccountRequests {

QByteArray fill(QByteArray text, const QList<QPair<QByteArray, QString>>& values)
{
    for (const auto& value : values)
        text.replace("{{" + value.first + "}}", FakeDocuments::escape(value.second));
    return text;
}

// ---- Reading request documents

XmlFind readXml(const QByteArray& body)
{
    XmlFind found;
    QXmlStreamReader reader(body);
    QList<QPair<QString, QString>> open;   // element key, its own text so far
    bool first = true;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            const QString key = reader.namespaceUri().toString() + QLatin1Char('|') + reader.name().toString();
            if (first) {
                found.isEntry = key == QLatin1String(NS_ATOM_URI) + QLatin1String("|entry");
                first = false;
            }
            for (const QXmlStreamAttribute& a : reader.attributes()) {
                const QString attributeKey = key + QLatin1Char('@') + a.name().toString();
                if (!found.attributes.contains(attributeKey))
                    found.attributes.insert(attributeKey, a.value().toString());
            }
            open.append(qMakePair(key, QString()));
            break;
        }
        case QXmlStreamReader::Characters:
            if (!open.isEmpty())
                open.last().second += reader.text();
            break;
        case QXmlStreamReader::EndElement:
            if (!open.isEmpty()) {
                const auto element = open.takeLast();
                if (!found.texts.contains(element.first))
                    found.texts.insert(element.first, element.second);
            }
            break;
        default:
            break;
        }
    }
    found.wellFormed = !reader.hasError() && !first;
    return found;
}

QString text(const XmlFind& xml, const char* ns, const char* name)
{
    return xml.texts.value(QLatin1String(ns) + QLatin1Char('|') + QLatin1String(name));
}

QString attribute(const XmlFind& xml, const char* ns, const char* name, const char* attr)
{
    return xml.attributes.value(QLatin1String(ns) + QLatin1Char('|') + QLatin1String(name) + QLatin1Char('@')
                                + QLatin1String(attr));
}

// ---- Answers

FakeResponse invalid(const QByteArray& reason)
{
    return FakeResponse::error(400, "InvalidEntryException", reason);
}

FakeResponse notFound(const QByteArray& what)
{
    return FakeResponse::error(404, "ResourceNotFoundException", what + " not found");
}

bool refused(const FakeRequest& request, const State& state, FakeResponse& answer)
{
    const QByteArray authorization = request.header("Authorization");
    bool accepted = false;
    for (const QString& token : state->acceptedTokens)
        accepted = accepted || authorization == "GoogleLogin auth=" + token.toLatin1();
    if (!accepted) {
        answer = unauthorized();
        return true;
    }
    if (!request.header("X-GData-Key").startsWith("key=") || request.header("GData-Version") != "2") {
        answer = FakeResponse::error(403, "ServiceForbiddenException", "Missing developer key or version");
        return true;
    }
    return false;
}

bool isAtomBody(const FakeRequest& request)
{
    return request.header("Content-Type").startsWith("application/atom+xml");
}

QStringList segmentsAfter(const QString& path, const QString& prefix)
{
    return path.mid(prefix.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

} // namespace FakeAccountRequests
