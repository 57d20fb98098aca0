#ifndef KRELVOX_GLOBALCONSTANTS_H
#define KRELVOX_GLOBALCONSTANTS_H

// The program-wide constant tables: settings keys, paths, service literals, UI texts,
// style sheets and icon paths. Everything is one named constant in core/constants/.
#include "core/constants/Settings.h"
#include "core/constants/Paths.h"
#include "core/constants/Service.h"
#include "core/constants/Texts.h"
#include "core/constants/Styles.h"
#include "core/constants/Icons.h"
#include "core/constants/Platform.h"
#include "core/constants/Account.h"

#endif
