#ifndef KRELVOX_BROWSERLAUNCHER_H
#define KRELVOX_BROWSERLAUNCHER_H

#include <QDBusConnection>
#include <QObject>
#include <QUrl>

// Opens a web address in a browser: first through the device's browser service on
// the session bus ("open_new_window" of "com.nokia.osso_browser"); where that
// service is absent or refuses, in the desktop's own browser (QDesktopServices).
// The outcome of each request is reported once: opened (and where) or failed, for
// the caller to tell the user.
class BrowserLauncher : public QObject
{
    Q_OBJECT
public:
    enum Browser { eDeviceBrowser, eDesktopBrowser };
    Q_ENUM(Browser)

    explicit BrowserLauncher(QObject* parent = nullptr);
    // Tests hand in a bus of their own.
    BrowserLauncher(const QDBusConnection& sessionBus, QObject* parent);
    ~BrowserLauncher() override;

public Q_SLOTS:
    // Returns at once; the outcome arrives as urlOpened or openFailed.
    void openUrl(const QUrl& url);

Q_SIGNALS:
    void urlOpened(const QUrl& url, BrowserLauncher::Browser browser);
    void openFailed(const QUrl& url);

private:
    void openInDesktopBrowser(const QUrl& url);

    QDBusConnection myBus;
};

#endif
