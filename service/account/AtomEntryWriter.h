#ifndef KRELVOX_ATOMENTRYWRITER_H
#define KRELVOX_ATOMENTRYWRITER_H

#include <QByteArray>
#include <QString>

// The Atom entries that the account's write requests send. Every text is escaped,
// and characters that XML cannot carry (control characters other than tab and line
// breaks) are left out, so user input always gives a well-formed document.
namespace AtomEntryWriter {

QByteArray comment(const QString& text);
// rating 1..5 (the caller has checked it).
QByteArray rating(int rating);
QByteArray contactStatus(bool accept);
// A video sent to a contact's inbox with a message.
QByteArray videoMessage(const QString& videoId, const QString& message);
QByteArray playList(const QString& title, const QString& description);
// A video added to a playlist or to the account's favourites.
QByteArray listVideo(const QString& videoId);
QByteArray listPosition(int position);
QByteArray upload(const QString& title, const QString& description, const QString& category,
                  const QString& keywords);

// The text without the characters XML 1.0 does not allow.
QString xmlSafe(const QString& text);

} // namespace AtomEntryWriter

#endif
