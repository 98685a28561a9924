#pragma once

// "TERVEZŐ…": the moon-phase days of the months ahead for the person in the main window,
// from today over 1 to 36 months, with the fertile days before each, the sex, the exact
// return, the cycle's fertile window and the uncertain days, filtered by sex and by the
// cycle; printed, or saved as CSV, .ics or PDF. The calendars of the years it spans are
// made on the worker's thread; the list follows the span as she changes it.

#include "io/export/calendar_document.h"
#include "io/export/plan_export.h"

#include <QDate>
#include <QDialog>
#include <QFutureWatcher>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace ferolune {

class CalendarWorker;
class Dialogs;

class PlanDialog : public QDialog {
    Q_OBJECT
public:
    using PlanOutcome = Expected<PlanResult, PlanFailure>;
    // The printer a print goes to; null when none is installed.
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

    // The planner for the person of `order` (its calendar year is not read), from `today`.
    PlanDialog(CalendarWorker &worker, Dialogs &dialogs, const CalendarOrder &order, const QDate &today,
               QWidget *parent = nullptr);
    ~PlanDialog() override;

    bool isComputing() const;
    // The plan shown, with the filter as set.
    const PlanDocument &document() const { return m_document; }
    void setPrinterSource(PrinterSource source);

    // Writes the list as `format`; the error message when it could not.
    WriteResult save(const QString &path, ExportFormat format, const IcsOptions &ics = {});

signals:
    // A computation has ended and its rows are listed (or its failure shown).
    void computed();

private:
    void compute();
    void computationDone();
    void showRows();
    void print();
    void saveAs();

    CalendarWorker &m_worker;
    Dialogs &m_dialogs;
    CalendarOrder m_order;
    QDate m_today;
    PlanDocument m_document;
    PrinterSource m_printerSource;
    QFutureWatcher<PlanOutcome> m_watcher;
    QTimer *m_delay = nullptr;
    QLabel *m_span = nullptr;
    QSpinBox *m_monthsBox = nullptr;
    QComboBox *m_sexFilter = nullptr;
    QCheckBox *m_cycleOnlyBox = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_saveButton = nullptr;
};

} // namespace ferolune
