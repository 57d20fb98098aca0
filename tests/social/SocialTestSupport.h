#ifndef KRELVOX_SOCIALTESTSUPPORT_H
#define KRELVOX_SOCIALTESTSUPPORT_H

#include "core/Repository.h"
#include "core/constants/Settings.h"
#include "service/YoutubeVideoService.h"
#include "shell/BaseDialog.h"
#include "tests/support/TestEnvironment.h"
#include "tools/fakeservice/AccountRoutes.h"
#include "tools/fakeservice/FakeService.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <memory>

// Where the fake service answers the account pages' reads.
namespace AccountPaths {
inline const QString USERS = QStringLiteral("/gdata/feeds/api/users/");
inline const QString PROFILE = USERS + QStringLiteral("default");
inline const QString CONTACTS = USERS + QStringLiteral("default/contacts");
inline const QString INBOX = USERS + QStringLiteral("default/inbox");
inline const QString UPLOADS = USERS + FakeAccount::USER + QStringLiteral("/uploads");
}
using namespace AccountPaths;

// A signed-in account on the fake service: temporary folders and settings, an opened
// repository with the fake account's name, password and token, the video service on
// the fake service (requests that get no answer end after timeoutMs) and an
// 800 x 480 window.
struct AccountPagesWorld
{
    TestEnvironment environment;
    FakeService fake;
    std::shared_ptr<FakeAccountState> account;
    std::unique_ptr<Repository> repository;
    std::unique_ptr<YoutubeVideoService> service;
    std::unique_ptr<QWidget> window;

    explicit AccountPagesWorld(int timeoutMs = 5000)
    {
        if (!fake.start())
            qFatal("the fake service cannot listen");
        addFeedRoutes(fake);
        account = addAccountRoutes(fake);
        repository = std::make_unique<Repository>(environment.paths());
        if (repository->openDatabase() != 0)
            qFatal("the test database cannot be opened");
        repository->setSetting(SETTING_YOUTUBE_USERNAME, FakeAccount::USER);
        repository->setSetting(SETTING_YOUTUBE_PASSWORD, FakeAccount::PASSWORD);
        repository->setSetting(SETTING_YOUTUBE_AUTHENTICATION_TOKEN, FakeAccount::TOKEN);
        repository->setSetting(SETTING_YOUTUBE_ACCOUNT_SIGNED_IN, 1);
        service = std::make_unique<YoutubeVideoService>(*repository, ServiceEndpoints(fake.baseUrl()));
        RequestLimits limits;
        limits.timeoutMs = timeoutMs;
        service->setRequestLimits(limits);
        window = std::make_unique<QWidget>();
        window->resize(800, 480);
    }
    ~AccountPagesWorld()
    {
        window.reset();
        service.reset();
        repository.reset();
    }
    bool show()
    {
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
};

// A double tap as the platform delivers it: press, release, press, double click,
// release (on the viewport of a list).
inline void doubleTap(QAbstractItemView* view, const QPoint& at)
{
    QWidget* target = view->viewport();
    QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, at);
}

// Answers the next modal dialog from inside its loop (OK or Cancel) and keeps its title.
class DialogAnswerer : public QObject
{
public:
    explicit DialogAnswerer(bool accept) : myAccept(accept)
    {
        myTimer.setInterval(10);
        connect(&myTimer, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<BaseDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            myTimer.stop();
            title = dialog->getTitle();
            myAccept ? dialog->accept() : dialog->reject();
        });
        myTimer.start();
    }
    QString title;

private:
    QTimer myTimer;
    bool myAccept;
};

#endif
