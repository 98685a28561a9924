#include "gui/calendar_window/calendar_window.h"

#include "core/calendar/calendar_run.h"
#include "gui/calendar_window/calendar_canvas.h"
#include "gui/calendar_window/save_choice.h"
#include "gui/calendar_window/wait_panel.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/object_names.h"
#include "gui/widgets/palette.h"
#include "io/export/export_file.h"
#include "io/page/page_layout.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace ferolune {

namespace {

const SavedThing CalendarThing{QStringLiteral("naptár"), QStringLiteral("naptárt")};

// The line under the page holds two lines of text.
constexpr int CellInfoHeight = 34;
// The smallest page: the window then fits an 800 x 600 screen with its frame and a panel.
constexpr double MinimumPageScale = 0.85;

} // namespace

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
    setFont(namedFont(QStringLiteral("MS Sans Serif"), 8.25, false));
    setBackground(this, Qt::white);

    m_canvas = new CalendarCanvas(this);
    m_canvas->setObjectName(QLatin1StringView(object_names::CalendarPage));
    m_canvas->setAccessibleName(QStringLiteral("Holdfázis naptár"));
    connect(m_canvas, &CalendarCanvas::dayCellClicked, this, &CalendarWindow::askForDayDetail);
    connect(m_canvas, &CalendarCanvas::focusCellChanged, this, &CalendarWindow::showCellInfo);

    // What a mouse user reads in a cell's tooltip, a keyboard user reads here.
    m_cellInfo = new QLabel(this);
    m_cellInfo->setObjectName(QLatin1StringView(object_names::CellInfoLine));
    m_cellInfo->setTextFormat(Qt::PlainText);
    m_cellInfo->setWordWrap(true);
    m_cellInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    buildButtons();
    m_waitPanel = new WaitPanel(this);
    // The page scales with the window, down to what an 800 x 600 screen shows whole.
    setMinimumSize(qRound(CalendarClientSize.width() * MinimumPageScale),
                   qRound(CalendarClientSize.height() * MinimumPageScale) + CellInfoHeight);
    resize(CalendarClientSize + QSize(0, CellInfoHeight));
    layOut();
}

void CalendarWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

// The page fills the window above the cell line; the buttons keep their places on it.
void CalendarWindow::layOut()
{
    m_canvas->setGeometry(0, 0, width(), height() - CellInfoHeight);
    m_cellInfo->setGeometry(8, height() - CellInfoHeight, width() - 16, CellInfoHeight - 2);
    m_printButton->setGeometry(m_canvas->widgetRect(PrintButtonRect));
    m_saveButton->setGeometry(m_canvas->widgetRect(SaveButtonRect));
    m_waitPanel->setGeometry(m_canvas->widgetRect(WaitPanelRect));
}

void CalendarWindow::showCellInfo(int dayIndex)
{
    m_cellInfo->setText(m_canvas->cellInfo(dayIndex));
}

QString CalendarWindow::cellInfoText() const
{
    return m_cellInfo->text();
}

void CalendarWindow::buildButtons()
{
    m_printButton = new QPushButton(QStringLiteral("NYOMTATÁS"), this);
    m_printButton->setObjectName(QLatin1StringView(object_names::PrintButton));
    connect(m_printButton, &QPushButton::clicked, this, &CalendarWindow::printCalendar);

    // Beside the print button, in the free corner under the legend swatches.
    m_saveButton = new QPushButton(QStringLiteral("MENTÉS…"), this);
    m_saveButton->setObjectName(QLatin1StringView(object_names::SaveCalendarButton));
    connect(m_saveButton, &QPushButton::clicked, this, &CalendarWindow::saveCalendarAs);
}

void CalendarWindow::showCalendar(const CalendarDocument &document, bool finished)
{
    m_document = document;
    m_finished = finished;
    m_canvas->setContent(PageOfRun(document.heading, document.natal, document.calendar));
    if (finished)
        m_canvas->startKeyboard();
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
            // Room for the window's frame, which is not known before it shows.
            const QSize room = screen->availableGeometry().size() - QSize(8, 32);
            if (width() > room.width() || height() > room.height()) {
                const double scale = std::min(double(room.width()) / CalendarClientSize.width(),
                                              double(room.height() - CellInfoHeight) / CalendarClientSize.height());
                resize(QSize(qRound(CalendarClientSize.width() * scale),
                             qRound(CalendarClientSize.height() * scale) + CellInfoHeight)
                           .expandedTo(minimumSize()));
            }
            const QRect available = screen->availableGeometry();
            move(available.center() - QPoint(width() / 2, height() / 2 + 12));
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
    return m_canvas->cellToolTip(dayIndex);
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
        return m_canvas->widgetRect(LegendCellRect(index)).translated(m_canvas->pos());
    const int dayCount = m_canvas->model().dayCount;
    if (index < 0 || index >= dayCount)
        return {};
    return m_canvas->widgetRect(DayCellRect(index, dayCount)).translated(m_canvas->pos());
}

QColor CalendarWindow::hourCellColor(int hourIndex) const
{
    return m_canvas->hourCellColor(hourIndex);
}

QRect CalendarWindow::hourCellRect(int hourIndex) const
{
    if (hourIndex < 0 || hourIndex >= CalendarModel::HourCount)
        return {};
    return m_canvas->widgetRect(HourCellRect(hourIndex)).translated(m_canvas->pos());
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
    const std::optional<SaveChoice> choice =
        ChooseSaveFile(this, m_dialogs, CalendarThing, ProposedFileName(m_document.calendar.year, ExportFormat::Pdf),
                       {ExportFormat::Pdf, ExportFormat::Ics, ExportFormat::Csv});
    if (!choice)
        return;
    if (const WriteResult written = saveCalendar(choice->path, choice->format, choice->ics); !written)
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
    const QString path = ChoosePdfInsteadOfPrint(this, m_dialogs, CalendarThing, proposedPdfName());
    if (path.isEmpty())
        return;
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
    // As neutral as the name MENTÉS… proposes: a file name is seen by more than its owner.
    return year.isEmpty() ? QStringLiteral("naptar.pdf") : ProposedFileName(year.toInt(), ExportFormat::Pdf);
}

void CalendarWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closed();
}

} // namespace ferolune
