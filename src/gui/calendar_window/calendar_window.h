#pragma once

// The calendar window, "Holdfázis naptár": the fertility calendar of one year. The window
// shows the calendar page and decides nothing itself: a calendar run fills the page, a
// click on a moon-phase day asks for that day's detail, and the print and save buttons
// print and save the page.

#include "core/calendar/calendar_model.h"
#include "io/export/calendar_document.h"
#include "io/page/calendar_page.h"

#include <QWidget>

#include <functional>
#include <memory>

class QIODevice;
class QLabel;
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

    // The page of `document`: its heading, natal chart and cells. Once `finished`, the
    // save button saves it.
    void showCalendar(const CalendarDocument &document, bool finished);
    // The day cells, the hour strip and the detail captions of the calendar shown.
    void setModel(const CalendarModel &model);

    // What the page shows, and one of its texts.
    const CalendarPageContent &pageContent() const;
    QString pageText(PageText text) const;

    void setWaitPanelVisible(bool visible);
    bool isWaitPanelVisible() const;
    // How far the running scan or detail has come, shown on the wait panel.
    void setProgress(const RunProgress &progress);

    // Shows the window without blocking; the first time centred on the screen, and made
    // smaller, the page with it, where the screen is smaller than the window.
    void showCentred();

    // Day cells 0..dayCount - 1 (legend swatches from FirstLegendIndex for the colour), in
    // window coordinates.
    QColor cellColor(int index) const;
    // The tooltip of a day cell: the exact return of a moon-phase day, else empty.
    QString cellToolTip(int dayIndex) const;
    bool cellHasPhasePointer(int dayIndex) const;
    QRect cellRect(int index) const;
    // Hour cells 0..71 of the detail strip.
    QColor hourCellColor(int hourIndex) const;
    QRect hourCellRect(int hourIndex) const;
    CalendarCanvas *canvas() const { return m_canvas; }
    // The line under the calendar: what the keyboard's cell says.
    QString cellInfoText() const;

    // Where the print button prints; by default the system's default printer.
    void setPrinterSource(PrinterSource source);
    // Draws the page as the window shows it, without the buttons, on one landscape sheet
    // of `printer`, and ends the document. False when the printer could not be opened.
    bool printPage(QPrinter &printer);
    // The same page as a PDF document (A4 landscape) written to `out`.
    bool writePdf(QIODevice &out);

    // The calendar shown as `format` (CalendarFileBytes) written to `path` whole or not at
    // all; the message names the file.
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
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildButtons();
    void layOut();
    void showCellInfo(int dayIndex);
    void offerPdfInstead();
    QString proposedPdfName() const;

    Dialogs &m_dialogs;
    PrinterSource m_printerSource;
    CalendarCanvas *m_canvas = nullptr; // the page
    QPushButton *m_printButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QLabel *m_cellInfo = nullptr; // under the page
    CalendarDocument m_document; // what the page shows
    bool m_finished = false;     // a run has filled in every cell
    WaitPanel *m_waitPanel = nullptr;
    bool m_centred = false;
};

// The system's default printer, or null when none is installed.
std::unique_ptr<QPrinter> DefaultPrinter();

} // namespace ferolune
