#include "gui/main_window/cycle_dialog.h"

#include "gui/widgets/dialogs.h"
#include "gui/widgets/object_names.h"
#include "io/texts/calendar_texts.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSpinBox>

#include <algorithm>

namespace ferolune {

namespace {

const QString DateForm = QStringLiteral("yyyy.MM.dd");

// The cycles that do not count, one a line: "2026.01.01 – 2026.03.01: 60 nap, nem számít".
QString uncountedLines(const CycleHistory &history)
{
    const std::vector<QDate> &starts = history.periodStarts; // in order
    const std::vector<int> lengths = RecordedCycleLengths(history);
    QStringList lines;
    for (std::size_t k = 1; k < starts.size(); ++k) {
        const int length = lengths[k - 1];
        if (!CycleCounts(length))
            lines << QStringLiteral("%1 – %2: %3 nap, nem számít")
                         .arg(starts[k - 1].toString(DateForm), starts[k].toString(DateForm))
                         .arg(length);
    }
    return lines.join(QLatin1Char('\n'));
}

QSpinBox *lengthBox(QWidget *parent, const char *name, int value)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1StringView(name));
    // Wider than the lengths kept, so that a wrong one is refused with its reason.
    box->setRange(1, 99);
    box->setValue(value);
    box->setSuffix(QStringLiteral(" nap"));
    // The basis line follows a length once it is typed whole, not its first digit.
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

QDate TypedCycleDate(const QString &text)
{
    // Dots as Hungarians write a date, or dashes as the command line takes it.
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{4})([.-])(\\d{1,2})\\2(\\d{1,2})\\.?\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return {};
    return QDate(match.captured(1).toInt(), match.captured(3).toInt(), match.captured(4).toInt());
}

CycleDialog::CycleDialog(const CycleHistory &history, const QDate &today, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_today(today), m_starts(history.periodStarts)
{
    setWindowTitle(QStringLiteral("Ciklus"));
    std::sort(m_starts.begin(), m_starts.end());

    m_startList = new QListWidget(this);
    m_startList->setObjectName(QLatin1StringView(object_names::PeriodStartList));
    m_startField = new QLineEdit(this);
    m_startField->setObjectName(QLatin1StringView(object_names::PeriodStartField));
    m_startField->setPlaceholderText(QStringLiteral("ÉÉÉÉ.HH.NN"));
    m_startCalendar = new QCalendarWidget(this);
    m_startCalendar->setObjectName(QLatin1StringView(object_names::PeriodStartCalendar));
    // Hungarian month and day names, whatever the desktop's language.
    m_startCalendar->setLocale(QLocale(QLocale::Hungarian, QLocale::Hungary));
    m_startCalendar->setMaximumDate(today);
    m_startCalendar->setSelectedDate(today);
    m_startCalendar->setGridVisible(true);
    auto *addButton = new QPushButton(QStringLiteral("HOZZÁAD"), this);
    addButton->setObjectName(QLatin1StringView(object_names::AddStartButton));
    auto *removeButton = new QPushButton(QStringLiteral("TÖRÖL"), this);
    removeButton->setObjectName(QLatin1StringView(object_names::RemoveStartButton));
    m_shortestBox = lengthBox(this, object_names::ShortestCycleBox, history.usualShortest);
    m_longestBox = lengthBox(this, object_names::LongestCycleBox, history.usualLongest);
    m_startList->setAccessibleName(QStringLiteral("A vérzések kezdetei"));
    m_startField->setAccessibleName(QStringLiteral("A vérzés kezdete"));
    m_shortestBox->setAccessibleName(QStringLiteral("Szokásos legrövidebb ciklus"));
    m_longestBox->setAccessibleName(QStringLiteral("Szokásos leghosszabb ciklus"));
    m_basisLine = new QLabel(this);
    m_basisLine->setObjectName(QLatin1StringView(object_names::CycleBasisLine));
    m_uncountedLines = new QLabel(this);
    m_uncountedLines->setObjectName(QLatin1StringView(object_names::UncountedCycles));
    m_uncountedLines->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Mégse"));

    auto *lengths = new QFormLayout;
    lengths->addRow(QStringLiteral("Szokásos legrövidebb ciklus:"), m_shortestBox);
    lengths->addRow(QStringLiteral("Szokásos leghosszabb ciklus:"), m_longestBox);
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("A vérzések kezdetei (a vérzés első napja):"), this), 0, 0, 1, 2);
    grid->addWidget(m_startList, 1, 0, 3, 1);
    grid->addWidget(m_startCalendar, 1, 1);
    grid->addWidget(m_startField, 2, 1);
    auto *row = new QHBoxLayout;
    row->addWidget(addButton);
    row->addWidget(removeButton);
    grid->addLayout(row, 3, 1);
    grid->addLayout(lengths, 4, 0, 1, 2);
    grid->addWidget(m_basisLine, 5, 0, 1, 2);
    // The cycles that do not count stand in an area of their own, of a fixed height, so that
    // the buttons below keep their places however many there are.
    auto *uncounted = new QScrollArea(this);
    uncounted->setWidget(m_uncountedLines);
    uncounted->setWidgetResizable(true);
    uncounted->setFrameShape(QFrame::NoFrame);
    uncounted->setFixedHeight(4 * fontMetrics().lineSpacing() + 4);
    grid->addWidget(uncounted, 6, 0, 1, 2);
    auto *note = new QLabel(MethodReliabilityNote, this);
    note->setObjectName(QLatin1StringView(object_names::MethodNote));
    note->setWordWrap(true);
    grid->addWidget(note, 7, 0, 1, 2);
    grid->addWidget(buttons, 8, 0, 1, 2);

    // A day picked in the calendar is typed for her; a double click adds it at once.
    connect(m_startCalendar, &QCalendarWidget::clicked, this,
            [this](const QDate &date) { m_startField->setText(date.toString(DateForm)); });
    connect(m_startCalendar, &QCalendarWidget::activated, this, [this](const QDate &date) {
        m_startField->setText(date.toString(DateForm));
        addTypedStart();
    });
    connect(addButton, &QPushButton::clicked, this, &CycleDialog::addTypedStart);
    connect(removeButton, &QPushButton::clicked, this, &CycleDialog::removeSelectedStart);
    connect(m_shortestBox, &QSpinBox::valueChanged, this, &CycleDialog::showHistory);
    connect(m_longestBox, &QSpinBox::valueChanged, this, &CycleDialog::showHistory);
    connect(buttons, &QDialogButtonBox::accepted, this, &CycleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CycleDialog::reject);
    showHistory();
    m_startField->setFocus();
}

void CycleDialog::keyPressEvent(QKeyEvent *event)
{
    // Enter in the date field adds the date typed; in an empty field, and elsewhere, it is
    // the dialog's OK.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_startField->hasFocus() && !m_startField->text().trimmed().isEmpty()) {
        addTypedStart();
        return;
    }
    // Delete in the list removes the selected start, as TÖRÖL does.
    if (event->key() == Qt::Key_Delete && m_startList->hasFocus()) {
        removeSelectedStart();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CycleDialog::setBirthDate(const QDate &birth)
{
    m_birth = birth;
    m_startCalendar->setMinimumDate(birth);
}

CycleHistory CycleDialog::history() const
{
    return {m_starts, m_shortestBox->value(), m_longestBox->value()};
}

bool CycleDialog::addTypedStart()
{
    const QString typed = m_startField->text().trimmed();
    const QDate start = TypedCycleDate(typed);
    if (!start.isValid()) {
        m_dialogs.message(this,
                          QStringLiteral("Helytelen dátum: „%1”! A vérzés kezdetét ÉÉÉÉ.HH.NN alakban adja meg.")
                              .arg(typed),
                          Dialogs::Icon::Critical);
        m_startField->setFocus();
        return false;
    }
    // Only the starts are checked here: the lengths may still be on their way.
    CycleHistory candidate;
    candidate.periodStarts = m_starts;
    candidate.periodStarts.push_back(start);
    if (const std::optional<QString> problem = CycleHistoryProblem(candidate, m_today, m_birth)) {
        m_dialogs.message(this, *problem, Dialogs::Icon::Critical);
        m_startField->setFocus();
        return false;
    }
    m_starts.insert(std::upper_bound(m_starts.begin(), m_starts.end(), start), start);
    m_startField->clear();
    showHistory();
    return true;
}

void CycleDialog::removeSelectedStart()
{
    const int row = m_startList->currentRow();
    if (row < 0 || row >= static_cast<int>(m_starts.size()))
        return;
    m_starts.erase(m_starts.begin() + row);
    showHistory();
}

void CycleDialog::accept()
{
    // A date typed or picked but not yet added is meant to be kept: OK adds it, or refuses.
    if (!m_startField->text().trimmed().isEmpty() && !addTypedStart())
        return;
    if (const std::optional<QString> problem = CycleHistoryProblem(history(), m_today, m_birth)) {
        m_dialogs.message(this, *problem, Dialogs::Icon::Critical);
        return;
    }
    QDialog::accept();
}

void CycleDialog::showHistory()
{
    const int row = m_startList->currentRow();
    m_startList->clear();
    for (const QDate &start : m_starts)
        m_startList->addItem(start.toString(DateForm));
    m_startList->setCurrentRow(std::min(row, m_startList->count() - 1));
    const CycleBasis basis = BasisOf(history());
    // Lengths half typed, or the wrong way round, are no basis yet: the line says so
    // rather than show a span that runs backwards.
    if (!basis.fromRecords && m_shortestBox->value() > m_longestBox->value())
        m_basisLine->setText(QStringLiteral("Ciklushossz – a legrövidebb ciklus nem lehet hosszabb a leghosszabbnál."));
    else
        m_basisLine->setText(QStringLiteral("Ciklushossz – ") + BasisLine(basis));
    m_uncountedLines->setText(uncountedLines(history()));
}

} // namespace ferolune
