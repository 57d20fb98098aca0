#include "tools/fakeservice/AccountRoutes.h"
#include "tools/fakeservice/FakeService.h"

#include <QCoreApplication>
#include <QTextStream>

// Serves the fake video service for manual runs:
//   krelvox-fakeservice [port]
// then start the program with KRELVOX_SERVICE_BASE_URL set to the printed address.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const quint16 port = app.arguments().size() > 1 ? quint16(app.arguments().at(1).toUInt()) : 0;
    FakeService service;
    addFeedRoutes(service);
    const auto account = addAccountRoutes(service);   // kept: the account routes use it
    if (!service.start(port)) {
        QTextStream(stderr) << "cannot listen on 127.0.0.1:" << port << '\n';
        return 1;
    }
    QTextStream(stdout) << "KRELVOX_SERVICE_BASE_URL=" << service.baseUrl() << Qt::endl;
    QObject::connect(&service, &FakeService::requestReceived, [](const QString& path) {
        QTextStream(stdout) << path << Qt::endl;
    });
    return app.exec();
}
