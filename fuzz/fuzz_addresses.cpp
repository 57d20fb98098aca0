// Addresses and ids from documents: document links mapped to the service's endpoints,
// ids and texts put into paths and queries, watch links and dates.
#include "fuzz/FuzzSupport.h"

#include "service/ServiceConstants.h"
#include "service/account/AccountConstants.h"
#include "service/ServiceEndpoints.h"
#include "service/feeds/AtomReader.h"

#include <QUrlQuery>

namespace {

const QString LOCAL = QStringLiteral("http://127.0.0.1:4711");

bool hasDotSegment(const QUrl& url)
{
    const QStringList segments = url.path(QUrl::FullyEncoded).split(QLatin1Char('/'));
    for (const QString& segment : segments) {
        const QString decoded = QUrl::fromPercentEncoding(segment.toLatin1());
        if (decoded == QLatin1String(".") || decoded == QLatin1String(".."))
            return true;
    }
    return false;
}

// A mapped address is http or https, and one on the base URL stays under one of the
// endpoints' prefixes.
void checkMapped(const ServiceEndpoints& endpoints, const QString& address)
{
    const QUrl url = endpoints.mapDocumentUrl(address);
    if (!url.isValid())
        return;
    FUZZ_CHECK(url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
    FUZZ_CHECK(!url.host().isEmpty());
    FUZZ_CHECK(!hasDotSegment(url));
    if (!endpoints.isOverridden() || url.host() != QLatin1String("127.0.0.1") || url.port() != 4711)
        return;
    bool under = false;
    for (int i = 0; i < ServiceEndpoints::eEndpointCount; ++i) {
        const QString root = endpoints.root(static_cast<ServiceEndpoints::Endpoint>(i)).mid(LOCAL.size());
        const QString path = url.path(QUrl::FullyEncoded);
        under = under || path == root || path.startsWith(root + QLatin1Char('/'));
    }
    FUZZ_CHECK(under);
}

// An id in a path stays one segment, or the address is refused; a text in a query
// comes back as it was.
void checkBuilt(const ServiceEndpoints& endpoints, const QString& text)
{
    const QString segment = ServiceEndpoints::pathSegment(text);
    const QUrl path = endpoints.url(ServiceEndpoints::eApi, PATH_USERS + segment + PATH_CONTACTS_SUFFIX);
    if (path.isValid()) {
        FUZZ_CHECK(!hasDotSegment(path));
        const QString root = QUrl(endpoints.root(ServiceEndpoints::eApi)).path();
        FUZZ_CHECK(path.path(QUrl::FullyEncoded) == root + PATH_USERS + segment + PATH_CONTACTS_SUFFIX);
        const QStringList segments = path.path(QUrl::FullyEncoded).split(QLatin1Char('/'));
        FUZZ_CHECK(segments.size() == root.count(QLatin1Char('/')) + 6);
        FUZZ_CHECK(QUrl::fromPercentEncoding(segments.at(segments.size() - 2).toLatin1()) == text);
    } else {
        FUZZ_CHECK(text.isEmpty() || text == QLatin1String(".") || text == QLatin1String(".."));
    }

    QueryBuilder query;
    query.add(QStringLiteral("q"), text);
    const QUrl search = endpoints.url(ServiceEndpoints::eApi, PATH_VIDEOS, query.toString());
    FUZZ_CHECK(search.isValid());
    const QUrlQuery items(search);
    FUZZ_CHECK(items.queryItems().size() == 1);
    // The server gets the text's UTF-8 bytes. (Decoded by QUrl, a noncharacter such
    // as U+7FFFF would come back as U+FFFD: the bytes are compared instead.)
    const QByteArray sent = search.query(QUrl::FullyEncoded).toLatin1();
    FUZZ_CHECK(sent.startsWith("q="));
    FUZZ_CHECK(QByteArray::fromPercentEncoding(sent.mid(2)) == text.toUtf8());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ServiceEndpoints real;
    static const ServiceEndpoints local(LOCAL);
    const QString text = Fuzz::text(data, size);
    checkMapped(real, text);
    checkMapped(local, text);
    checkBuilt(real, text);
    checkBuilt(local, text);
    AtomReader::videoIdFromWatchUrl(text);
    AtomReader::dayMonthYear(text);
    return 0;
}
