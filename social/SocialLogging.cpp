#include "social/SocialLogging.h"

Q_LOGGING_CATEGORY(lcSocial, "krelvox.social")
