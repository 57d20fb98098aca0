// The account's documents: contacts, profile, inbox, playlists, playlist entries and
// the entry that answers a write. Every reader gets every input.
#include "fuzz/FuzzSupport.h"

#include "service/account/AccountDocuments.h"

using namespace AccountDocuments;

namespace {

// A reader that fails leaves the caller's items as they were.
template <typename Item, typename Parse>
void feed(const QByteArray& document, Parse parse)
{
    QList<Item> items{Item()};
    FeedInfo info;
    QString error;
    if (parse(document, items, info, error)) {
        FUZZ_CHECK(info.entryCount == items.count());
        FUZZ_CHECK(info.totalResults >= -1);
    } else {
        FUZZ_CHECK(items.count() == 1 && !error.isEmpty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray document = Fuzz::bytes(data, size);
    feed<ContactItem>(document, parseContacts);
    feed<MessageItem>(document, parseInbox);
    feed<PlayListItem>(document, parsePlayLists);
    feed<ListEntryItem>(document, parseListEntries);

    QString error;
    ProfileItem profile;
    parseProfile(document, profile, error);
    ListEntryItem entry;
    QString playListId;
    if (parseWrittenEntry(document, entry, playListId, error)) {
        // Ids are the last part of an atom:id: they never hold a separator.
        FUZZ_CHECK(!entry.entryId.contains(QLatin1Char('/')) && !entry.entryId.contains(QLatin1Char(':')));
    }
    return 0;
}
