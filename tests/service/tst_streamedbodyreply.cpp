#include "service/ServiceNetworkAccess.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

// A request body streamed on a socket of its own: what goes out, and every way the
// answer can come back, from a server that answers with the bytes each row gives.
class TestStreamedBodyReply : public QObject
{
    Q_OBJECT
    TestEnvironment myEnvironment;

private Q_SLOTS:
    void answers_data();
    void answers();
};

namespace {

// Reads one request and answers it with canned bytes: once the whole body is in, or
// (early) as soon as the head is; then closes or keeps reading and dropping.
struct CannedServer
{
    QTcpServer server;
    QByteArray answer;
    bool early = false;
    bool closeAfter = false;
    QByteArray received;
    int connections = 0;

    CannedServer()
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            QTcpSocket* socket = server.nextPendingConnection();
            ++connections;
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                const bool answered = !received.isEmpty() && requestComplete(early);
                received += socket->readAll();
                if (answered || !requestComplete(early))
                    return;
                socket->write(answer);
                if (closeAfter)
                    socket->disconnectFromHost();
            });
        });
    }
    bool requestComplete(bool headOnly) const
    {
        const int end = received.indexOf("\r\n\r\n");
        if (end < 0)
            return false;
        const int at = received.indexOf("Content-Length: ");
        const qint64 length = received.mid(at + 16, received.indexOf("\r\n", at) - at - 16).toLongLong();
        return headOnly || received.size() - end - 4 >= length;
    }
};

} // namespace

void TestStreamedBodyReply::answers_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("early");
    QTest::addColumn<bool>("closeAfter");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("error");
    const int none = QNetworkReply::NoError;
    QTest::newRow("by length") << QByteArray("HTTP/1.1 201 Created\r\nContent-Length: 5\r\n\r\nhello") << false
                               << false << 201 << QByteArray("hello") << none;
    QTest::newRow("in chunks, with a trailer")
        << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5;x=y\r\nhello\r\n6\r\n world\r\n0\r\n"
                      "Trailer: a\r\n\r\n")
        << false << false << 200 << QByteArray("hello world") << none;
    QTest::newRow("up to the close") << QByteArray("HTTP/1.0 200 OK\r\n\r\nuntil close") << false << true << 200
                                     << QByteArray("until close") << none;
    QTest::newRow("after 100 Continue")
        << QByteArray("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 201 Created\r\nContent-Length: 2\r\n\r\nok") << false
        << false << 201 << QByteArray("ok") << none;
    QTest::newRow("refused before the body is in")
        << QByteArray("HTTP/1.1 413 Too Large\r\nContent-Length: 3\r\n\r\nbig") << true << false << 413
        << QByteArray("big") << none;
    QTest::newRow("a redirect is the answer")
        << QByteArray("HTTP/1.1 302 Found\r\nLocation: http://elsewhere.example/\r\nContent-Length: 0\r\n\r\n")
        << false << false << 302 << QByteArray() << none;
    QTest::newRow("cut short") << QByteArray("HTTP/1.1 201 Created\r\nContent-Length: 100\r\n\r\nonly ten..")
                               << false << true << 201 << QByteArray("only ten..")
                               << int(QNetworkReply::RemoteHostClosedError);
    QTest::newRow("not an answer") << QByteArray("SSH-2.0-OpenSSH_9.2\r\n\r\n") << false << false << 0
                                   << QByteArray() << int(QNetworkReply::ProtocolFailure);
}

void TestStreamedBodyReply::answers()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, early);
    QFETCH(bool, closeAfter);
    QFETCH(int, status);
    QFETCH(QByteArray, content);
    QFETCH(int, error);
    CannedServer server;
    server.answer = answer;
    server.early = early;
    server.closeAfter = closeAfter;
    QByteArray data(3 * 1024 * 1024 + 7, Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(i % 253);
    QBuffer body(&data);
    QVERIFY(body.open(QIODevice::ReadOnly));

    ServiceNetworkAccess network;
    QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1/up?a=%C3%A4").arg(server.server.serverPort())));
    request.setAttribute(STREAMED_BODY_ATTRIBUTE, true);
    request.setRawHeader("Slug", "k%C3%A4.mp4");
    QNetworkReply* reply = network.sendCustomRequest(request, "POST", &body);
    QVERIFY(reply->inherits("StreamedBodyReply"));
    QSignalSpy sent(reply, &QNetworkReply::uploadProgress);
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait(5000));

    QCOMPARE(int(reply->error()), error);
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
    QCOMPARE(reply->readAll(), content);
    QCOMPARE(server.connections, 1);
    const QByteArray head = server.received.left(server.received.indexOf("\r\n\r\n") + 4);
    QVERIFY2(head.startsWith("POST /up?a=%C3%A4 HTTP/1.1\r\nHost: 127.0.0.1:"), head.constData());
    for (const QByteArray& line : {QByteArray("\r\nSlug: k%C3%A4.mp4\r\n"), QByteArray("\r\nConnection: close\r\n"),
                                   "\r\nContent-Length: " + QByteArray::number(data.size()) + "\r\n"})
        QVERIFY2(head.contains(line), head.constData());
    if (!early && error == QNetworkReply::NoError) {
        QVERIFY(server.received.mid(head.size()) == data);
        QCOMPARE(sent.last(), QList<QVariant>({qint64(data.size()), qint64(data.size())}));
    }
    delete reply;
}

QTEST_MAIN(TestStreamedBodyReply)
#include "tst_streamedbodyreply.moc"
