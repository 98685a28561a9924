#include "gui/main_window/plan_dialog.h"

#include "gui/calendar_window/calendar_worker.h"
#include "gui/calendar_window/save_choice.h"
#include "gui/widgets/dialogs.h"
#include "gui/widgets/object_names.h"
#include "io/texts/calendar_texts.h"
#include "io/texts/plan_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace ferolune {

namespace {

const SavedThing ListThing{QStringLiteral("lista"), QStringLiteral("listát")};

enum Column { FertileColumn, PhaseDayColumn, SexColumn, ExactColumn, CycleColumn, UncertainColumn, ColumnCount };

std::unique_ptr<QPrinter> defaultPrinter()
{
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(printerInfo, QPrinter::HighResolution);
}

QTableWidgetItem *cell(const QString &text, const QColor &background = {}, const QColor &foreground = {})
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (background.isValid())
        item->setBackground(background);
    if (foreground.isValid())
        item->setForeground(foreground);
    return item;
}

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *result = new QPushButton(text, parent);
    result->setObjectName(QLatin1StringView(name));
    return result;
}

} // namespace

PlanDialog::PlanDialog(CalendarWorker &worker, Dialogs &dialogs, const CalendarOrder &order, const QDate &today,
                       QWidget *parent)
    : QDialog(parent), m_worker(worker), m_dialogs(dialogs), m_order(order), m_today(today),
      m_printerSource(defaultPrinter)
{
    setObjectName(QLatin1StringView(object_names::PlanDialog));
    setWindowTitle(QStringLiteral("Tervező – ") + order.heading.name);
    m_document.heading = order.heading;
    m_document.personIdentity = order.personIdentity;

    m_span = new QLabel(this);
    m_span->setObjectName(QLatin1StringView(object_names::PlanSpan));
    m_monthsBox = new QSpinBox(this);
    m_monthsBox->setObjectName(QLatin1StringView(object_names::PlanMonthsBox));
    m_monthsBox->setRange(MinPlanMonths, MaxPlanMonths);
    m_monthsBox->setValue(DefaultPlanMonths);
    m_monthsBox->setSuffix(QStringLiteral(" hónap"));
    m_sexFilter = new QComboBox(this);
    m_sexFilter->setObjectName(QLatin1StringView(object_names::PlanSexFilter));
    m_sexFilter->addItem(QStringLiteral("fiú és lány"));
    m_sexFilter->addItem(PlanSexText(DayClass::PhaseBoy), int(DayClass::PhaseBoy));
    m_sexFilter->addItem(PlanSexText(DayClass::PhaseGirl), int(DayClass::PhaseGirl));
    m_cycleOnlyBox = new QCheckBox(QStringLiteral("csak a ciklus termékeny időszakával találkozó napok"), this);
    m_cycleOnlyBox->setObjectName(QLatin1StringView(object_names::PlanCycleOnlyBox));
    // Without a recorded cycle there is no window to meet.
    m_cycleOnlyBox->setEnabled(!order.request.cycle.isEmpty());

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QLatin1StringView(object_names::PlanTable));
    m_table->setHorizontalHeaderLabels({PlanFertileColumn, PlanPhaseDayColumn, PlanSexColumn, PlanExactColumn,
                                        QStringLiteral("Ciklus"), PlanUncertainColumn});
    m_table->horizontalHeaderItem(CycleColumn)->setToolTip(PlanCycleColumn);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_status = new QLabel(this);
    m_status->setObjectName(QLatin1StringView(object_names::PlanStatus));
    auto *note = new QLabel(MethodReliabilityNote, this);
    note->setWordWrap(true);
    m_printButton = button(this, object_names::PlanPrintButton, QStringLiteral("NYOMTATÁS"));
    m_saveButton = button(this, object_names::PlanSaveButton, QStringLiteral("MENTÉS…"));
    auto *closeButton = new QPushButton(QStringLiteral("BEZÁRÁS"), this);

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_span);
    controls->addWidget(m_monthsBox);
    controls->addSpacing(16);
    controls->addWidget(new QLabel(QStringLiteral("Nem:"), this));
    controls->addWidget(m_sexFilter);
    controls->addWidget(m_cycleOnlyBox);
    controls->addStretch();
    auto *commands = new QHBoxLayout;
    commands->addWidget(m_status, 1);
    commands->addWidget(m_printButton);
    commands->addWidget(m_saveButton);
    commands->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_table, 1);
    layout->addWidget(note);
    layout->addLayout(commands);
    resize(980, 560);

    // A span typed digit by digit, or stepped through, is computed once it rests.
    m_delay = new QTimer(this);
    m_delay->setSingleShot(true);
    m_delay->setInterval(400);
    connect(m_delay, &QTimer::timeout, this, &PlanDialog::compute);
    connect(m_monthsBox, &QSpinBox::valueChanged, m_delay, qOverload<>(&QTimer::start));
    connect(m_sexFilter, &QComboBox::currentIndexChanged, this, &PlanDialog::showRows);
    connect(m_cycleOnlyBox, &QCheckBox::toggled, this, &PlanDialog::showRows);
    connect(&m_watcher, &QFutureWatcher<PlanOutcome>::finished, this, &PlanDialog::computationDone);
    connect(&m_watcher, &QFutureWatcher<PlanOutcome>::progressValueChanged, this, [this](int done) {
        if (const int total = m_watcher.progressMaximum(); total > 0)
            m_status->setText(QStringLiteral("Számolás… %1%").arg(100 * done / total));
    });
    connect(m_printButton, &QPushButton::clicked, this, &PlanDialog::print);
    connect(m_saveButton, &QPushButton::clicked, this, &PlanDialog::saveAs);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    compute();
}

PlanDialog::~PlanDialog()
{
    // The job stops before its next moment; it holds nothing of the dialog.
    m_watcher.disconnect(this);
    m_watcher.cancel();
}

bool PlanDialog::isComputing() const
{
    return m_watcher.isRunning() || m_delay->isActive();
}

void PlanDialog::setPrinterSource(PrinterSource source)
{
    m_printerSource = std::move(source);
}

void PlanDialog::compute()
{
    m_watcher.cancel();
    const PlanRequest request{m_order.request, m_today, m_monthsBox->value()};
    m_span->setText(PlanSpanText(request.from, request.months).section(QStringLiteral(" ("), 0, 0) +
                    QStringLiteral(":"));
    m_status->setText(QStringLiteral("Számolás…"));
    m_printButton->setEnabled(false);
    m_saveButton->setEnabled(false);
    m_watcher.setFuture(m_worker.run<PlanOutcome>([request](QPromise<PlanOutcome> &promise, Ephemeris &ephemeris) {
        RunObserver observer;
        // The days of all the years the span touches; a closed dialog or a new span stops it.
        observer.progress = [&promise](const RunProgress &progress) {
            if (promise.isCanceled())
                return false;
            if (progress.unit == RunProgress::Unit::Day && progress.done != promise.future().progressValue()) {
                promise.setProgressRange(0, progress.total);
                promise.setProgressValue(progress.done);
            }
            return true;
        };
        promise.addResult(RunPlan(request, ephemeris, observer));
    }));
}

void PlanDialog::computationDone()
{
    const QFuture<PlanOutcome> future = m_watcher.future();
    if (future.isCanceled() || future.resultCount() == 0)
        return; // a newer span is on its way
    const PlanOutcome outcome = future.result();
    if (!outcome) {
        if (outcome.error().failure == RunFailure::Stopped)
            return;
        CalendarRequest failed = m_order.request;
        failed.year = outcome.error().year;
        m_document.plan = {};
        m_table->setRowCount(0);
        m_status->setText(RunFailureMessage(outcome.error().failure, failed));
        emit computed();
        return;
    }
    m_document.plan = *outcome;
    showRows();
    emit computed();
}

void PlanDialog::showRows()
{
    const QVariant sex = m_sexFilter->currentData();
    m_document.filter.sex = sex.isValid() ? std::optional(DayClass(sex.toInt())) : std::nullopt;
    m_document.filter.meetingCycleOnly = m_cycleOnlyBox->isChecked();
    const PlanResult &plan = m_document.plan;
    if (plan.months == 0)
        return; // nothing computed yet
    const std::vector<PlanRow> rows = m_document.rows();
    m_table->setRowCount(static_cast<int>(rows.size()));
    for (int k = 0; k < static_cast<int>(rows.size()); ++k) {
        const PlanRow &row = rows[static_cast<size_t>(k)];
        const QColor sexColour = DayClassColour(row.sex);
        m_table->setItem(k, FertileColumn, cell(PlanFertileDaysText(row), DayClassColour(DayClass::Fertile)));
        m_table->setItem(k, PhaseDayColumn, cell(PlanDateText(row.phaseDay), sexColour, Qt::white));
        m_table->setItem(k, SexColumn, cell(PlanSexText(row.sex), {}, sexColour));
        QTableWidgetItem *exact = cell(PlanExactText(row));
        if (row.exact) {
            if (const QString range = ExactRangeText(*row.exact); !range.isEmpty())
                exact->setText(exact->text() + QStringLiteral("   ") + range);
            exact->setToolTip(ExactReturnToolTip(*row.exact, row.phaseDay));
        }
        m_table->setItem(k, ExactColumn, exact);
        // The cycle's green, as its window is framed on the calendar, where the row meets it.
        QTableWidgetItem *overlap = cell(PlanOverlapText(row), {}, row.meetsCycle() ? CycleWindowColour() : QColor());
        QFont bold = overlap->font();
        bold.setBold(row.meetsCycle());
        overlap->setFont(bold);
        m_table->setItem(k, CycleColumn, overlap);
        m_table->setItem(k, UncertainColumn, cell(row.uncertain ? QStringLiteral("◥ bizonytalan") : QString()));
    }
    m_table->setColumnHidden(CycleColumn, !plan.hasCycle);
    m_table->setColumnHidden(UncertainColumn, plan.uncertaintyMinutes <= 0);
    QString status = QStringLiteral("%1 holdfázis nap a listában, összesen %2.").arg(rows.size()).arg(plan.rows.size());
    if (plan.hasCycle)
        status += QStringLiteral(" Ciklus alapja: ") + BasisLine(plan.cycleBasis);
    m_status->setText(status);
    m_printButton->setEnabled(true);
    m_saveButton->setEnabled(true);
}

WriteResult PlanDialog::save(const QString &path, ExportFormat format, const IcsOptions &ics)
{
    const Expected<QByteArray, QString> bytes = PlanFileBytes(m_document, format, ics);
    if (!bytes)
        return Unexpected(
            QStringLiteral("A(z) %1 fájl nem írható: %2.").arg(QDir::toNativeSeparators(path), bytes.error()));
    return WriteFileAtomically(path, *bytes);
}

void PlanDialog::saveAs()
{
    if (isComputing())
        return;
    const std::optional<SaveChoice> choice =
        ChooseSaveFile(this, m_dialogs, ListThing, ProposedPlanFileName(m_today, ExportFormat::Csv),
                       {ExportFormat::Csv, ExportFormat::Ics, ExportFormat::Pdf});
    if (!choice)
        return;
    if (const WriteResult written = save(choice->path, choice->format, choice->ics); !written)
        m_dialogs.message(this, written.error(), Dialogs::Icon::Critical);
}

void PlanDialog::print()
{
    if (isComputing())
        return;
    if (std::unique_ptr<QPrinter> printer = m_printerSource ? m_printerSource() : nullptr) {
        printer->setPageOrientation(QPageLayout::Portrait);
        printer->setDocName(windowTitle());
        printer->setResolution(PageDpi);
        if (!DrawPlanSheets(*printer, SheetOf(m_document)))
            m_dialogs.message(this, QStringLiteral("A lista nyomtatása nem sikerült."), Dialogs::Icon::Critical);
        return;
    }
    const QString path =
        ChoosePdfInsteadOfPrint(this, m_dialogs, ListThing, ProposedPlanFileName(m_today, ExportFormat::Pdf));
    if (path.isEmpty())
        return;
    if (const WriteResult written = save(path, ExportFormat::Pdf); !written)
        m_dialogs.message(this, written.error(), Dialogs::Icon::Critical);
}

} // namespace ferolune
