#include "service/ServiceEndpoints.h"
#include "service/ServiceConstants.h"

namespace {

const QString& realRoot(ServiceEndpoints::Endpoint endpoint)
{
    switch (endpoint) {
    case ServiceEndpoints::eAccounts: return SERVICE_ACCOUNTS_URL;
    case ServiceEndpoints::eUpload: return SERVICE_UPLOAD_URL;
    case ServiceEndpoints::eThumbnails: return SERVICE_THUMBNAIL_URL;
    case ServiceEndpoints::eWeb: return SERVICE_WEB_URL;
    case ServiceEndpoints::eApi:
    case ServiceEndpoints::eEndpointCount: break;
    }
    return SERVICE_API_URL;
}

const QString& prefix(ServiceEndpoints::Endpoint endpoint)
{
    switch (endpoint) {
    case ServiceEndpoints::eAccounts: return SERVICE_ACCOUNTS_PREFIX;
    case ServiceEndpoints::eUpload: return SERVICE_UPLOAD_PREFIX;
    case ServiceEndpoints::eThumbnails: return SERVICE_THUMBNAIL_PREFIX;
    case ServiceEndpoints::eWeb: return SERVICE_WEB_PREFIX;
    case ServiceEndpoints::eApi:
    case ServiceEndpoints::eEndpointCount: break;
    }
    return SERVICE_API_PREFIX;
}

// The domain itself or a host under it.
bool isInDomain(const QString& host, const QString& domain)
{
    return host == domain || host.endsWith(QLatin1Char('.') + domain);
}

} // namespace

ServiceEndpoints::ServiceEndpoints() = default;

ServiceEndpoints::ServiceEndpoints(const QString& baseUrl) : myBase(baseUrl.trimmed())
{
    while (myBase.endsWith(QLatin1Char('/')))
        myBase.chop(1);
}

ServiceEndpoints ServiceEndpoints::fromEnvironment()
{
    return ServiceEndpoints(qEnvironmentVariable(SERVICE_ENV_BASE_URL.toLatin1().constData()));
}

QString ServiceEndpoints::root(Endpoint endpoint) const
{
    if (isOverridden())
        return myBase + prefix(endpoint);
    return realRoot(endpoint);
}

QUrl ServiceEndpoints::url(Endpoint endpoint, const QString& path, const QString& encodedQuery) const
{
    QUrl result(root(endpoint) + path, QUrl::StrictMode);
    if (!encodedQuery.isEmpty())
        result.setQuery(encodedQuery, QUrl::StrictMode);
    return result;
}

QString ServiceEndpoints::pathSegment(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QueryBuilder& QueryBuilder::add(const QString& key, const QString& value)
{
    myItems.append(QString::fromLatin1(QUrl::toPercentEncoding(key)) + QLatin1Char('=')
                   + QString::fromLatin1(QUrl::toPercentEncoding(value)));
    return *this;
}

QUrl ServiceEndpoints::mapDocumentUrl(const QString& address) const
{
    QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return QUrl();
    if (!isOverridden())
        return url;
    Endpoint endpoint = eEndpointCount;
    if (!endpointOfHost(url.host(), endpoint))
        return url;
    QUrl mapped(root(endpoint));
    mapped.setPath(mapped.path() + url.path());
    mapped.setQuery(url.query(QUrl::FullyEncoded), QUrl::StrictMode);
    return mapped;
}

bool ServiceEndpoints::endpointOfHost(const QString& host, Endpoint& endpoint)
{
    const QString name = host.toLower();
    for (int i = 0; i < eEndpointCount; ++i) {
        if (name == QUrl(realRoot(static_cast<Endpoint>(i))).host()) {
            endpoint = static_cast<Endpoint>(i);
            return true;
        }
    }
    if (isInDomain(name, SERVICE_THUMBNAIL_DOMAIN) || name == SERVICE_PICTURE_HOST)
        endpoint = eThumbnails;
    else if (isInDomain(name, SERVICE_API_DOMAIN))
        endpoint = eApi;
    else if (isInDomain(name, SERVICE_WEB_DOMAIN))
        endpoint = eWeb;
    else
        return false;
    return true;
}
