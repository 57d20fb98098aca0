#ifndef KRELVOX_ACCOUNTREQUESTS_H
#define KRELVOX_ACCOUNTREQUESTS_H

#include "tools/fakeservice/AccountRoutes.h"
#include "tools/fakeservice/FakeService.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>

// What the account routes of the fake service share: reading the documents that
// requests carry, the service's error answers, the check of a request's token and
// headers, and filling a fixture's placeholders.
namespace FakeAccountRequests {

inline const QByteArray TEXT_TYPE = "text/plain";
inline const QByteArray FEED_TYPE = "application/atom+xml; charset=UTF-8; type=feed";
inline const QByteArray ENTRY_TYPE = "application/atom+xml; charset=UTF-8; type=entry";

inline const char* const NS_ATOM_URI = "http://www.w3.org/2005/Atom";
inline const char* const NS_YT_URI = "http://gdata.youtube.com/schemas/2007";
inline const char* const NS_GD_URI = "http://schemas.google.com/g/2005";
inline const char* const NS_MEDIA_URI = "http://search.yahoo.com/mrss/";

using State = std::shared_ptr<FakeAccountState>;

// A fixture with each "{{KEY}}" replaced by its value, escaped for XML.
QByteArray fill(QByteArray text, const QList<QPair<QByteArray, QString>>& values);

// ---- Reading request documents

struct XmlFind
{
    bool wellFormed = false;
    bool isEntry = false;
    QHash<QString, QString> texts;        // "ns|name" -> first text
    QHash<QString, QString> attributes;   // "ns|name@attr" -> first value
};

XmlFind readXml(const QByteArray& body);
QString text(const XmlFind& xml, const char* ns, const char* name);
QString attribute(const XmlFind& xml, const char* ns, const char* name, const char* attr);

// ---- Answers

FakeResponse invalid(const QByteArray& reason);
FakeResponse notFound(const QByteArray& what);

// Whether the request carries an accepted token and the API's headers. An answer
// for the request when it does not.
bool refused(const FakeRequest& request, const State& state, FakeResponse& answer);

bool isAtomBody(const FakeRequest& request);

// The path segments after a prefix, decoded.
QStringList segmentsAfter(const QString& path, const QString& prefix);

} // namespace FakeAccountRequests

#endif
