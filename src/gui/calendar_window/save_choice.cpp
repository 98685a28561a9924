#include "gui/calendar_window/save_choice.h"

#include "gui/widgets/dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace ferolune {

namespace {

QString filterOf(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Pdf:
        return QStringLiteral("PDF dokumentum (*.pdf)");
    case ExportFormat::Ics:
        return QStringLiteral("iCalendar naptár (*.ics)");
    case ExportFormat::Csv:
        break;
    }
    return QStringLiteral("CSV táblázat (*.csv)");
}

// "PDF (.pdf), iCalendar (.ics) vagy CSV (.csv)".
QString formatsInWords(const std::vector<ExportFormat> &formats)
{
    QStringList names;
    for (const ExportFormat format : formats) {
        const QString suffix = SuffixOf(format);
        const QString name = format == ExportFormat::Ics ? QStringLiteral("iCalendar") : suffix.toUpper();
        names << QStringLiteral("%1 (.%2)").arg(name, suffix);
    }
    const QString last = names.takeLast();
    return names.isEmpty() ? last : names.join(QStringLiteral(", ")) + QStringLiteral(" vagy ") + last;
}

} // namespace

std::optional<SaveChoice> ChooseSaveFile(QWidget *parent, Dialogs &dialogs, const SavedThing &thing,
                                         const QString &proposedName, const std::vector<ExportFormat> &formats)
{
    QStringList filters;
    for (const ExportFormat format : formats)
        filters << filterOf(format);
    QString path = dialogs.chooseFileToSave(parent, QStringLiteral("A %1 mentése").arg(thing.name), proposedName,
                                            filters.join(QStringLiteral(";;")));
    if (path.isEmpty())
        return std::nullopt;
    std::optional<ExportFormat> format = FormatOfPath(path);
    if (!format && QFileInfo(path).suffix().isEmpty()) {
        path += u'.' + SuffixOf(formats.front());
        format = formats.front();
    }
    if (!format) {
        dialogs.message(parent,
                        QStringLiteral("A(z) %1 fájl típusa ismeretlen: a %2 %3 fájlba menthető.")
                            .arg(QDir::toNativeSeparators(path), thing.name, formatsInWords(formats)),
                        Dialogs::Icon::Critical);
        return std::nullopt;
    }
    SaveChoice choice{path, *format, {}};
    if (*format == ExportFormat::Ics) {
        // A phone's calendar is often shared: she says what it may show, and when to remind.
        const std::optional<PhoneCalendarChoice> phone = dialogs.choosePhoneCalendar(parent, MaxReminderHours);
        if (!phone)
            return std::nullopt;
        choice.ics = {phone->discreet, phone->reminderHours};
    }
    return choice;
}

QString ChoosePdfInsteadOfPrint(QWidget *parent, Dialogs &dialogs, const SavedThing &thing, const QString &proposedName)
{
    const QString question = QStringLiteral("Nincs telepített nyomtató, ezért a %1 nem lehet kinyomtatni.\n\n"
                                            "Szeretné a %1 inkább PDF fájlba menteni?")
                                 .arg(thing.accusative);
    if (!dialogs.ask(parent, question))
        return {};
    QString path = dialogs.chooseFileToSave(parent, QStringLiteral("A %1 mentése PDF fájlba").arg(thing.name),
                                            proposedName, QStringLiteral("PDF fájlok (*.pdf)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    return path;
}

} // namespace ferolune
