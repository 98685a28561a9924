#include "gui/main_window/main_window.h"

#include "core/common/number_rules.h"
#include "core/common/run_error.h"
#include "core/places/atlas_source.h"
#include "gui/calendar_window/calendar_worker.h"
#include "gui/main_window/clock.h"
#include "gui/main_window/cycle_dialog.h"
#include "gui/main_window/person_files.h"
#include "gui/main_window/place_zone_controller.h"
#include "gui/widgets/busy_pointer.h"
#include "gui/widgets/dialogs.h"
#include "io/form/form_rules.h"
#include "io/form/read_birth_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTimer>

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>

#ifndef FEROLUNE_VERSION
#error "FEROLUNE_VERSION must be defined by the build"
#endif

namespace ferolune {

namespace {

const QString WebAddress = QStringLiteral("https://ferolune.example.org");

QString fourDigits(int year)
{
    return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

int checkValue(Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

Qt::CheckState checkState(int value)
{
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

// A focus change within the window, as opposed to the window losing or regaining the
// focus as a whole (another application, a message box, a menu).
bool movesWithinWindow(const QFocusEvent *event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

// The editing keys of every text field (Ctrl+A, Ctrl+C, Shift+Delete, Delete ... as the
// platform binds them): the field does what they mean, they type no character.
bool isEditingKey(const QKeyEvent *event)
{
    static const QKeySequence::StandardKey keys[] = {
        QKeySequence::SelectAll,         QKeySequence::Copy,            QKeySequence::Cut,
        QKeySequence::Undo,              QKeySequence::Redo,            QKeySequence::Delete,
        QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine};
    return std::any_of(std::begin(keys), std::end(keys),
                       [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

// The text of a drag over a field, when the field would take it only in part.
bool dropsFilteredText(std::optional<BirthField> field, const QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    return field && data && data->hasText() && AcceptedText(*field, data->text()) != data->text();
}

// The paste entry of a field's standard menu: the entry that shows the paste shortcut.
QAction *pasteEntry(const QMenu &menu)
{
    const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction *action : menu.actions())
        if (!shortcut.isEmpty() && action->text().endsWith(u'\t' + shortcut))
            return action;
    return nullptr;
}

// The character a key press types, if any. Control with a letter types the control
// characters 1 to 26 (3 copy, 22 paste, 24 cut, 26 undo), as the keyboard does.
std::optional<QChar> typedCharacter(const QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Backspace)
        return QChar(event->modifiers() & Qt::ControlModifier ? 127 : 8);
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return QChar(13);
    if (key == Qt::Key_Escape)
        return QChar(27);
    const bool control = (event->modifiers() & Qt::ControlModifier) && !(event->modifiers() & Qt::AltModifier);
    if (control)
        return key >= Qt::Key_A && key <= Qt::Key_Z ? std::optional(QChar(key - Qt::Key_A + 1)) : std::nullopt;
    const QString text = event->text();
    if (text.isEmpty())
        return std::nullopt;
    return text.at(0);
}

} // namespace

MainWindow::MainWindow(CalendarWorker &worker, Dialogs &dialogs, const Clock &clock, AtlasSource &atlas,
                       QWidget *parent)
    : QWidget(parent), m_worker(worker), m_dialogs(dialogs), m_clock(clock),
      m_ephemerisCheck([this] { return m_worker.dataFilesFound(); }),
      m_importCommand([this] { m_files->chooseAndOpen(); })
{
    buildControls();
    watchFocusStops();
    const auto momentFields = {m_yearField, m_monthField, m_dayField, m_hourField, m_minuteField};
    const auto placeNumberFields = {m_longitudeDegreesField, m_longitudeMinutesField, m_latitudeDegreesField,
                                    m_latitudeMinutesField};
    m_places = std::make_unique<PlaceZoneController>(*this, dialogs, atlas, m_birthPlaceField, m_residenceField,
                                                     m_zoneField, momentFields, placeNumberFields);
    m_files = std::make_unique<PersonFiles>(*this, dialogs, *m_places, clock);
    connect(m_summerTimeBox, &QCheckBox::clicked, this, &MainWindow::summerTimeToggled);
    connect(m_eastOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            sideSelected(true);
    });
    connect(m_westOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            sideSelected(false);
    });
    connect(m_calendarButton, &QPushButton::clicked, this, &MainWindow::runCalendar);
    connect(m_openButton, &QPushButton::clicked, this, &MainWindow::openBirthFile);
    connect(m_saveButton, &QPushButton::clicked, this, &MainWindow::savePerson);
    connect(m_cycleButton, &QPushButton::clicked, this, &MainWindow::editCycle);
    connect(m_planButton, &QPushButton::clicked, this, &MainWindow::openPlanner);
}

void MainWindow::hintZoneSign()
{
    bool number = false;
    const double zone = QString(m_zoneField->text()).replace(u',', u'.').trimmed().toDouble(&number);
    if (m_zoneSignHinted || !number || zone <= 0 || !m_eastOption->isChecked())
        return;
    m_zoneSignHinted = true;
    // After the focus has moved on, not in the middle of its move.
    QTimer::singleShot(0, this, [this] {
        m_dialogs.message(this,
                          QStringLiteral("A pozitív időzóna Greenwichtől nyugatra van, a születési hely pedig keleti. "
                                         "Greenwichtől keletre negatív: Magyarország −1, nyári időben −2"),
                          Dialogs::Icon::Warning);
    });
}

MainWindow::~MainWindow() = default;

// ---- Start-up ----------------------------------------------------------------------

void MainWindow::startUp()
{
    setTitleAndPlace();
    const QDateTime now = m_clock.now(); // read once: one moment for every field
    m_calendarYearField->setText(fourDigits(now.date().year()));
    if (const Expected<bool, RunError> found = m_ephemerisCheck(); !found) {
        // The steps after it are not taken: the window opens with what was set so far.
        m_dialogs.message(this, found.error().procedureMessage(QStringLiteral("Form_Load of Form frmMain")),
                          Dialogs::Icon::None);
        return;
    } else if (!*found) {
        warnOfMissingEphemerisData();
    }
    const BusyPointer busy;
    fillFromClock(now);
    applyRule(Hour12To24); // the hour field shows the 12-hour hour on the 24-hour clock
}

void MainWindow::setEphemerisCheck(std::function<Expected<bool, RunError>()> check)
{
    m_ephemerisCheck = std::move(check);
}

void MainWindow::setTitleAndPlace()
{
    setWindowTitle(QStringLiteral("FEROLUNE V%1 [%2]").arg(QStringLiteral(FEROLUNE_VERSION), WebAddress));
    move(0, 0);
}

void MainWindow::warnOfMissingEphemerisData()
{
    QString text = QStringLiteral("Az efemerisz adatfájljai nem találhatók. A program ezekben a könyvtárakban "
                                  "kereste őket:\n");
    for (const QString &directory : m_worker.ephemerisDirectories())
        text += QStringLiteral("\n    ") + directory;
    text += QStringLiteral("\n\nA naptár a Swiss Ephemeris beépített, kevésbé pontos efemeriszével készül.");
    m_dialogs.message(this, text, Dialogs::Icon::Warning);
}

void MainWindow::fillFromClock(const QDateTime &now)
{
    const int hour = now.time().hour();
    const QString hourText = formatTwoDigits(hour);
    applyRule([&](BirthForm &form) {
        if (hour < 12) {
            SetBirthHour(form, hourText); // 00 becomes 12, the meridiem still to be chosen
            form.beforeNoon = true;
        } else {
            SetBirthHour(form, fieldNumberText(hour - 12));
            form.beforeNoon = false;
        }
        form.hour = hourText;
        form.minute = formatTwoDigits(now.time().minute());
        form.day = formatTwoDigits(now.date().day());
        form.month = formatTwoDigits(now.date().month());
        form.year = fourDigits(now.date().year());
    });
}

// ---- The birth record ------------------------------------------------------------------

BirthForm MainWindow::birthForm() const
{
    BirthForm form;
    form.name = m_nameField->text();
    form.year = m_yearField->text();
    form.month = m_monthField->text();
    form.day = m_dayField->text();
    form.hour = m_hourField->text();
    form.hour12 = m_hour12;
    form.beforeNoon = m_beforeNoon;
    form.minute = m_minuteField->text();
    form.zoneText = m_zoneField->text();
    form.summerTime = checkValue(m_summerTimeBox->checkState());
    form.longitudeDegrees = m_longitudeDegreesField->text();
    form.longitudeMinutes = m_longitudeMinutesField->text();
    form.east = m_eastOption->isChecked();
    form.latitudeDegrees = m_latitudeDegreesField->text();
    form.latitudeMinutes = m_latitudeMinutesField->text();
    form.south = m_southOption->isChecked();
    form.uncertainty = m_uncertaintyField->text();
    m_places->readPlaces(form);
    return form;
}

void MainWindow::setBirthForm(const BirthForm &form)
{
    const QScopedValueRollback settingFields(m_settingFields, true);
    // Only changed texts are written, so a field being edited keeps its cursor.
    const auto write = [](QLineEdit *field, const QString &text) {
        if (field->text() != text)
            field->setText(text);
    };
    write(m_nameField, form.name);
    write(m_yearField, form.year);
    write(m_monthField, form.month);
    write(m_dayField, form.day);
    write(m_hourField, form.hour);
    m_hour12 = form.hour12;
    m_beforeNoon = form.beforeNoon;
    write(m_minuteField, form.minute);
    write(m_zoneField, form.zoneText);
    m_summerTimeBox->setCheckState(checkState(form.summerTime));
    write(m_longitudeDegreesField, form.longitudeDegrees);
    write(m_longitudeMinutesField, form.longitudeMinutes);
    (form.east ? m_eastOption : m_westOption)->setChecked(true);
    write(m_latitudeDegreesField, form.latitudeDegrees);
    write(m_latitudeMinutesField, form.latitudeMinutes);
    (form.south ? m_southOption : m_northOption)->setChecked(true);
    write(m_uncertaintyField, form.uncertainty);
    m_places->writePlaces(form);
}

QString MainWindow::calendarYearText() const
{
    return m_calendarYearField->text();
}

QString MainWindow::eventKey() const
{
    return m_files->eventKey();
}

bool MainWindow::zoneFollowsPlace() const
{
    return m_places->zoneFollowsPlace();
}

void MainWindow::focusField(BirthField field)
{
    giveFocus(fieldOf(field), Qt::OtherFocusReason);
}

QLineEdit *MainWindow::fieldOf(BirthField field) const
{
    for (const auto &[birthField, widget] : m_birthFields)
        if (birthField == field)
            return widget;
    return m_calendarYearField;
}

std::optional<BirthField> MainWindow::birthFieldOf(const QLineEdit *widget) const
{
    for (const auto &[birthField, fieldWidget] : m_birthFields)
        if (fieldWidget == widget)
            return birthField;
    return std::nullopt;
}

// ---- Commands ------------------------------------------------------------------------

void MainWindow::setCalendarCommand(std::function<void()> command)
{
    m_calendarCommand = std::move(command);
}

void MainWindow::setImportCommand(std::function<void()> command)
{
    m_importCommand = std::move(command);
}

void MainWindow::setPlanCommand(std::function<void()> command)
{
    m_planCommand = std::move(command);
}

void MainWindow::runCalendar()
{
    if (startCommand() && m_places->readyForRun() && m_calendarCommand)
        m_calendarCommand();
}

void MainWindow::openBirthFile()
{
    if (startCommand() && m_importCommand)
        m_importCommand();
}

void MainWindow::savePerson()
{
    if (startCommand())
        m_files->save();
}

void MainWindow::editCycle()
{
    if (!startCommand())
        return;
    CycleDialog dialog(m_cycle, m_clock.now().date(), m_dialogs, this);
    // No start before her birth, when the fields hold a birth date.
    if (const Expected<FormMoment, FieldProblem> birth = ReadBirthMoment(birthForm()))
        dialog.setBirthDate(QDate(birth->year, birth->month, birth->day));
    if (dialog.exec() == QDialog::Accepted)
        m_cycle = dialog.history();
}

void MainWindow::openPlanner()
{
    if (startCommand() && m_planCommand)
        m_planCommand();
}

// A command started while the focus is still in a field (Enter) first does what leaving
// the field would: its range check, and for m_hourField bringing the hidden hour in step.
bool MainWindow::startCommand()
{
    if (!mayLeaveFocusedField())
        return false;
    if (focusWidget() == m_hourField)
        syncHiddenHour();
    m_places->settleTypedPlaces();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Ends the program at once: no other window is asked to close.
    event->accept();
    QCoreApplication::exit(0);
}

// ---- Focus and field rules -----------------------------------------------------------

void MainWindow::watchFocusStops()
{
    for (const FocusStop &stop : m_focusStops)
        for (QWidget *control : stop)
            control->installEventFilter(this);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownBefore)
        return;
    m_shownBefore = true;
    focusField(BirthField::Year);
    m_places->loadAtlasSoon();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (!control || stopIndexOf(control) < 0)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return stopPressedByMouse(control);
    case QEvent::KeyPress: {
        if (field)
            return fieldKeyPressed(field, static_cast<QKeyEvent *>(event));
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            auto *button = qobject_cast<QPushButton *>(control);
            (button ? button : m_calendarButton)->click(); // Enter clicks the focused button, else the default one
            return true;
        }
        if (QWidget *target = arrowTarget(control, key)) {
            moveFocusTo(target, Qt::OtherFocusReason);
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection, through the same filter as typing.
        if (field && static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection())
            return pasteFiltered(field, QClipboard::Selection);
        return false;
    case QEvent::ContextMenu:
        if (!field)
            return false;
        showFieldMenu(field, static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // Text the field would take only in part is not dropped at all.
        if (!field || !dropsFilteredText(birthFieldOf(field), static_cast<QDropEvent *>(event)))
            return false;
        event->ignore();
        return true;
    case QEvent::FocusIn:
        if (field && movesWithinWindow(static_cast<QFocusEvent *>(event)))
            field->selectAll();
        return false;
    case QEvent::FocusOut:
        if (field == m_hourField && movesWithinWindow(static_cast<QFocusEvent *>(event)))
            syncHiddenHour();
        if (field == m_zoneField)
            hintZoneSign();
        return false;
    default:
        return false;
    }
}

bool MainWindow::fieldKeyPressed(QLineEdit *field, QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return false; // the window moves the focus
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_calendarButton->click(); // the default button
        return true;
    }
    if (QWidget *target = arrowTarget(field, key)) {
        moveFocusTo(target, Qt::OtherFocusReason);
        return true;
    }
    if (event->matches(QKeySequence::Paste))
        return pasteFiltered(field, QClipboard::Clipboard);
    if (isEditingKey(event))
        return false;
    const std::optional<QChar> typed = typedCharacter(event);
    const std::optional<BirthField> birthField = birthFieldOf(field);
    return typed && birthField && !AcceptsTypedCharacter(*birthField, *typed);
}

// Pasted text goes through the field's character filter, as if it were typed; a text the
// filter keeps whole is left to the field's own paste. True when pasted here.
bool MainWindow::pasteFiltered(QLineEdit *field, QClipboard::Mode mode)
{
    const QString text = QGuiApplication::clipboard()->text(mode);
    const std::optional<BirthField> birthField = birthFieldOf(field);
    const QString accepted = birthField ? AcceptedText(*birthField, text) : text;
    if (accepted == text)
        return false;
    if (mode == QClipboard::Selection)
        field->deselect(); // the middle button inserts at the cursor
    field->insert(accepted);
    return true;
}

// The field's own menu, with its paste going through the filter.
void MainWindow::showFieldMenu(QLineEdit *field, const QPoint &globalPosition)
{
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    if (QAction *paste = pasteEntry(*menu)) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, field, [this, field] {
            if (!pasteFiltered(field, QClipboard::Clipboard))
                field->paste();
        });
    }
    menu->exec(globalPosition);
}

// Focus comes by a click only through here, after the range check of the field left.
bool MainWindow::stopPressedByMouse(QWidget *stop)
{
    if (stop == focusWidget())
        return false;
    if (!mayLeaveFocusedField())
        return true;
    giveFocus(stop, Qt::MouseFocusReason);
    // The press that brings the focus into a text field does not place the cursor, so
    // the whole text stays selected.
    return qobject_cast<QLineEdit *>(stop) != nullptr;
}

bool MainWindow::mayLeaveFocusedField()
{
    const auto *field = qobject_cast<const QLineEdit *>(focusWidget());
    if (!field)
        return true;
    const std::optional<BirthField> birthField = birthFieldOf(field);
    const QString message = birthField ? LeavingMessage(*birthField, field->text()) : QString();
    if (message.isEmpty())
        return true;
    m_dialogs.message(this, message, Dialogs::Icon::Critical);
    return false;
}

void MainWindow::moveFocusTo(QWidget *target, Qt::FocusReason reason)
{
    if (target != focusWidget() && !mayLeaveFocusedField())
        return;
    giveFocus(target, reason);
}

void MainWindow::giveFocus(QWidget *target, Qt::FocusReason reason)
{
    target->setFocus(reason);
    // Selected here as well: a window that is not active yet (its first click) gets the
    // focus event only later, as a reactivation, which selects nothing.
    if (auto *field = qobject_cast<QLineEdit *>(target))
        field->selectAll();
}

bool MainWindow::focusNextPrevChild(bool next)
{
    const int count = static_cast<int>(m_focusStops.size());
    const int current = stopIndexOf(focusWidget());
    int index = next ? 0 : count - 1;
    if (current >= 0)
        index = (current + (next ? 1 : count - 1)) % count;
    moveFocusTo(stopTarget(m_focusStops[static_cast<size_t>(index)]),
                next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

QWidget *MainWindow::stopTarget(const FocusStop &stop)
{
    for (QWidget *control : stop)
        if (auto *button = qobject_cast<QRadioButton *>(control); button && button->isChecked())
            return button;
    return stop.front();
}

int MainWindow::stopIndexOf(const QWidget *widget) const
{
    for (size_t index = 0; index < m_focusStops.size(); ++index)
        for (const QWidget *control : m_focusStops[index])
            if (control == widget)
                return static_cast<int>(index);
    return -1;
}

// The Up and Down chain of the minute, zone and coordinate fields. Up in the minute
// field goes to the visible hour; Down in the latitude minutes to the north/south pair,
// and Up from the pair back to the latitude minutes (Down there moves within the pair).
QWidget *MainWindow::arrowTarget(const QWidget *field, int key) const
{
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return nullptr;
    if (field == m_northOption || field == m_southOption)
        return key == Qt::Key_Up ? m_latitudeMinutesField : nullptr;
    const std::vector<QWidget *> chain = {m_hourField,
                                          m_minuteField,
                                          m_zoneField,
                                          m_longitudeDegreesField,
                                          m_longitudeMinutesField,
                                          m_latitudeDegreesField,
                                          m_latitudeMinutesField,
                                          stopTarget({m_northOption, m_southOption})};
    for (size_t index = 1; index + 1 < chain.size(); ++index)
        if (chain[index] == field)
            return chain[key == Qt::Key_Down ? index + 1 : index - 1];
    return nullptr;
}

// ---- Hour, summer time and hemispheres -------------------------------------------------

void MainWindow::applyRule(const std::function<void(BirthForm &)> &rule)
{
    BirthForm form = birthForm();
    rule(form);
    setBirthForm(form);
}

void MainWindow::syncHiddenHour()
{
    applyRule(Hour24To12);
}

void MainWindow::summerTimeToggled()
{
    m_places->placeNumbersEdited(); // the user set the zone
    Expected<void, RunError> step;
    applyRule([&step](BirthForm &form) { step = SummerTimeStep(form, form.summerTime); });
    if (!step)
        m_dialogs.message(this, step.error().procedureMessage(QStringLiteral("Check1_Click of Form frmMain")),
                          Dialogs::Icon::None);
}

void MainWindow::sideSelected(bool east)
{
    if (m_settingFields)
        return; // the program's own setting of the options moves no zone
    m_places->placeNumbersEdited();
    applyRule([east](BirthForm &form) { SideStep(form, east); });
}

} // namespace ferolune
