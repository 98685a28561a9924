// Feeds arbitrary bytes through the person file reader. A text it takes must come back
// the same when written and read again.

#include "io/persons/person_file.h"

#include <cstdint>
#include <cstdlib>

using namespace ferolune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = QStringLiteral("fuzz.ferolune");
    const PersonFileRead read = ParsePerson(bytes, path);
    if (read.person.has_value() != read.message.isEmpty()) // a person or a message, never both
        std::abort();
    if (read.person) {
        const PersonFileRead again = ParsePerson(PersonJson(*read.person), path);
        if (!again.person || !(*again.person == *read.person))
            std::abort();
    }
    return 0;
}
