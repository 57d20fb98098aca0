#ifndef KRELVOX_SOCIALTESTSUPPORT_H
#define KRELVOX_SOCIALTESTSUPPORT_H

#include "tests/support/TestSupport.h"
#include "tools/fakeservice/AccountRoutes.h"

// Where the fake service answers the account pages' reads.
namespace AccountPaths {
inline const QString USERS = QStringLiteral("/gdata/feeds/api/users/");
inline const QString PROFILE = USERS + QStringLiteral("default");
inline const QString CONTACTS = USERS + QStringLiteral("default/contacts");
inline const QString INBOX = USERS + QStringLiteral("default/inbox");
inline const QString UPLOADS = USERS + FakeAccount::USER + QStringLiteral("/uploads");
}
using namespace AccountPaths;

// A signed-in account on the fake service, as the account pages need it: the test
// world with the fake account's name, password and token stored and the settings'
// signed-in switch on (requests that get no answer end after timeoutMs).
struct AccountPagesWorld : TestWorld
{
    explicit AccountPagesWorld(int timeoutMs = 5000) : TestWorld(TestWorld::SignedIn, timeoutMs)
    {
        setSignedIn(true);
    }
};

#endif
