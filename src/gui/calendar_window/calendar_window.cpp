#include "gui/calendar_window/calendar_window.h"

#include "core/calendar/calendar_run.h"
#include "gui/calendar_window/calendar_canvas.h"
#include "gui/calendar_window/wait_panel.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/object_names.h"
#include "gui/widgets/palette.h"
#include "io/page/page_layout.h"

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
    setObjectName(QLatin1StringView(object_names::CalendarWindow));
    setWindowTitle(QStringLiteral("Holdfázis naptár"));
    setWindowIcon(QIcon(QStringLiteral(":/ferolune/icon-32.png")));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(CalendarClientSize);
    setFont(namedFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    setBackground(this, Qt::white);

    m_canvas = new CalendarCanvas(this);
    m_canvas->setObjectName(QLatin1StringView(object_names::CalendarPage));
    m_canvas->setGeometry(rect());
    connect(m_canvas, &CalendarCanvas::dayCellClicked, this, &CalendarWindow::askForDayDetail);

    buildButtons();
    m_waitPanel = new WaitPanel(this);
}

void CalendarWindow::buildButtons()
{
    m_printButton = new QPushButton(QStringLiteral("NYOMTATÁS"), this);
    m_printButton->setObjectName(QLatin1StringView(object_names::PrintButton));
    m_printButton->setGeometry(PrintButtonRect);
    connect(m_printButton, &QPushButton::clicked, this, &CalendarWindow::printCalendar);

    // Beside the print button, in the free corner under the legend swatches.
    m_saveButton = new QPushButton(QStringLiteral("MENTÉS…"), this);
    m_saveButton->setObjectName(QLatin1StringView(object_names::SaveCalendarButton));
    m_saveButton->setGeometry(SaveButtonRect);
    connect(m_saveButton, &QPushButton::clicked, this, &CalendarWindow::saveCalendarAs);
}

void CalendarWindow::showCalendar(const CalendarDocument &document, bool finished)
{
    m_document = document;
    m_finished = finished;
    m_canvas->setContent(PageOfRun(document.heading, document.natal, document.calendar));
}

void CalendarWindow::setModel(const CalendarModel &model)
{
    m_document.calendar = model;
    m_canvas->setModel(model);
}

const CalendarPageContent &CalendarWindow::pageContent() const
{
    return m_canvas->content();
}

QString CalendarWindow::pageText(PageText text) const
{
    return TextOf(m_canvas->content(), text);
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
    return m_canvas->model().days[static_cast<size_t>(dayIndex)].isPhaseDay();
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
    const CalendarModel &model = m_canvas->model();
    if (dayIndex < 0 || dayIndex >= model.dayCount || !model.days[static_cast<size_t>(dayIndex)].isPhaseDay())
        return; // only moon-phase days respond
    const QDate date = model.date(dayIndex);
    emit detailRequested(date.month(), date.day());
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

WriteResult CalendarWindow::saveCalendar(const QString &path, ExportFormat format, const IcsOptions &ics)
{
    const Expected<QByteArray, QString> bytes = CalendarFileBytes(m_document, format, ics);
    if (!bytes)
        return Unexpected(
            QStringLiteral("A(z) %1 fájl nem írható: %2.").arg(QDir::toNativeSeparators(path), bytes.error()));
    return WriteFileAtomically(path, *bytes);
}

void CalendarWindow::saveCalendarAs()
{
    // Nothing to save while a run works on the cells, nor before one has finished.
    if (isWaitPanelVisible() || !m_finished)
        return;
    QString path = m_dialogs.chooseFileToSave(this, QStringLiteral("A naptár mentése"),
                                              ProposedFileName(m_document.calendar.year, ExportFormat::Pdf),
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
    if (const WriteResult written = saveCalendar(path, *format, ics); !written)
        m_dialogs.message(this, written.error(), Dialogs::Icon::Critical);
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
    if (const WriteResult written = saveCalendar(path, ExportFormat::Pdf); !written)
        m_dialogs.message(this, written.error(), Dialogs::Icon::Critical);
}

QString CalendarWindow::proposedPdfName() const
{
    QString year;
    for (const QChar c : m_document.heading.yearText) {
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
