#include "shell/BrowserLauncher.h"

#include "shell/PlatformConstants.h"
#include "shell/ShellLogging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>

BrowserLauncher::BrowserLauncher(QObject* parent) : BrowserLauncher(QDBusConnection::sessionBus(), parent)
{
}

BrowserLauncher::BrowserLauncher(const QDBusConnection& sessionBus, QObject* parent)
    : QObject(parent), myBus(sessionBus)
{
}

BrowserLauncher::~BrowserLauncher() = default;

void BrowserLauncher::openUrl(const QUrl& url)
{
    if (!url.isValid()) {
        qCWarning(lcShell, "BrowserLauncher: not a web address: %s", qPrintable(url.toString()));
        Q_EMIT openFailed(url);
        return;
    }
    if (!myBus.isConnected()) {
        openInDesktopBrowser(url);
        return;
    }
    QDBusMessage message = QDBusMessage::createMethodCall(DBUS_BROWSER_SERVICE, DBUS_BROWSER_PATH,
                                                          DBUS_BROWSER_INTERFACE, DBUS_BROWSER_OPEN);
    message.setArguments({url.toString(QUrl::FullyEncoded)});
    auto* watcher = new QDBusPendingCallWatcher(myBus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, url](QDBusPendingCallWatcher* finished) {
        finished->deleteLater();
        if (finished->isError()) {
            qCDebug(lcShell, "BrowserLauncher: the device's browser did not answer (%s); trying the desktop's",
                    qPrintable(finished->error().name()));
            openInDesktopBrowser(url);
            return;
        }
        Q_EMIT urlOpened(url, eDeviceBrowser);
    });
}

void BrowserLauncher::openInDesktopBrowser(const QUrl& url)
{
    if (QDesktopServices::openUrl(url)) {
        Q_EMIT urlOpened(url, eDesktopBrowser);
        return;
    }
    qCWarning(lcShell, "BrowserLauncher: no browser could open %s", qPrintable(url.toString()));
    Q_EMIT openFailed(url);
}
