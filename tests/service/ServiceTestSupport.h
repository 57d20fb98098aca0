#ifndef KRELVOX_SERVICETESTSUPPORT_H
#define KRELVOX_SERVICETESTSUPPORT_H

#include "core/Repository.h"
#include "service/YoutubeVideoService.h"
#include "tests/support/TestEnvironment.h"
#include "tools/fakeservice/FakeService.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

// A private world for a service test: temporary folders and settings, a created
// database, the fake service on a free port with the feed routes, and a
// YoutubeVideoService pointed at it.
struct ServiceWorld
{
    TestEnvironment environment;
    FakeService fake;
    std::unique_ptr<Repository> repository;
    std::unique_ptr<YoutubeVideoService> service;

    explicit ServiceWorld(int timeoutMs = 5000)
    {
        if (!fake.start())
            qFatal("the fake service cannot listen");
        addFeedRoutes(fake);
        repository = std::make_unique<Repository>(environment.paths());
        if (repository->openDatabase() != 0)
            qFatal("the test database cannot be opened");
        service = std::make_unique<YoutubeVideoService>(*repository, ServiceEndpoints(fake.baseUrl()));
        RequestLimits limits;
        limits.timeoutMs = timeoutMs;
        service->setRequestLimits(limits);
    }

    // The last request whose path starts with prefix (fails the test when none came).
    FakeRequest last(const QString& prefix) const
    {
        const QList<FakeRequest> found = fake.requestsTo(prefix);
        if (found.isEmpty()) {
            QTest::qFail(qPrintable(QStringLiteral("no request to ") + prefix), __FILE__, __LINE__);
            return FakeRequest();
        }
        return found.last();
    }
};

// The names of the query keys in the order they were sent.
inline QStringList queryKeys(const FakeRequest& request)
{
    QStringList keys;
    for (const auto& item : request.query.queryItems())
        keys.append(item.first);
    return keys;
}

#endif
