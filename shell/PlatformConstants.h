#ifndef KRELVOX_PLATFORMCONSTANTS_H
#define KRELVOX_PLATFORMCONSTANTS_H

#include <QString>

// The device platform's D-Bus services and input-method GConf keys.

// Mode control service (system bus): pausing the display blanking while a video plays.
inline const QString DBUS_MCE_SERVICE = QStringLiteral("com.nokia.mce");
inline const QString DBUS_MCE_REQUEST_PATH = QStringLiteral("/com/nokia/mce/request");
inline const QString DBUS_MCE_REQUEST_INTERFACE = QStringLiteral("com.nokia.mce.request");
inline const QString DBUS_MCE_DISPLAY_BLANKING_PAUSE = QStringLiteral("req_display_blanking_pause");

// Help viewer (session bus): open_topic(string topic).
inline const QString DBUS_HELP_SERVICE = QStringLiteral("com.nokia.osso_helpui");
inline const QString DBUS_HELP_PATH = QStringLiteral("/com/nokia/osso_helpui");
inline const QString DBUS_HELP_INTERFACE = QStringLiteral("com.nokia.osso_helpui");
inline const QString DBUS_HELP_OPEN_TOPIC = QStringLiteral("open_topic");
inline const QString HELP_TOPIC_ID = QStringLiteral("krelvox_help_main");

// Mail client (session bus): ComposeMail(to, cc, bcc, subject, body, attachments).
inline const QString DBUS_MAIL_SERVICE = QStringLiteral("com.nokia.modest");
inline const QString DBUS_MAIL_PATH = QStringLiteral("/com/nokia/modest");
inline const QString DBUS_MAIL_INTERFACE = QStringLiteral("com.nokia.modest");
inline const QString DBUS_MAIL_COMPOSE = QStringLiteral("ComposeMail");

// Web browser (session bus): open_new_window(string address).
inline const QString DBUS_BROWSER_SERVICE = QStringLiteral("com.nokia.osso_browser");
inline const QString DBUS_BROWSER_PATH = QStringLiteral("/com/nokia/osso_browser/request");
inline const QString DBUS_BROWSER_INTERFACE = QStringLiteral("com.nokia.osso_browser");
inline const QString DBUS_BROWSER_OPEN = QStringLiteral("open_new_window");

// Input method: the on-screen (stylus) keyboard and its word completion.
inline const QString GCONF_IM_STYLUS_ENABLED = QStringLiteral("/apps/osso/inputmethod/enable-stylus-im");
inline const QString GCONF_IM_AUTO_CORRECTION = QStringLiteral("/apps/osso/inputmethod/auto_correction");

#endif
