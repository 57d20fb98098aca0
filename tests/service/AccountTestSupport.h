#ifndef KRELVOX_ACCOUNTTESTSUPPORT_H
#define KRELVOX_ACCOUNTTESTSUPPORT_H

#include "core/constants/Settings.h"
#include "tests/service/ServiceTestSupport.h"
#include "tools/fakeservice/AccountRoutes.h"

#include <QMutex>
#include <QStringList>

// A service world with the account side of the fake service and a stored account.
struct AccountWorld : public ServiceWorld
{
    std::shared_ptr<FakeAccountState> account;

    explicit AccountWorld(int timeoutMs = 5000) : ServiceWorld(timeoutMs), account(addAccountRoutes(fake)) {}

    void storeAccount(const QString& user, const QString& password)
    {
        repository->setSetting(SETTING_YOUTUBE_USERNAME, user);
        repository->setSetting(SETTING_YOUTUBE_PASSWORD, password);
    }
    void storeToken(const QString& token) { repository->setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, token); }
    // The account signed in earlier: its token is the one the service takes.
    void signedIn()
    {
        storeAccount(FakeAccount::USER, FakeAccount::PASSWORD);
        storeToken(FakeAccount::TOKEN);
    }
    QString setting(const QString& key) const
    {
        QString value;
        repository->getSetting(key, value);
        return value;
    }
    // Requests with the method whose path starts with the prefix.
    int count(const QByteArray& method, const QString& prefix) const
    {
        int n = 0;
        for (const FakeRequest& request : fake.requestsTo(prefix))
            n += request.method == method ? 1 : 0;
        return n;
    }
    int logins() const { return count("POST", QStringLiteral("/google/accounts/ClientLogin")); }
};

// Collects every trace line while it lives.
class TraceCollector
{
public:
    TraceCollector() { myPrevious = qInstallMessageHandler(&TraceCollector::handler); }
    ~TraceCollector() { qInstallMessageHandler(myPrevious); }

    static QStringList lines()
    {
        QMutexLocker lock(&mutex());
        return collected();
    }

private:
    static void handler(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        QMutexLocker lock(&mutex());
        collected().append(message);
    }
    static QStringList& collected()
    {
        static QStringList lines;
        return lines;
    }
    static QMutex& mutex()
    {
        static QMutex m;
        return m;
    }

    QtMessageHandler myPrevious = nullptr;
};

#endif
