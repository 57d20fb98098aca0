#include "service/ServiceNetworkAccess.h"
#include "service/StreamedBodyReply.h"

ServiceNetworkAccess::ServiceNetworkAccess(QObject* parent) : QNetworkAccessManager(parent)
{
}

ServiceNetworkAccess::~ServiceNetworkAccess() = default;

QNetworkReply* ServiceNetworkAccess::createRequest(Operation operation, const QNetworkRequest& request,
                                                   QIODevice* outgoingData)
{
    const QString scheme = request.url().scheme().toLower();
    const bool streamed = outgoingData && request.attribute(STREAMED_BODY_ATTRIBUTE).toBool()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
    if (!streamed)
        return QNetworkAccessManager::createRequest(operation, request, outgoingData);
    QByteArray verb;
    switch (operation) {
    case PostOperation: verb = QByteArrayLiteral("POST"); break;
    case PutOperation: verb = QByteArrayLiteral("PUT"); break;
    case CustomOperation: verb = request.attribute(QNetworkRequest::CustomVerbAttribute).toByteArray(); break;
    default: return QNetworkAccessManager::createRequest(operation, request, outgoingData);
    }
    return new StreamedBodyReply(operation, request, verb, outgoingData, this);
}
