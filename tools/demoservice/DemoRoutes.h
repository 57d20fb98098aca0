#ifndef KRELVOX_DEMOROUTES_H
#define KRELVOX_DEMOROUTES_H

#include "tools/demoservice/DemoCatalogue.h"
#include "tools/fakeservice/AccountRoutes.h"
#include "tools/fakeservice/FakeService.h"

#include <memory>

// Registers the demo service on the fake service's server: the standard feeds,
// search, related videos, responses, uploads, comments, categories, profiles and
// pictures from the catalogue, the watch pages and video files, and the fake
// service's account routes over the demo account, whose posted comments go into the
// catalogue. The returned state is the account's (the routes hold it weakly: keep it
// while they are to answer).
std::shared_ptr<FakeAccountState> addDemoRoutes(FakeService& service, const std::shared_ptr<DemoCatalogue>& catalogue);

// The token that the watch page of the video hands to its file request.
QString demoWatchToken(const QString& videoId);

#endif
