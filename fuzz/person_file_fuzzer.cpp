// Feeds arbitrary bytes through the person file reader. A text it takes must come back
// the same when written and read again, and its form reads into typed values or a problem.

#include "io/form/read_birth_form.h"
#include "io/persons/person_file.h"

#include <cstdint>
#include <cstdlib>

using namespace ferolune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = QStringLiteral("fuzz.ferolune");
    const Expected<SavedPerson, QString> read = ParsePerson(bytes, path);
    if (!read) {
        if (read.error().isEmpty()) // a refusal always says why
            std::abort();
        return 0;
    }
    const Expected<SavedPerson, QString> again = ParsePerson(PersonJson(*read), path);
    if (!again || !(*again == *read))
        std::abort();
    (void)ReadRunForm(read->form, QStringLiteral("2027"));
    return 0;
}
