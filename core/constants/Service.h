#ifndef KRELVOX_CONSTANTS_SERVICE_H
#define KRELVOX_CONSTANTS_SERVICE_H

#include <QString>

// Service endpoints, request paths, query keys, header names and Atom element names.
// The hosts are the real service's; KRELVOX_SERVICE_BASE_URL (see README) replaces
// all of them with one base URL, which the tests use for their local fake service.
inline const QString SERVICE_ENV_BASE_URL = QStringLiteral("KRELVOX_SERVICE_BASE_URL");

#endif
