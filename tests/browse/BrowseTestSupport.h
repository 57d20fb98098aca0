#ifndef KRELVOX_BROWSETESTSUPPORT_H
#define KRELVOX_BROWSETESTSUPPORT_H

#include "core/Repository.h"
#include "service/YoutubeVideoService.h"
#include "tests/support/TestEnvironment.h"
#include "tools/fakeservice/FakeService.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// A private world for a browsing test: temporary folders and settings, a created
// database, the fake service on a free port with its feed routes, the video service
// pointed at it, and an 800 x 480 window to put pages into.
struct BrowseWorld
{
    TestEnvironment environment;
    FakeService fake;
    std::unique_ptr<Repository> repository;
    std::unique_ptr<YoutubeVideoService> service;
    std::unique_ptr<QWidget> window;

    BrowseWorld()
    {
        if (!fake.start())
            qFatal("the fake service cannot listen");
        addFeedRoutes(fake);
        repository = std::make_unique<Repository>(environment.paths());
        if (repository->openDatabase() != 0)
            qFatal("the test database cannot be opened");
        service = std::make_unique<YoutubeVideoService>(*repository, ServiceEndpoints(fake.baseUrl()));
        window = std::make_unique<QWidget>();
        window->resize(800, 480);
    }

    ~BrowseWorld()
    {
        window.reset();
        service.reset();
        repository.reset();
    }

    // Feeds and searches answered with generated pages: `total` videos in all, as many
    // per page as the request asks for.
    void servePagedFeeds(int total)
    {
        const FakeHandler handler = [total](const FakeRequest& request) {
            const int start = qMax(1, request.queryValue(QStringLiteral("start-index")).toInt());
            const int size = qMax(1, request.queryValue(QStringLiteral("max-results")).toInt());
            const int count = qBound(0, total - start + 1, size);
            return FakeResponse::document(FakeFeeds::makeVideoFeed(count, total, start),
                                          "application/atom+xml; charset=UTF-8");
        };
        fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/standardfeeds/*"), handler);
        fake.addRoute("GET", QStringLiteral("/gdata/feeds/api/videos"), handler);
    }

    void show()
    {
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("window not exposed");
    }
};

// Runs `answer` on the next modal dialog once it is open (dialogs run their own loop).
inline void whenDialogOpens(const std::function<void(QWidget*)>& answer)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer]() {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start();
}

// Clicks the dialog's button that shows the text.
inline bool clickDialogButton(QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == text) {
            button->click();
            return true;
        }
    }
    return false;
}

#endif
