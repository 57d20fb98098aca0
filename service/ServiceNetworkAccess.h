#ifndef KRELVOX_SERVICENETWORKACCESS_H
#define KRELVOX_SERVICENETWORKACCESS_H

#include <QNetworkAccessManager>
#include <QNetworkRequest>

// Set (true) on a request whose body is read from a device to have it streamed on a
// socket of its own (StreamedBodyReply) instead of through the manager's network thread.
inline constexpr QNetworkRequest::Attribute STREAMED_BODY_ATTRIBUTE =
    QNetworkRequest::Attribute(QNetworkRequest::User + 1);

// The video service's network access manager: an http or https request with a body
// device and STREAMED_BODY_ATTRIBUTE is answered by a StreamedBodyReply; every other
// request as the manager always does.
class ServiceNetworkAccess : public QNetworkAccessManager
{
    Q_OBJECT
public:
    explicit ServiceNetworkAccess(QObject* parent = nullptr);
    ~ServiceNetworkAccess() override;

protected:
    QNetworkReply* createRequest(Operation operation, const QNetworkRequest& request,
                                 QIODevice* outgoingData) override;
};

#endif
