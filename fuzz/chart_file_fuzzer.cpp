// Feeds arbitrary bytes through the whole chart file import short of the file system:
// decoding, the value list reader, the checks and the storing into the birth fields.

#include "io/chartfile/chart_file.h"
#include "io/chartfile/codepage.h"
#include "io/chartfile/value_list.h"

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

    const auto checked = CheckChartValues(first);
    if (const auto *values = std::get_if<ChartFileValues>(&checked)) {
        BirthData fields;
        ApplyChartFile(fields, *values);
    }
    return 0;
}
