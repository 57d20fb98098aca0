// The answer to a request streamed on a socket of its own (an upload): its head, then
// its body by length, in chunks or up to the close. The first byte sets the size of
// the pieces the rest arrives in; read in pieces or at once, it reads the same.
#include "fuzz/FuzzSupport.h"

#include "service/HttpAnswerReader.h"

namespace {

// Below the reader's limits on a head and a chunk line, which a whole answer can
// pass where one that arrives in pieces is refused first.
constexpr size_t SAME_IN_PIECES = 1024;

struct Outcome
{
    HttpAnswerReader::Step step = HttpAnswerReader::eNeedMore;
    bool headRead = false;
    int status = 0;
    qint64 length = -1;
    QByteArray content;
};

Outcome read(const QByteArray& answer, qsizetype piece)
{
    HttpAnswerReader reader(QByteArrayLiteral("POST"));
    Outcome outcome;
    for (qsizetype at = 0; at < answer.size() && outcome.step == HttpAnswerReader::eNeedMore; at += piece) {
        reader.append(answer.mid(at, piece));
        if (!outcome.headRead) {
            outcome.step = reader.readHead();
            if (outcome.step != HttpAnswerReader::eDone)
                continue;
            outcome.headRead = true;
            outcome.status = reader.status();
            outcome.length = reader.contentLength();
            FUZZ_CHECK(outcome.status >= 200 && outcome.status <= 999);
            FUZZ_CHECK(outcome.length >= -1);
        }
        outcome.step = reader.readBody(outcome.content);
    }
    if (outcome.step == HttpAnswerReader::eFailed)
        FUZZ_CHECK(!reader.errorText().isEmpty());
    FUZZ_CHECK(outcome.content.size() <= answer.size());
    // A body of a given length is complete with that many bytes, never more.
    if (outcome.length >= 0 && !reader.endsWithClose())
        FUZZ_CHECK(outcome.content.size() <= outcome.length);
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray answer = Fuzz::bytes(data + 1, size - 1);
    const Outcome whole = read(answer, qMax<qsizetype>(1, answer.size()));
    const Outcome pieces = read(answer, 1 + data[0] % 64);
    if (size - 1 <= SAME_IN_PIECES) {
        FUZZ_CHECK(whole.step == pieces.step);
        FUZZ_CHECK(whole.status == pieces.status);
        FUZZ_CHECK(whole.content == pieces.content);
    }
    return 0;
}
