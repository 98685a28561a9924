#include "io/chartfile/chart_file.h"

#include "core/common/number_rules.h"
#include "core/common/small_file.h"
#include "io/chartfile/codepage.h"
#include "io/form/form_rules.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace ferolune {

namespace {

// A chart file is text: control characters other than line ends, tabs and the old
// end-of-file mark belong to some other kind of file.
bool isText(const QByteArray &bytes)
{
    return std::none_of(bytes.begin(), bytes.end(), [](char byte) {
        const auto code = static_cast<unsigned char>(byte);
        return (code < 0x20 && code != '\t' && code != '\n' && code != '\r' && code != 0x1a) || code == 0x7f;
    });
}

Expected<QString, ChartFileFailure> loadChartText(const QString &path)
{
    const Expected<QByteArray, SmallFileFailure> bytes = ReadSmallFile(path, ChartFileMaxBytes);
    if (!bytes) {
        const SmallFileFailure failure = bytes.error();
        return Unexpected(failure == SmallFileFailure::TooLarge         ? ChartFileFailure::TooLarge
                          : failure == SmallFileFailure::NotRegularFile ? ChartFileFailure::NotRegularFile
                                                                        : ChartFileFailure::CannotOpen);
    }
    if (!isText(*bytes))
        return Unexpected(ChartFileFailure::NotChartFile);
    return DecodeWindows1250(*bytes);
}

std::optional<double> valueAsNumber(const ChartValue &value)
{
    switch (value.kind) {
    case ChartValue::Kind::Empty:
        return 0.0;
    case ChartValue::Kind::Number:
        return value.number;
    case ChartValue::Kind::Truth:
        return value.truth ? -1.0 : 0.0;
    case ChartValue::Kind::Text:
        if (const Expected<double, RunError> number = convertToNumber(value.text))
            return *number;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<int> summerTimeState(const ChartValue &value)
{
    const std::optional<double> number = valueAsNumber(value);
    if (!number)
        return std::nullopt;
    const double state = std::nearbyint(*number); // halves to even
    if (state == 0 || state == 1 || state == 2)
        return static_cast<int>(state);
    return std::nullopt;
}

// Values 2 to 11 hold the birth date, hour, place and zone: numbers, or texts that read
// as numbers with either decimal point. Truth values and empty values are taken as the
// list writer gives them; any other text means the file is something else.
bool holdsBirthNumbers(const std::vector<ChartValue> &values)
{
    const qsizetype last = std::min<qsizetype>(static_cast<qsizetype>(values.size()), 11);
    for (qsizetype index = 1; index < last; ++index) {
        const ChartValue &value = values[static_cast<std::size_t>(index)];
        if (value.kind != ChartValue::Kind::Text)
            continue;
        bool number = false;
        QString text = value.text.trimmed();
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        text.toDouble(&number);
        if (!number)
            return false;
    }
    return true;
}

// The before-noon flag: false, the number 0 or nothing means the afternoon.
bool meansAfternoon(const ChartValue &flag)
{
    switch (flag.kind) {
    case ChartValue::Kind::Empty:
        return true;
    case ChartValue::Kind::Truth:
        return !flag.truth;
    case ChartValue::Kind::Number:
        return flag.number == 0;
    case ChartValue::Kind::Text:
        break;
    }
    return false;
}

QString failureReason(ChartFileFailure failure)
{
    switch (failure) {
    case ChartFileFailure::CannotOpen:
        return QStringLiteral("a fájl nem nyitható meg.");
    case ChartFileFailure::NotRegularFile:
        return SmallFileFailureText(SmallFileFailure::NotRegularFile);
    case ChartFileFailure::TooLarge:
        return QStringLiteral("a fájl túl nagy, nem asztrógram.");
    case ChartFileFailure::NotChartFile:
        return QStringLiteral("a fájl nem asztrógram.");
    case ChartFileFailure::TooFewValues:
        return QStringLiteral("túl kevés adat van benne (legalább 14 kell).");
    case ChartFileFailure::BadSummerTime:
        return QStringLiteral("a nyári időszámítás jelzője (a 12. adat) csak 0, 1 vagy 2 lehet.");
    }
    return {};
}

Unexpected<ChartFileRefusal> failed(const QString &path, ChartFileFailure failure)
{
    return Unexpected(ChartFileRefusal{failure, ChartFileFailureMessage(path, failure)});
}

} // namespace

Expected<ChartFileValues, ChartFileRefusal> ReadChartFile(const QString &path)
{
    // Read and decoded once. A file that does not give the long form's 15 values is the
    // short form: its first 14 values are the same either way.
    const Expected<QString, ChartFileFailure> text = loadChartText(path);
    if (!text)
        return failed(path, text.error());
    Expected<ChartFileValues, ChartFileFailure> checked =
        CheckChartValues(ReadDelimitedValues(*text, ChartFileLongLength));
    if (!checked)
        return failed(path, checked.error());
    return std::move(*checked);
}

Expected<ChartFileValues, ChartFileFailure> CheckChartValues(const std::vector<ChartValue> &values)
{
    if (!holdsBirthNumbers(values))
        return Unexpected(ChartFileFailure::NotChartFile);
    if (static_cast<qsizetype>(values.size()) < ChartFileShortLength)
        return Unexpected(ChartFileFailure::TooFewValues);
    const std::optional<int> summerTime = summerTimeState(values[11]);
    if (!summerTime)
        return Unexpected(ChartFileFailure::BadSummerTime);
    ChartFileValues file;
    std::copy_n(values.begin(), ChartFileShortLength, file.values.begin());
    file.summerTime = *summerTime;
    return file;
}

void ApplyChartFile(BirthForm &form, const ChartFileValues &file)
{
    const auto &v = file.values;
    form.name = FieldText(v[0]);
    form.year = FieldText(v[1]);
    form.month = FieldText(v[2]);
    form.day = FieldText(v[3]);
    SetBirthHour(form, FieldText(v[4]));
    form.minute = FieldText(v[5]);
    form.latitudeDegrees = FieldText(v[6]);
    form.latitudeMinutes = FieldText(v[7]);
    form.longitudeDegrees = FieldText(v[8]);
    form.longitudeMinutes = FieldText(v[9]);
    form.zoneText = FieldText(v[10]);
    form.summerTime = file.summerTime;
    form.beforeNoon = !meansAfternoon(v[13]);
    Hour12To24(form);
}

QString ChartFileFailureMessage(const QString &path, ChartFileFailure failure)
{
    return QStringLiteral("A(z) %1 asztrógram nem olvasható be: %2")
        .arg(QFileInfo(path).fileName(), failureReason(failure));
}

ChartFileDialogSettings ChartFileDialog()
{
    return {QStringLiteral("Asztrógram megnyitása"), QStringLiteral("Horavista file (*.hvs)")};
}

} // namespace ferolune
