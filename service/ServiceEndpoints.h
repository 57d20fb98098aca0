#ifndef KRELVOX_SERVICEENDPOINTS_H
#define KRELVOX_SERVICEENDPOINTS_H

#include <QString>
#include <QStringList>
#include <QUrl>

// The service's remote endpoints. By default these are the real hosts; a base URL
// (from KRELVOX_SERVICE_BASE_URL, or given directly) replaces all of them, each
// endpoint getting a path prefix of its own under it. Addresses that arrive inside
// service documents (thumbnails, comment feeds) are mapped the same way.
class ServiceEndpoints
{
public:
    enum Endpoint {
        eApi = 0,        // the GData API
        eAccounts,       // the account login (HTTPS)
        eUpload,         // video uploads
        eThumbnails,     // thumbnail images
        eWeb,            // the web site: watch pages and video files
        eEndpointCount
    };

    ServiceEndpoints();                              // the real hosts
    explicit ServiceEndpoints(const QString& baseUrl); // empty: the real hosts
    static ServiceEndpoints fromEnvironment();

    bool isOverridden() const { return !myBase.isEmpty(); }
    QString baseUrl() const { return myBase; }

    // The root of an endpoint, without a trailing "/".
    QString root(Endpoint endpoint) const;
    // root + path (path starts with "/", already encoded) with an encoded query.
    QUrl url(Endpoint endpoint, const QString& path, const QString& encodedQuery = QString()) const;

    // One path segment made from service data (a user name, a video id): every
    // character that could end or climb out of the segment is percent-encoded.
    static QString pathSegment(const QString& text);

    // An address taken from a service document, made ready to be requested: only
    // http and https addresses are accepted (anything else gives an invalid QUrl);
    // under an override, an address on any host of the service's domains is moved
    // to the matching endpoint of the base URL.
    QUrl mapDocumentUrl(const QString& address) const;
    // The endpoint that a host of the service's domains belongs to; false for a host
    // of no domain of the service.
    static bool endpointOfHost(const QString& host, Endpoint& endpoint);

private:
    QString myBase;
};

// Builds an encoded query string in the order the items are added. Keys and values
// are given as plain text: "+", "&", "=", "#" and non-ASCII letters in a value reach
// the server as they were typed.
class QueryBuilder
{
public:
    QueryBuilder& add(const QString& key, const QString& value);
    QString toString() const { return myItems.join(QLatin1Char('&')); }

private:
    QStringList myItems;
};

#endif
