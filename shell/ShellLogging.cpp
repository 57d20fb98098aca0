#include "shell/ShellLogging.h"

Q_LOGGING_CATEGORY(lcShell, "krelvox.shell")
