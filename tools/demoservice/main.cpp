#include "tools/demoservice/DemoCatalogue.h"
#include "tools/demoservice/DemoRoutes.h"
#include "tools/fakeservice/FakeService.h"

#include <QGuiApplication>
#include <QTextStream>

// Serves the demo service:
//   krelvox-demoservice [port]        (port 0 or none: a free port)
// Standard output: the line "KRELVOX_SERVICE_BASE_URL=<address>" once it listens,
// the demo accounts' line, then one line per request: method, target and status.
int main(int argc, char* argv[])
{
    // The captcha's letters need fonts, so a GUI application; it never shows a window.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const quint16 port = app.arguments().size() > 1 ? quint16(app.arguments().at(1).toUInt()) : 0;
    FakeService service;
    const auto account = addDemoRoutes(service, std::make_shared<DemoCatalogue>());   // kept for the routes
    if (!service.start(port)) {
        QTextStream(stderr) << "cannot listen on 127.0.0.1:" << port << '\n';
        return 1;
    }
    QTextStream out(stdout);
    out << "KRELVOX_SERVICE_BASE_URL=" << service.baseUrl() << Qt::endl;
    out << "demo account: user name " << DemoCatalogue::USER << ", password " << DemoCatalogue::PASSWORD
        << "; user name " << DemoCatalogue::CAPTCHA_USER << " with the same password is asked a captcha first"
        << Qt::endl;
    QObject::connect(&service, &FakeService::requestAnswered, [&out](const FakeRequest& request, int status) {
        out << request.method << ' ' << request.target() << ' ' << status << Qt::endl;
    });
    return app.exec();
}
