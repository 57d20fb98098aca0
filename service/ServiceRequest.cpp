#include "service/ServiceRequest.h"

#include <QNetworkReply>
#include <QTimer>

ServiceRequest::ServiceRequest(const QUrl& url, const QByteArray& method) : myUrl(url), myMethod(method)
{
}

ServiceRequest::~ServiceRequest()
{
    // The manager detaches the reply before it deletes a request; this only guards
    // against a request deleted while still on the wire.
    if (myReply) {
        myReply->disconnect();
        myReply->abort();
        myReply->deleteLater();
    }
    delete myTimer;
}

void ServiceRequest::setRawHeader(const QByteArray& name, const QByteArray& value)
{
    for (auto& header : myHeaders) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0) {
            header.second = value;
            return;
        }
    }
    myHeaders.append(qMakePair(name, value));
}

QByteArray ServiceRequest::replyHeader(const QByteArray& name) const
{
    for (const auto& header : myReplyHeaders)
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return header.second;
    return QByteArray();
}
