// GLib headers first: they use names that Qt defines as macros.
#include <gconf/gconf-client.h>

#include "shell/InputMethodSettings.h"
#include "shell/ShellLogging.h"

#include <QByteArray>
#include <QLibrary>
#include <QtGlobal>

namespace {

// The store's library is loaded when a key is first read or written, not with the
// program: it brings GObject, GIO and D-Bus bindings along, a fifth of the libraries
// the program would otherwise map and relocate before main(), and only the text
// fields' keyboard needs it.
struct GConfFunctions
{
    decltype(&gconf_client_get_default) clientGetDefault = nullptr;
    decltype(&gconf_client_get) clientGet = nullptr;
    decltype(&gconf_client_set_bool) clientSetBool = nullptr;
    decltype(&gconf_value_get_bool) valueGetBool = nullptr;
    decltype(&gconf_value_free) valueFree = nullptr;
    decltype(&g_object_unref) objectUnref = nullptr;
    decltype(&g_error_free) errorFree = nullptr;

    bool resolved() const
    {
        return clientGetDefault && clientGet && clientSetBool && valueGetBool && valueFree && objectUnref
               && errorFree;
    }
};

template<typename Function>
void resolve(QLibrary& library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(library.resolve(name));
}

// Null when the library or one of its functions is missing.
const GConfFunctions* gconf()
{
    static const GConfFunctions functions = [] {
        GConfFunctions f;
        // Stays loaded: QLibrary unloads only when told to.
        QLibrary library(QStringLiteral("gconf-2"), 4);
        if (!library.load()) {
            qCWarning(lcShell, "GConfInputMethodSettings: %s", qPrintable(library.errorString()));
            return f;
        }
        // GObject's and GLib's functions are found through the library's own
        // dependencies.
        resolve(library, "gconf_client_get_default", f.clientGetDefault);
        resolve(library, "gconf_client_get", f.clientGet);
        resolve(library, "gconf_client_set_bool", f.clientSetBool);
        resolve(library, "gconf_value_get_bool", f.valueGetBool);
        resolve(library, "gconf_value_free", f.valueFree);
        resolve(library, "g_object_unref", f.objectUnref);
        resolve(library, "g_error_free", f.errorFree);
        return f;
    }();
    return functions.resolved() ? &functions : nullptr;
}

} // namespace

InputMethodSettings::~InputMethodSettings() = default;

GConfInputMethodSettings::GConfInputMethodSettings() = default;

GConfInputMethodSettings::~GConfInputMethodSettings()
{
    if (myClient)
        gconf()->objectUnref(myClient);
}

void* GConfInputMethodSettings::client()
{
    if (!myClient && gconf())
        myClient = gconf()->clientGetDefault();
    return myClient;
}

void GConfInputMethodSettings::reportFailure(bool& reported, const char* what, const QString& key,
                                             const QString& message)
{
    if (reported)
        return;
    reported = true;
    qCWarning(lcShell, "GConfInputMethodSettings: cannot %s %s: %s", what, qPrintable(key), qPrintable(message));
}

bool GConfInputMethodSettings::getBool(const QString& key, bool& value)
{
    auto* client = static_cast<GConfClient*>(this->client());
    if (!client) {
        reportFailure(myReadFailureReported, "read", key, QStringLiteral("no configuration client"));
        return false;
    }
    const QByteArray name = key.toUtf8();
    GError* error = nullptr;
    GConfValue* stored = gconf()->clientGet(client, name.constData(), &error);
    if (error) {
        reportFailure(myReadFailureReported, "read", key, QString::fromUtf8(error->message));
        gconf()->errorFree(error);
        if (stored)
            gconf()->valueFree(stored);
        return false;
    }
    // An unset key reads as false, as the platform treats it.
    bool result = false;
    if (stored) {
        if (stored->type == GCONF_VALUE_BOOL)
            result = gconf()->valueGetBool(stored);
        gconf()->valueFree(stored);
    }
    value = result;
    return true;
}

bool GConfInputMethodSettings::setBool(const QString& key, bool value)
{
    auto* client = static_cast<GConfClient*>(this->client());
    if (!client) {
        reportFailure(myWriteFailureReported, "write", key, QStringLiteral("no configuration client"));
        return false;
    }
    const QByteArray name = key.toUtf8();
    GError* error = nullptr;
    const gboolean done = gconf()->clientSetBool(client, name.constData(), value ? TRUE : FALSE, &error);
    if (error) {
        reportFailure(myWriteFailureReported, "write", key, QString::fromUtf8(error->message));
        gconf()->errorFree(error);
        return false;
    }
    return done;
}
