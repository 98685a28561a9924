#include "gui/calendar_window/calendar_window.h"

#include "core/calendar/calendar_run.h"
#include "gui/calendar_window/calendar_canvas.h"
#include "gui/calendar_window/wait_panel.h"
#include "io/export/calendar_file.h"
#include "io/page/page_layout.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/palette.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>

namespace ferolune {

std::unique_ptr<QPrinter> DefaultPrinter()
{
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(printerInfo, QPrinter::HighResolution);
}

CalendarWindow::CalendarWindow(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_dialogs(dialogs), m_printerSource(DefaultPrinter)
{
    setObjectName(QStringLiteral("frmNaptar"));
    setWindowTitle(QStringLiteral("Holdfázis naptár"));
    setWindowIcon(QIcon(QStringLiteral(":/ferolune/icon-32.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(CalendarClientSize);
    setFont(namedFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    setBackground(this, Qt::white);

    m_canvas = new CalendarCanvas(this);
    m_canvas->setObjectName(QStringLiteral("P"));
    m_canvas->setGeometry(rect());
    connect(m_canvas, &CalendarCanvas::dayCellClicked, this, &CalendarWindow::askForDayDetail);

    buildButtons();
    m_waitPanel = new WaitPanel(this);
}

void CalendarWindow::buildButtons()
{
    m_printButton = new QPushButton(QStringLiteral("NYOMTATÁS"), this);
    m_printButton->setObjectName(QStringLiteral("Command1"));
    m_printButton->setGeometry(PrintButtonRect);
    connect(m_printButton, &QPushButton::clicked, this, &CalendarWindow::printCalendar);

    // Beside the print button, in the free corner under the legend swatches.
    m_saveButton = new QPushButton(QStringLiteral("MENTÉS…"), this);
    m_saveButton->setObjectName(QStringLiteral("cmdSave"));
    m_saveButton->setGeometry(SaveButtonRect);
    connect(m_saveButton, &QPushButton::clicked, this, &CalendarWindow::saveCalendarAs);
}

void CalendarWindow::load(const QString &calendarYearText, const QString &name, const QString &residence,
                          const QString &clockNote)
{
    CalendarPageContent content = m_canvas->content();
    content.calendarYearText = calendarYearText;
    content.name = name;
    content.residence = residence;
    content.clockNote = clockNote;
    content.loaded = true;
    m_canvas->setContent(content);
}

void CalendarWindow::setChartText(const QString &chartText)
{
    CalendarPageContent content = m_canvas->content();
    content.chartText = chartText;
    m_canvas->setContent(content);
}

void CalendarWindow::setAngleCaption(const QString &caption)
{
    CalendarPageContent content = m_canvas->content();
    content.angleCaption = caption;
    m_canvas->setContent(content);
}

void CalendarWindow::setModel(const CalendarModel &model)
{
    m_canvas->setModel(model);
}

const CalendarPageContent &CalendarWindow::pageContent() const
{
    return m_canvas->content();
}

QString CalendarWindow::pageText(const QString &control) const
{
    return PageText(m_canvas->content(), control);
}

void CalendarWindow::setWaitPanelVisible(bool visible)
{
    m_waitPanel->cover(visible);
}

bool CalendarWindow::isWaitPanelVisible() const
{
    return !m_waitPanel->isHidden();
}

void CalendarWindow::setProgress(const RunProgress &progress)
{
    m_waitPanel->setProgress(progress);
}

void CalendarWindow::showCentred()
{
    if (!m_centred) {
        m_centred = true;
        QScreen *screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect available = screen->availableGeometry();
            move(available.center() - QPoint(width() / 2, height() / 2));
        }
    }
    show();
    raise();
    activateWindow();
}

QColor CalendarWindow::cellColor(int index) const
{
    return m_canvas->cellColor(index);
}

QString CalendarWindow::cellTag(int dayIndex) const
{
    if (dayIndex < 0 || dayIndex >= m_canvas->model().dayCount)
        return {};
    return m_canvas->model().days[static_cast<size_t>(dayIndex)].tag;
}

QString CalendarWindow::cellToolTip(int dayIndex) const
{
    const int dayCount = m_canvas->model().dayCount;
    if (dayIndex < 0 || dayIndex >= dayCount)
        return {};
    return m_canvas->toolTipAt(DayCellRect(dayIndex, dayCount).center());
}

bool CalendarWindow::cellHasPhasePointer(int dayIndex) const
{
    if (dayIndex < 0 || dayIndex >= m_canvas->model().dayCount)
        return false;
    return m_canvas->model().days[static_cast<size_t>(dayIndex)].customPointer;
}

QRect CalendarWindow::cellRect(int index) const
{
    if (index >= FirstLegendIndex && index < FirstLegendIndex + LegendCount)
        return LegendCellRect(index).translated(m_canvas->pos());
    const int dayCount = m_canvas->model().dayCount;
    if (index < 0 || index >= dayCount)
        return {};
    return DayCellRect(index, dayCount).translated(m_canvas->pos());
}

QColor CalendarWindow::hourCellColor(int hourIndex) const
{
    return m_canvas->hourCellColor(hourIndex);
}

QRect CalendarWindow::hourCellRect(int hourIndex) const
{
    if (hourIndex < 0 || hourIndex >= CalendarModel::HourCount)
        return {};
    return HourCellRect(hourIndex).translated(m_canvas->pos());
}

void CalendarWindow::askForDayDetail(int dayIndex)
{
    // The wait panel lies over the cells while a run works; nothing reaches them then.
    if (isWaitPanelVisible())
        return;
    const QString tag = cellTag(dayIndex);
    if (tag.isEmpty())
        return; // only moon-phase days respond
    const MonthDay date = DateOfTag(tag);
    emit detailRequested(date.month, date.day);
}

void CalendarWindow::setPrinterSource(PrinterSource source)
{
    m_printerSource = std::move(source);
}

bool CalendarWindow::printPage(QPrinter &printer)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(windowTitle());
    printer.setResolution(PageDpi);
    return DrawCalendarSheet(printer, m_canvas->content());
}

bool CalendarWindow::writePdf(QIODevice &out)
{
    return WriteCalendarPdf(out, m_canvas->content());
}

void CalendarWindow::setCalendarExport(const CalendarExport &calendar)
{
    m_export = calendar;
}

std::variant<QByteArray, QString> CalendarWindow::calendarFile(ExportFormat format, const IcsOptions &ics)
{
    if (format == ExportFormat::Pdf) {
        QByteArray bytes = CalendarPdf(m_canvas->content());
        if (bytes.isEmpty())
            return QStringLiteral("a PDF oldal nem készíthető el");
        return bytes;
    }
    if (!m_export)
        return QStringLiteral("a naptár még nem készült el");
    return TextFileOf(*m_export, format, ics);
}

WriteResult CalendarWindow::saveCalendar(const QString &path, ExportFormat format, const IcsOptions &ics)
{
    const std::variant<QByteArray, QString> file = calendarFile(format, ics);
    if (const QString *reason = std::get_if<QString>(&file))
        return {QStringLiteral("A(z) %1 fájl nem írható: %2.").arg(QDir::toNativeSeparators(path), *reason)};
    return WriteFileAtomically(path, std::get<QByteArray>(file));
}

void CalendarWindow::saveCalendarAs()
{
    // Nothing to save while a run works on the cells, nor before one has finished.
    if (isWaitPanelVisible() || !m_export)
        return;
    QString path = m_dialogs.chooseFileToSave(this, QStringLiteral("A naptár mentése"),
                                              ProposedFileName(m_export->year, ExportFormat::Pdf),
                                              QStringLiteral("PDF dokumentum (*.pdf);;iCalendar naptár (*.ics);;"
                                                             "CSV táblázat (*.csv)"));
    if (path.isEmpty())
        return;
    std::optional<ExportFormat> format = FormatOfPath(path);
    if (!format && QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".pdf");
        format = ExportFormat::Pdf;
    }
    if (!format) {
        m_dialogs.message(this,
                          QStringLiteral("A(z) %1 fájl típusa ismeretlen: a naptár PDF (.pdf), iCalendar (.ics) "
                                         "vagy CSV (.csv) fájlba menthető.")
                              .arg(QDir::toNativeSeparators(path)),
                          Dialogs::Icon::Critical);
        return;
    }
    IcsOptions ics;
    if (*format == ExportFormat::Ics) {
        // A phone's calendar is often shared: she says what it may show, and when to remind.
        const std::optional<PhoneCalendarChoice> choice = m_dialogs.choosePhoneCalendar(this, MaxReminderHours);
        if (!choice)
            return;
        ics = {choice->discreet, choice->reminderHours};
    }
    if (const WriteResult written = saveCalendar(path, *format, ics); !written.ok())
        m_dialogs.message(this, written.error, Dialogs::Icon::Critical);
}

void CalendarWindow::printCalendar()
{
    if (isWaitPanelVisible())
        return;
    if (std::unique_ptr<QPrinter> printer = m_printerSource ? m_printerSource() : nullptr) {
        if (!printPage(*printer))
            m_dialogs.message(this, QStringLiteral("A naptár nyomtatása nem sikerült."), Dialogs::Icon::Critical);
    } else {
        offerPdfInstead();
    }
}

void CalendarWindow::offerPdfInstead()
{
    const QString question = QStringLiteral("Nincs telepített nyomtató, ezért a naptárt nem lehet kinyomtatni.\n\n"
                                            "Szeretné a naptárt inkább PDF fájlba menteni?");
    if (!m_dialogs.ask(this, question))
        return;
    QString path = m_dialogs.chooseFileToSave(this, QStringLiteral("A naptár mentése PDF fájlba"), proposedPdfName(),
                                              QStringLiteral("PDF fájlok (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (const WriteResult written = saveCalendar(path, ExportFormat::Pdf); !written.ok())
        m_dialogs.message(this, written.error, Dialogs::Icon::Critical);
}

QString CalendarWindow::proposedPdfName() const
{
    QString year;
    for (const QChar c : m_canvas->content().calendarYearText) {
        if (c.isDigit())
            year += c;
    }
    return year.isEmpty() ? QStringLiteral("holdfazis-naptar.pdf") : QStringLiteral("holdfazis-naptar-%1.pdf").arg(year);
}

void CalendarWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}

} // namespace ferolune
