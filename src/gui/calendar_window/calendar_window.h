#pragma once

// frmNaptar, "Holdfázis naptár": the fertility calendar of one year. The window shows the
// calendar page and decides nothing itself: a calendar run fills the page, a click on a
// moon-phase day asks for that day's detail, and the print button prints the page.

#include "core/calendar/calendar_model.h"
#include "io/export/calendar_export.h"
#include "io/export/export_file.h"
#include "io/export/ics_export.h"
#include "io/page/calendar_page.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <variant>

class QIODevice;
class QPrinter;
class QPushButton;

namespace ferolune {

class CalendarCanvas;
class Dialogs;
class WaitPanel;
struct RunProgress;

class CalendarWindow : public QWidget {
    Q_OBJECT
public:
    // The printer to print on, or null when the machine has none.
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

    explicit CalendarWindow(Dialogs &dialogs, QWidget *parent = nullptr);

    // The load step: the year and the name heading of the birth-data box, which also names
    // the place of residence when one is given, and else the clock the times are on.
    void load(const QString &calendarYearText, const QString &name, const QString &residence = {},
              const QString &clockNote = {});
    void setChartText(const QString &chartText); // Label2, five lines
    void setAngleCaption(const QString &caption); // Label3
    // The day cells, the hour strip and the detail captions.
    void setModel(const CalendarModel &model);

    // What the page shows, and the text it draws where the window had the label of that
    // name ("Label10", "Label4", "Label2", "Label3", "lblNap1".."lblNap3", "lblPontos").
    const CalendarPageContent &pageContent() const;
    QString pageText(const QString &control) const;

    void setWaitPanelVisible(bool visible);
    bool isWaitPanelVisible() const;
    // How far the running scan or detail has come, shown on the wait panel.
    void setProgress(const RunProgress &progress);

    // Shows the window without blocking; the first time centred on the screen.
    void showCentred();

    // Day cells 0..dayCount - 1 (legend swatches from FirstLegendIndex for the colour), in
    // window coordinates.
    QColor cellColor(int index) const;
    QString cellTag(int dayIndex) const;
    // The tooltip of a day cell: the exact return of a moon-phase day, else empty.
    QString cellToolTip(int dayIndex) const;
    bool cellHasPhasePointer(int dayIndex) const;
    QRect cellRect(int index) const;
    // Hour cells 0..71 of the detail strip.
    QColor hourCellColor(int hourIndex) const;
    QRect hourCellRect(int hourIndex) const;
    CalendarCanvas *canvas() const { return m_canvas; }

    // Where the print button prints; by default the system's default printer.
    void setPrinterSource(PrinterSource source);
    // Draws the page as the window shows it, without the buttons, on one landscape sheet
    // of `printer`, and ends the document. False when the printer could not be opened.
    bool printPage(QPrinter &printer);
    // The same page as a PDF document (A4 landscape) written to `out`.
    bool writePdf(QIODevice &out);

    // What the save button writes besides the page: the finished run's days and person.
    // Until a run has finished the button saves nothing.
    void setCalendarExport(const CalendarExport &calendar);
    // The calendar as `format`: the printed page as PDF, or the iCalendar or CSV file of
    // the calendar export (an .ics written as `ics` says); else why it cannot be made.
    std::variant<QByteArray, QString> calendarFile(ExportFormat format, const IcsOptions &ics = {});
    // calendarFile() written to `path` whole or not at all; the message names the file.
    [[nodiscard]] WriteResult saveCalendar(const QString &path, ExportFormat format, const IcsOptions &ics = {});

    // A click on a day cell: a moon-phase day asks for its detail.
    void askForDayDetail(int dayIndex);
    // The print button.
    void printCalendar();
    // The save button, "MENTÉS...": PDF, iCalendar or CSV, by the suffix of the chosen file.
    void saveCalendarAs();

signals:
    // Month and day of a clicked moon-phase day.
    void detailRequested(int month, int day);
    // The user closed the window; it deletes itself afterwards.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildButtons();
    void offerPdfInstead();
    QString proposedPdfName() const;

    Dialogs &m_dialogs;
    PrinterSource m_printerSource;
    CalendarCanvas *m_canvas = nullptr;   // the page, "P" for its day cells
    QPushButton *m_printButton = nullptr; // Command1
    QPushButton *m_saveButton = nullptr;  // cmdSave
    std::optional<CalendarExport> m_export;
    WaitPanel *m_waitPanel = nullptr;     // Picture2
    bool m_centred = false;
};

// The system's default printer, or null when none is installed.
std::unique_ptr<QPrinter> DefaultPrinter();

} // namespace ferolune
