// The body of an error answer: a service error document, a web page or anything else.
#include "fuzz/FuzzSupport.h"

#include "service/RequestManagerBase.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString message = RequestManagerBase::httpErrorMessage(403, QByteArrayLiteral("Forbidden"),
                                                                 Fuzz::bytes(data, size));
    // One line for the trace: the status, the reason and at most 200 characters more.
    FUZZ_CHECK(message.startsWith(QLatin1String("HTTP 403 Forbidden")));
    FUZZ_CHECK(message.size() <= 18 + 2 + 200);
    FUZZ_CHECK(!message.contains(QLatin1Char('\n')));
    return 0;
}
