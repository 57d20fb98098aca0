// The categories document, read at start-up.
#include "fuzz/FuzzSupport.h"

#include "service/feeds/CategoryRequestManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CategoryMap categories;
    categories.insert(QStringLiteral("earlier"), QStringLiteral("Earlier"));   // untouched on failure
    QString error;
    if (CategoryRequestManager::parseCategories(Fuzz::bytes(data, size), categories, error)) {
        // "All" and the categories videos can be filed under, each with a term.
        FUZZ_CHECK(categories.contains(QString()));
    } else {
        FUZZ_CHECK(categories.size() == 1 && !error.isEmpty());
    }
    return 0;
}
