#include "tools/fakeservice/AccountRoutes.h"
#include "tools/fakeservice/FakeService.h"

#include <QCoreApplication>
#include <QTextStream>

// Serves the fake video service for manual runs and benchmarks:
//   krelvox-fakeservice [port] [--video-size BYTES]
// then start the program with KRELVOX_SERVICE_BASE_URL set to the printed address.
// --video-size: every video file is that many bytes of the generated pattern.
// It prints the path of every request, and after an upload a line
// "upload <status> <bytes of the video part>" (-1: the body was refused).
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    qint64 videoSize = -1;
    const int sizeAt = arguments.indexOf(QStringLiteral("--video-size"));
    if (sizeAt >= 0) {
        videoSize = arguments.value(sizeAt + 1).toLongLong();
        arguments.remove(sizeAt, qMin(2, int(arguments.size()) - sizeAt));
    }
    const quint16 port = arguments.isEmpty() ? 0 : quint16(arguments.first().toUInt());
    FakeService service;
    // Uploads of any size: their head is read, the rest only counted.
    service.setBodyRecordLimit(1024 * 1024);
    addFeedRoutes(service);
    if (videoSize >= 0)
        serveGeneratedVideo(service, videoSize);
    const auto account = addAccountRoutes(service);   // kept: the account routes use it
    if (!service.start(port)) {
        QTextStream(stderr) << "cannot listen on 127.0.0.1:" << port << '\n';
        return 1;
    }
    QTextStream(stdout) << "KRELVOX_SERVICE_BASE_URL=" << service.baseUrl() << Qt::endl;
    QObject::connect(&service, &FakeService::requestReceived, [](const QString& path) {
        QTextStream(stdout) << path << Qt::endl;
    });
    QObject::connect(&service, &FakeService::requestAnswered, [account](const FakeRequest& request, int status) {
        if (request.method == "POST" && request.path.endsWith(QLatin1String("/uploads")))
            QTextStream(stdout) << "upload " << status << ' '
                                << (account->lastUpload.error.isEmpty() ? account->lastUpload.fileSize : -1)
                                << Qt::endl;
    });
    return app.exec();
}
