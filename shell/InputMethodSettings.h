#ifndef KRELVOX_INPUTMETHODSETTINGS_H
#define KRELVOX_INPUTMETHODSETTINGS_H

#include <QString>

// Boolean keys of the platform's input-method configuration. The platform closes its
// on-screen keyboard when it sees these keys change.
class InputMethodSettings
{
public:
    virtual ~InputMethodSettings();

    // False when the key cannot be read; value is left alone then.
    virtual bool getBool(const QString& key, bool& value) = 0;
    // False when the key cannot be written.
    virtual bool setBool(const QString& key, bool value) = 0;
};

// The platform's configuration store (GConf). Failures are traced once per kind
// (read, write) so that a machine without the store gets no flood of diagnostics.
class GConfInputMethodSettings : public InputMethodSettings
{
public:
    GConfInputMethodSettings();
    ~GConfInputMethodSettings() override;

    bool getBool(const QString& key, bool& value) override;
    bool setBool(const QString& key, bool value) override;

private:
    void* client(); // GConfClient*, made on first use
    void reportFailure(bool& reported, const char* what, const QString& key, const QString& message);

    void* myClient = nullptr;
    bool myReadFailureReported = false;
    bool myWriteFailureReported = false;
};

#endif
