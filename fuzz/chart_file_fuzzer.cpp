// Feeds arbitrary bytes through the whole chart file import short of the file system:
// decoding, the value list reader, the checks, the storing into the birth form and its
// reading into typed values.

#include "io/chartfile/chart_file.h"
#include "io/chartfile/codepage.h"
#include "io/chartfile/value_list.h"
#include "io/form/read_birth_form.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

using namespace ferolune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const QString text = DecodeWindows1250(bytes);
    if (DecodeWindows1250WithIconv(bytes).size() != text.size())
        std::abort();
    const std::vector<ChartValue> all = ReadDelimitedValues(text, std::numeric_limits<qsizetype>::max());
    for (const ChartValue &value : all)
        (void)FieldText(value);

    // Reading fewer values must give exactly the first of them.
    const std::vector<ChartValue> first = ReadDelimitedValues(text, ChartFileLongLength);
    if (first.size() > all.size() || !std::equal(first.begin(), first.end(), all.begin()))
        std::abort();

    if (const Expected<ChartFileValues, ChartFileFailure> checked = CheckChartValues(first)) {
        BirthForm form;
        ApplyChartFile(form, *checked);
        (void)ReadRunForm(form, QStringLiteral("2027"));
    }
    return 0;
}
