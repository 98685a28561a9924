#pragma once

// The main window, the start-up window: the birth fields, the calendar year, the two
// commands and the help texts. It keeps the birth form in its fields (the 12-hour hour and
// its meridiem, which it never shows, as plain data beside them) and applies the rules of
// form_rules.h as the user types. The birthplace and the zone it gives are
// PlaceZoneController's, the files PersonFiles'.

#include "core/calendar/menstrual_cycle.h"
#include "core/chart/birth_rules.h"
#include "core/common/result.h"
#include "core/common/run_error.h"
#include "io/form/birth_form.h"

#include <QClipboard>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ferolune {

class AtlasSource;
class PersonFiles;
class PlaceZoneController;
class Clock;
class Dialogs;
class CalendarWorker;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(CalendarWorker &worker, Dialogs &dialogs, const Clock &clock, AtlasSource &atlas,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up: title, top-left place, the calendar year, the ephemeris check, the
    // current date and time into the birth fields. A failed ephemeris check ends it with a
    // message; the window then opens with what was set so far.
    void startUp();

    // Start-up's ephemeris step: true when the library found its data files (false
    // brings a message and start-up goes on), or the error that ends start-up. By default
    // it asks the worker's Ephemeris.
    void setEphemerisCheck(std::function<Expected<bool, RunError>()> check);

    // All birth fields and options as they stand, the 12-hour hour and meridiem included.
    BirthForm birthForm() const;
    // Overwrites every birth field and option with `form` as given. Nothing is coupled on
    // the way: the summer-time box and the east/west options do not move the zone and the
    // 12-hour hour is not normalised (apply the rules of form_rules.h first).
    void setBirthForm(const BirthForm &form);
    // Applies `rule` (one of form_rules.h) to the fields as they stand.
    void applyRule(const std::function<void(BirthForm &)> &rule);

    // The key the events of this person's exported calendars carry, when she was opened
    // from or saved into a person file; else empty.
    QString eventKey() const;

    // Her recorded menstrual cycle, kept while the program runs: saved with the person and
    // replaced by the one of a saved person opened (none in an older file); a chart file
    // leaves it as it is.
    const CycleHistory &cycleHistory() const { return m_cycle; }
    void setCycleHistory(const CycleHistory &cycle) { m_cycle = cycle; }

    // The calendar year as typed into the red field.
    QString calendarYearText() const;

    // Puts the focus into the field of `field` with its text selected.
    void focusField(BirthField field);

    // What the two commands start once the field being edited has passed its check and
    // the 12-hour hour is in step with the hour shown. The calendar command does nothing until it
    // is set; the import command opens a saved person or a chart file.
    void setCalendarCommand(std::function<void()> command);
    void setImportCommand(std::function<void()> command);
    // What TERVEZŐ… opens, once the field being edited has passed its check.
    void setPlanCommand(std::function<void()> command);

    // Whether the zone fields follow the birthplace (a place was chosen and the zone has
    // not been set by hand since).
    bool zoneFollowsPlace() const;

public slots:
    void runCalendar();   // "NAPTÁR KÉSZITÉSE"
    void openBirthFile(); // "ASZTRÓGRAM MEGNYITÁSA"
    void savePerson();    // "MENTÉS"
    void editCycle();     // "CIKLUS…"
    void openPlanner();   // "TERVEZŐ…"

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // One stop of the Tab key: a control, or an option pair visited at its selected button.
    using FocusStop = std::vector<QWidget *>;

    // Layout (main_window_layout.cpp).
    void buildControls();
    void buildBirthFrame();
    void buildCommandsAndHelp();
    void buildPlaceRow();
    void buildUncertaintyAndCycleRow();
    void buildFocusOrder();

    // Start-up steps.
    void setTitleAndPlace();
    void warnOfMissingEphemerisData();
    void fillFromClock(const QDateTime &now);

    // Focus and field rules.
    void watchFocusStops();
    void describeControls();
    // A zone typed as positive east of Greenwich is most likely Hungary's "1": once a run
    // of the program, a message says how zones are signed.
    void hintZoneSign();
    bool fieldKeyPressed(QLineEdit *field, QKeyEvent *event);
    bool pasteFiltered(QLineEdit *field, QClipboard::Mode mode);
    void showFieldMenu(QLineEdit *field, const QPoint &globalPosition);
    bool stopPressedByMouse(QWidget *stop);
    bool mayLeaveFocusedField();
    void moveFocusTo(QWidget *target, Qt::FocusReason reason);
    QLineEdit *fieldOf(BirthField field) const;
    std::optional<BirthField> birthFieldOf(const QLineEdit *widget) const;
    void giveFocus(QWidget *target, Qt::FocusReason reason);
    QWidget *arrowTarget(const QWidget *control, int key) const;
    static QWidget *stopTarget(const FocusStop &stop);
    int stopIndexOf(const QWidget *widget) const;
    bool startCommand();

    // Coupling of the hour, the summer-time box and the east/west options.
    void syncHiddenHour();
    void summerTimeToggled();
    void sideSelected(bool east);

    CalendarWorker &m_worker;
    Dialogs &m_dialogs;
    const Clock &m_clock;
    std::function<Expected<bool, RunError>()> m_ephemerisCheck;
    std::function<void()> m_calendarCommand;
    std::function<void()> m_importCommand;
    std::function<void()> m_planCommand;

    // The 12-hour hour and its meridiem ("DE" when true), which the chart reads; never shown.
    QString m_hour12 = QStringLiteral("2");
    bool m_beforeNoon = true;
    bool m_settingFields = false;
    std::unique_ptr<PlaceZoneController> m_places;
    std::unique_ptr<PersonFiles> m_files;
    bool m_shownBefore = false;
    bool m_zoneSignHinted = false;
    CycleHistory m_cycle;

    QLineEdit *m_nameField = nullptr;
    QLineEdit *m_yearField = nullptr;
    QLineEdit *m_monthField = nullptr;
    QLineEdit *m_dayField = nullptr;
    QLineEdit *m_hourField = nullptr;
    QLineEdit *m_minuteField = nullptr;
    QLineEdit *m_zoneField = nullptr;
    QCheckBox *m_summerTimeBox = nullptr;
    QLineEdit *m_longitudeDegreesField = nullptr;
    QLineEdit *m_longitudeMinutesField = nullptr;
    QRadioButton *m_eastOption = nullptr;
    QRadioButton *m_westOption = nullptr;
    QLineEdit *m_latitudeDegreesField = nullptr;
    QLineEdit *m_latitudeMinutesField = nullptr;
    QRadioButton *m_northOption = nullptr;
    QRadioButton *m_southOption = nullptr;
    QLineEdit *m_calendarYearField = nullptr;
    QPushButton *m_calendarButton = nullptr;
    QPushButton *m_openButton = nullptr;
    QLineEdit *m_birthPlaceField = nullptr;
    QLineEdit *m_residenceField = nullptr;
    QPushButton *m_saveButton = nullptr;
    QLineEdit *m_uncertaintyField = nullptr; // "± PERC": minutes the birth moment may be off
    QPushButton *m_cycleButton = nullptr;    // "CIKLUS…": the recorded menstrual cycle
    QPushButton *m_planButton = nullptr;     // "TERVEZŐ…": the months ahead
    std::vector<FocusStop> m_focusStops;
    std::vector<std::pair<BirthField, QLineEdit *>> m_birthFields; // the fields of the birth and the calendar year
};

} // namespace ferolune
