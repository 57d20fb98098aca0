#ifndef KRELVOX_FUZZSUPPORT_H
#define KRELVOX_FUZZSUPPORT_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What the harnesses share: the input as Qt bytes or text, a check that ends the run
// as a crash (libFuzzer keeps the input), and an application object for code that
// wants one.

// A property every result must have; a failed one is reported like a crash.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace Fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline QString text(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// One application object for the whole run (network access wants one).
inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "krelvox-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    Q_UNUSED(application);
}

} // namespace Fuzz

#endif
