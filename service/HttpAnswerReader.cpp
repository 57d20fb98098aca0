#include "service/HttpAnswerReader.h"

#include <algorithm>

namespace {

constexpr int MAX_HEAD_SIZE = 64 * 1024;
constexpr int MAX_CHUNK_LINE = 1024;

const QString& unreadableAnswer()
{
    static const QString text = QStringLiteral("The answer could not be read");
    return text;
}

const QString& unreadableChunks()
{
    static const QString text = QStringLiteral("The answer's chunks could not be read");
    return text;
}

// Moves up to count bytes from the front of from to the end of to.
qint64 moveFront(QByteArray& from, QByteArray& to, qint64 count)
{
    const qint64 take = qMin<qint64>(count, from.size());
    to.append(from.constData(), take);
    from.remove(0, take);
    return take;
}

} // namespace

HttpAnswerReader::HttpAnswerReader(const QByteArray& verb) : myVerb(verb)
{
}

QByteArray HttpAnswerReader::header(const QByteArray& name) const
{
    for (const auto& field : myHeaders)
        if (field.first.compare(name, Qt::CaseInsensitive) == 0)
            return field.second;
    return QByteArray();
}

HttpAnswerReader::Step HttpAnswerReader::readHead()
{
    if (!myError.isEmpty())
        return eFailed;
    for (;;) {
        const qsizetype end = myInput.indexOf("\r\n\r\n");
        if (end < 0) {
            if (myInput.size() > MAX_HEAD_SIZE)
                return failWith(QStringLiteral("The answer's head is too long"));
            return eNeedMore;
        }
        const QByteArray head = myInput.left(end);
        myInput.remove(0, end + 4);
        if (!readStatusAndFields(head))
            return failWith(unreadableAnswer());
        // An interim answer (100 Continue): the real one follows.
        if (myStatus >= 200)
            break;
    }
    chooseFraming();
    return eDone;
}

bool HttpAnswerReader::readStatusAndFields(const QByteArray& head)
{
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> statusLine = lines.first().trimmed().split(' ');
    bool ok = false;
    const int status = statusLine.value(1).toInt(&ok);
    if (!statusLine.first().startsWith("HTTP/1.") || !ok || status < 100 || status > 999)
        return false;
    myStatus = status;
    myReason = statusLine.mid(2).join(' ');
    myHeaders.clear();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).trimmed();
        auto known = std::find_if(myHeaders.begin(), myHeaders.end(), [&name](const auto& field) {
            return field.first.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (known == myHeaders.end())
            myHeaders.append({name, value});
        else if (known->second.isEmpty())
            known->second = value;
        else
            known->second += ", " + value;
    }
    return true;
}

void HttpAnswerReader::chooseFraming()
{
    bool lengthOk = false;
    const qint64 length = header("Content-Length").toLongLong(&lengthOk);
    if (header("Transfer-Encoding").toLower().contains("chunked")) {
        myFraming = eInChunks;
    } else if (lengthOk && length >= 0) {
        myFraming = eByLength;
        myRemaining = length;
        myContentLength = length;
    } else if (myStatus == 204 || myStatus == 304 || myVerb == "HEAD") {
        myFraming = eByLength;
        myRemaining = 0;
        myContentLength = 0;
    } else {
        myFraming = eUntilClose;
    }
}

HttpAnswerReader::Step HttpAnswerReader::readBody(QByteArray& content)
{
    if (!myError.isEmpty())
        return eFailed;
    switch (myFraming) {
    case eByLength:
        myRemaining -= moveFront(myInput, content, myRemaining);
        return myRemaining == 0 ? eDone : eNeedMore;
    case eUntilClose:
        moveFront(myInput, content, myInput.size());
        return eNeedMore;
    case eInChunks:
        break;
    }
    return readChunks(content);
}

HttpAnswerReader::Step HttpAnswerReader::readChunks(QByteArray& content)
{
    for (;;) {
        if (myInChunkData) {
            myRemaining -= moveFront(myInput, content, myRemaining);
            if (myRemaining > 0 || myInput.size() < 2)
                return eNeedMore;
            if (!myInput.startsWith("\r\n"))
                return failWith(unreadableChunks());
            myInput.remove(0, 2);
            myInChunkData = false;
            continue;
        }
        const qsizetype eol = myInput.indexOf("\r\n");
        if (eol < 0) {
            if (myInput.size() > MAX_CHUNK_LINE)
                return failWith(unreadableChunks());
            return eNeedMore;
        }
        const QByteArray line = myInput.left(eol);
        myInput.remove(0, eol + 2);
        if (myInTrailer) {
            if (line.isEmpty())
                return eDone;
            continue;
        }
        bool ok = false;
        const qint64 size = line.split(';').first().trimmed().toLongLong(&ok, 16);
        if (!ok || size < 0)
            return failWith(unreadableChunks());
        if (size == 0) {
            myInTrailer = true;
        } else {
            myRemaining = size;
            myInChunkData = true;
        }
    }
}

HttpAnswerReader::Step HttpAnswerReader::failWith(const QString& text)
{
    myError = text;
    myInput.clear();
    return eFailed;
}
