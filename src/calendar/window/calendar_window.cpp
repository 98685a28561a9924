#include "calendar/window/calendar_window.h"

#include "calendar/calendar_run.h"
#include "calendar/exact_return.h"
#include "calendar/window/calendar_canvas.h"
#include "calendar/window/calendar_layout.h"
#include "export/calendar_file.h"
#include "widgets/dialogs.h"
#include "widgets/palette.h"
#include "widgets/window_metrics.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace ferolune {

namespace {

const QStringList MonthNames = {
    QStringLiteral("Január"),    QStringLiteral("Február"), QStringLiteral("Március"),  QStringLiteral("Április"),
    QStringLiteral("Május"),     QStringLiteral("Június"),  QStringLiteral("Július"),   QStringLiteral("Augusztus"),
    QStringLiteral("Szeptember"), QStringLiteral("Október"), QStringLiteral("November"), QStringLiteral("December"),
};

const QString DayHeader = QStringLiteral(
    "   1   2   3    4   5   6    7    8   9  10 11  12 13  14 15 16 17 18  19 20  21 22 23  24 25  26  27 28 29 30 31");
const QString HourHeader = QStringLiteral(
    "0            12          24   0            12          24  0            12          24");
const QString WebAddresses = QStringLiteral("www.ferolune.example.org  -  forum.ferolune.example.org");
const QString NameHeading = QStringLiteral("A SZÜLETÉS ADATAI: ");

// The month labels end just before the first column of day cells.
constexpr int MonthLabelRight = 1500 / TwipsPerPixel - 2;

QFont arial(double pointSize, bool bold = false)
{
    return namedFont(QStringLiteral("Arial"), pointSize, bold);
}

QFont courier(double pointSize)
{
    return namedFont(QStringLiteral("Courier New"), pointSize, true);
}

// The substitute fonts run a little wider than the originals: a transparent label grows to
// the right rather than cut off its last characters.
void keepTextWhole(QLabel *label)
{
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
}

// The day numbers over the columns of day cells. The header's text is a row of numbers
// padded with blanks for the fonts it was drawn with; in other fonts the padding drifts
// off the columns, so each number is drawn centred over its own column instead.
class DayHeaderLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        const QStringList numbers = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (qsizetype column = 0; column < numbers.size(); ++column) {
            // January has a cell in every column.
            const QRect cell = DayCellRect(static_cast<int>(column), 365);
            const int centre = cell.left() + cell.width() / 2 - x();
            const QRect slot(centre - ColumnStep, 0, 2 * ColumnStep, height());
            painter.drawText(slot, Qt::AlignHCenter | Qt::AlignTop, numbers[column]);
        }
    }

private:
    static constexpr int ColumnStep = 240 / TwipsPerPixel;
};

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

    buildHeader();
    buildLegend();
    buildBirthDataBox();
    buildDetailStrip();
    buildNotes();
    buildWaitPanel();
}

QLabel *CalendarWindow::addLabel(QWidget *parent, const QString &name, const QString &text, const QFont &font)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText); // a name is shown as typed, never as markup
    label->setFont(font);
    label->setText(text);
    return label;
}

void CalendarWindow::buildHeader()
{
    m_yearLabel = addLabel(this, QStringLiteral("Label10"), QString(), arial(9.75, true));
    setColour(m_yearLabel, QPalette::WindowText, QColor(0, 0, 255));
    m_yearLabel->setGeometry(twipsRect(480, 120, 750, 240)); // sized to its text by the load step

    auto *days = new DayHeaderLabel(this);
    days->setObjectName(QStringLiteral("Label1"));
    days->setFont(arial(8.25));
    days->setText(DayHeader);
    days->setGeometry(twipsRect(1500, 180, 7695, 255));
    keepTextWhole(days);

    for (int month = 0; month < 12; ++month) {
        QLabel *label = addLabel(this, QStringLiteral("L_%1").arg(month), MonthNames[month], arial(8.25, true));
        label->adjustSize();
        label->move(MonthLabelRight - label->width(), (600 + 300 * month) / TwipsPerPixel);
    }
}

void CalendarWindow::buildLegend()
{
    const QString texts[] = {QStringLiteral("Nem termékeny nap"), QStringLiteral("Termékeny nap"),
                             QStringLiteral("Holdfázis nap - lány"), QStringLiteral("Holdfázis nap - fiú")};
    for (int k = 0; k < LegendCount; ++k) {
        QLabel *label = addLabel(this, QStringLiteral("Label%1").arg(5 + k), texts[k], arial(8.25, true));
        label->adjustSize();
        label->move(twipsPoint(840, 4740 + 360 * k));
    }

    m_printButton = new QPushButton(QStringLiteral("NYOMTATÁS"), this);
    m_printButton->setObjectName(QStringLiteral("Command1"));
    m_printButton->setGeometry(twipsRect(1140, 6240, 1635, 435));
    connect(m_printButton, &QPushButton::clicked, this, &CalendarWindow::printCalendar);

    // Beside the print button, in the free corner under the legend swatches.
    m_saveButton = new QPushButton(QStringLiteral("MENTÉS…"), this);
    m_saveButton->setObjectName(QStringLiteral("cmdSave"));
    m_saveButton->setGeometry(twipsRect(60, 6240, 1020, 435));
    connect(m_saveButton, &QPushButton::clicked, this, &CalendarWindow::saveCalendarAs);
}

void CalendarWindow::buildBirthDataBox()
{
    auto *box = new QFrame(this);
    box->setObjectName(QStringLiteral("Picture1"));
    box->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    box->setGeometry(twipsRect(3000, 4200, 6015, 2535));
    setBackground(box, palette().color(QPalette::Base));
    // Places inside the box are measured from the inside of its border.
    const QPoint inside(box->frameWidth(), box->frameWidth());

    m_nameLabel = addLabel(box, QStringLiteral("Label4"), QStringLiteral("A SZÜLETÉS ADATAI"), courier(9.75));
    m_nameLabel->setGeometry(twipsRect(120, 60, 5775, 315).translated(inside));
    m_nameLabel->setAlignment(Qt::AlignCenter);

    m_chartLabel = addLabel(box, QStringLiteral("Label2"), QStringLiteral("lblData"), courier(9.75));
    m_chartLabel->setGeometry(twipsRect(120, 420, 5775, 1575).translated(inside));
    m_chartLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_angleLabel = addLabel(box, QStringLiteral("Label3"), QStringLiteral("lblFok"), courier(12));
    m_angleLabel->setGeometry(twipsRect(120, 2040, 5775, 375).translated(inside));
    m_angleLabel->setAlignment(Qt::AlignCenter);
    setColour(m_angleLabel, QPalette::WindowText, QColor(255, 0, 0));

    for (QLabel *label : {m_nameLabel, m_chartLabel, m_angleLabel})
        setBackground(label, Qt::white);
}

void CalendarWindow::buildDetailStrip()
{
    QLabel *heading = addLabel(this, QStringLiteral("L_12"),
                               QStringLiteral("Részletes (klikk a megfelelő napra a részletes lebontásért):"),
                               arial(8.25, true));
    heading->setGeometry(twipsRect(120, 6780, 4950, 210));
    keepTextWhole(heading);

    QLabel *hours = addLabel(this, QStringLiteral("Label12"), HourHeader, arial(8.25));
    hours->setGeometry(twipsRect(2820, 6960, 4575, 195));
    keepTextWhole(hours);

    const int lefts[] = {2820, 4380, 5940};
    for (int g = 0; g < 3; ++g) {
        QLabel *label = addLabel(this, QStringLiteral("lblNap%1").arg(g + 1), QString(), arial(8.25, true));
        label->setGeometry(twipsRect(lefts[g], 7560, 1455, 195));
        label->setAlignment(Qt::AlignCenter);
        setBackground(label, QColor(255, 255, 0));
        m_dateLabels[g] = label;
    }
}

void CalendarWindow::buildNotes()
{
    // Centred under the detail strip, wide enough for two dates and a span.
    m_exactLabel = addLabel(this, QStringLiteral("lblPontos"), QString(), arial(8.25, true));
    m_exactLabel->setGeometry(twipsRect(120, 7800, 9975, 195));
    m_exactLabel->setAlignment(Qt::AlignCenter);

    m_ephemerisNote = addLabel(this, QStringLiteral("lblEfemerisz"),
                               QStringLiteral("Figyelem: ennek az évnek a helyzetei a Swiss Ephemeris beépített, "
                                              "kevésbé pontos efemeriszéből származnak."),
                               arial(8.25, true));
    m_ephemerisNote->setGeometry(twipsRect(120, 8040, 10155, 195));
    m_ephemerisNote->setAlignment(Qt::AlignCenter);
    setColour(m_ephemerisNote, QPalette::WindowText, QColor(255, 0, 0));
    m_ephemerisNote->hide();
}

void CalendarWindow::buildWaitPanel()
{
    m_waitPanel = new QWidget(this);
    m_waitPanel->setObjectName(QStringLiteral("Picture2"));
    m_waitPanel->setGeometry(twipsRect(0, 0, 10395, 7995));
    setBackground(m_waitPanel, QColor(0, 64, 64));
    setColour(m_waitPanel, QPalette::WindowText, Qt::white);

    QLabel *message = addLabel(m_waitPanel, QStringLiteral("Label9"),
                               QStringLiteral("KÉREM VÁRJON AMIG A NAPTÁR ELKÉSZÜL..."), arial(15.75, true));
    message->setGeometry(twipsRect(1680, 2820, 7065, 360));
    keepTextWhole(message);

    m_progress = new QProgressBar(m_waitPanel);
    m_progress->setObjectName(QStringLiteral("WaitProgress"));
    m_progress->setGeometry(twipsRect(1680, 3360, 7065, 300));
    m_progress->setRange(0, 365);
    m_progress->setValue(0);
    // The count stands under the bar, not on it, where half of it would lie on the fill.
    m_progress->setTextVisible(false);
    m_progressText = addLabel(m_waitPanel, QStringLiteral("WaitProgressText"), QString(), arial(9.75, true));
    m_progressText->setGeometry(twipsRect(1680, 3720, 7065, 300));
    m_progressText->setAlignment(Qt::AlignCenter);

    QLabel *addresses = addLabel(m_waitPanel, QStringLiteral("Label11"), WebAddresses, font());
    addresses->setGeometry(twipsRect(4320, 7740, 6030, 195));
    keepTextWhole(addresses);

    m_waitPanel->hide();
}

void CalendarWindow::load(const QString &calendarYearText, const QString &name, const QString &residence)
{
    m_yearLabel->setText(calendarYearText);
    m_yearLabel->adjustSize();
    // The residence field shows "name, county, country"; the heading keeps the name.
    const QString place = residence.section(QStringLiteral(", "), 0, 0).trimmed();
    m_nameLabel->setText(place.isEmpty() ? NameHeading + name
                                         : NameHeading + name + QStringLiteral(", LAKÓHELY: ") + place);
    m_nameLabel->setToolTip(residence);
    // A heading made long by the residence takes a smaller type rather than losing its ends.
    QFont font = courier(9.75);
    while (!place.isEmpty() && font.pointSizeF() > 6
           && QFontMetrics(font).horizontalAdvance(m_nameLabel->text()) > m_nameLabel->width())
        font.setPointSizeF(font.pointSizeF() - 0.5);
    m_nameLabel->setFont(font);
}

void CalendarWindow::setChartText(const QString &chartText)
{
    QString lines = chartText;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_chartLabel->setText(lines);
}

void CalendarWindow::setAngleCaption(const QString &caption)
{
    m_angleLabel->setText(caption);
}

void CalendarWindow::setModel(const CalendarModel &model)
{
    m_canvas->setModel(model);
    for (int g = 0; g < 3; ++g)
        m_dateLabels[g]->setText(model.detailCaptions[static_cast<size_t>(g)]);
    // The exact moment stands under a finished detail only.
    const bool detailDone = !model.detailCaptions[2].isEmpty() && model.detailDayIndex >= 0 &&
                            model.detailDayIndex < model.dayCount;
    const auto &exact = detailDone ? model.exactReturns[static_cast<size_t>(model.detailDayIndex)] : std::nullopt;
    m_exactLabel->setText(exact ? ExactReturnDetailLine(*exact) : QString());
    m_ephemerisNote->setVisible(model.builtInEphemeris);
}

void CalendarWindow::setWaitPanelVisible(bool visible)
{
    if (visible) {
        m_progress->setValue(0);
        m_progressText->clear();
        m_waitPanel->raise();
    }
    m_waitPanel->setVisible(visible);
}

bool CalendarWindow::isWaitPanelVisible() const
{
    return !m_waitPanel->isHidden();
}

void CalendarWindow::setProgress(const RunProgress &progress)
{
    if (m_progress->maximum() != progress.total)
        m_progress->setRange(0, progress.total);
    m_progress->setValue(std::min(progress.done, progress.total));
    // The day or minute being computed: the one after those done.
    const int current = std::min(progress.done + 1, progress.total);
    const QString unit = progress.unit == RunProgress::Unit::Minute ? QStringLiteral("perc") : QStringLiteral("nap");
    m_progressText->setText(QStringLiteral("%1. %2 / %3").arg(current).arg(unit).arg(progress.total));
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
    const QPicture page = recordedPage();
    // The picture holds its fonts at the screen's resolution and rescales them to that of
    // the device it is played on; at the same resolution the page keeps the window's
    // proportions, and its text and cells stay vector drawing at any printer resolution.
    printer.setResolution(page.logicalDpiX());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    drawFitted(painter, page, QRectF(painter.viewport()));
    return painter.end(); // ends the document: the page goes out at once
}

bool CalendarWindow::writePdf(QIODevice &out)
{
    const QPicture page = recordedPage();
    QPdfWriter pdf(&out);
    pdf.setTitle(windowTitle());
    pdf.setCreator(QStringLiteral("ferolune"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                  QPageLayout::Millimeter));
    pdf.setResolution(page.logicalDpiX());
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    drawFitted(painter, page, QRectF(painter.viewport()));
    return painter.end();
}

void CalendarWindow::drawFitted(QPainter &painter, const QPicture &page, const QRectF &area) const
{
    // Scaled to fit the printable area, proportions kept, centred both ways.
    const double scale = std::min(area.width() / width(), area.height() / height());
    painter.translate(area.left() + (area.width() - width() * scale) / 2,
                      area.top() + (area.height() - height() * scale) / 2);
    painter.scale(scale, scale);
    painter.drawPicture(0, 0, page);
}

QPicture CalendarWindow::recordedPage()
{
    // The page shows the window as it is, without its print button. QWidget::render
    // straight onto a printer paints the window into a bitmap of the printer's resolution;
    // recorded as a picture first, the page keeps its text and cells as vector drawing.
    // Hidden, not invisible: a window drawn without being shown keeps its buttons.
    const bool printHidden = m_printButton->isHidden();
    const bool saveHidden = m_saveButton->isHidden();
    m_printButton->hide();
    m_saveButton->hide();
    QPicture page;
    QPainter recorder(&page);
    render(&recorder, QPoint(), QRegion(rect()), RenderFlags(DrawWindowBackground | DrawChildren));
    recorder.end();
    m_printButton->setHidden(printHidden);
    m_saveButton->setHidden(saveHidden);
    return page;
}

void CalendarWindow::setCalendarExport(const CalendarExport &calendar)
{
    m_export = calendar;
}

std::variant<QByteArray, QString> CalendarWindow::calendarFile(ExportFormat format)
{
    if (format == ExportFormat::Pdf) {
        QByteArray bytes;
        QBuffer page(&bytes);
        if (!page.open(QIODevice::WriteOnly) || !writePdf(page))
            return QStringLiteral("a PDF oldal nem készíthető el");
        return bytes;
    }
    if (!m_export)
        return QStringLiteral("a naptár még nem készült el");
    return TextFileOf(*m_export, format);
}

WriteResult CalendarWindow::saveCalendar(const QString &path, ExportFormat format)
{
    const std::variant<QByteArray, QString> file = calendarFile(format);
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
    if (const WriteResult written = saveCalendar(path, *format); !written.ok())
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
    for (const QChar c : m_yearLabel->text()) {
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
