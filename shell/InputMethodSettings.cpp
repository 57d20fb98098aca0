// GLib headers first: they use names that Qt defines as macros.
#include <gconf/gconf-client.h>

#include "shell/InputMethodSettings.h"

#include <QByteArray>
#include <QtGlobal>

InputMethodSettings::~InputMethodSettings() = default;

GConfInputMethodSettings::GConfInputMethodSettings() = default;

GConfInputMethodSettings::~GConfInputMethodSettings()
{
    if (myClient)
        g_object_unref(static_cast<GConfClient*>(myClient));
}

void* GConfInputMethodSettings::client()
{
    if (!myClient)
        myClient = gconf_client_get_default();
    return myClient;
}

void GConfInputMethodSettings::reportFailure(bool& reported, const char* what, const QString& key,
                                             const QString& message)
{
    if (reported)
        return;
    reported = true;
    qWarning("GConfInputMethodSettings: cannot %s %s: %s", what, qPrintable(key), qPrintable(message));
}

bool GConfInputMethodSettings::getBool(const QString& key, bool& value)
{
    auto* gconf = static_cast<GConfClient*>(client());
    if (!gconf) {
        reportFailure(myReadFailureReported, "read", key, QStringLiteral("no configuration client"));
        return false;
    }
    const QByteArray name = key.toUtf8();
    GError* error = nullptr;
    GConfValue* stored = gconf_client_get(gconf, name.constData(), &error);
    if (error) {
        reportFailure(myReadFailureReported, "read", key, QString::fromUtf8(error->message));
        g_error_free(error);
        if (stored)
            gconf_value_free(stored);
        return false;
    }
    // An unset key reads as false, as the platform treats it.
    bool result = false;
    if (stored) {
        if (stored->type == GCONF_VALUE_BOOL)
            result = gconf_value_get_bool(stored);
        gconf_value_free(stored);
    }
    value = result;
    return true;
}

bool GConfInputMethodSettings::setBool(const QString& key, bool value)
{
    auto* gconf = static_cast<GConfClient*>(client());
    if (!gconf) {
        reportFailure(myWriteFailureReported, "write", key, QStringLiteral("no configuration client"));
        return false;
    }
    const QByteArray name = key.toUtf8();
    GError* error = nullptr;
    const gboolean done = gconf_client_set_bool(gconf, name.constData(), value ? TRUE : FALSE, &error);
    if (error) {
        reportFailure(myWriteFailureReported, "write", key, QString::fromUtf8(error->message));
        g_error_free(error);
        return false;
    }
    return done;
}
