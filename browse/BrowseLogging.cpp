#include "browse/BrowseLogging.h"

Q_LOGGING_CATEGORY(lcBrowse, "krelvox.browse")
