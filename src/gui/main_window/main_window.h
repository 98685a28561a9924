#pragma once

// frmMain, the start-up window: the birth fields, the calendar year, the two commands
// and the help texts. It keeps the birth record in its fields (the hidden 12-hour hour
// and its meridiem as plain data beside them) and applies the editing rules of
// field_rules.h and the coupling rules of birth_fields.h as the user types. The
// birthplace and the zone it gives are PlaceZoneController's, the files PersonFiles'.

#include "core/calendar/menstrual_cycle.h"
#include "core/chart/birth_data.h"

#include <QClipboard>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ferolune {

class PersonFiles;
class PlaceZoneController;
class Clock;
class Dialogs;
class CalendarWorker;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(CalendarWorker &worker, Dialogs &dialogs, const Clock &clock, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Start-up: title, top-left place, the calendar year, the ephemeris check, the
    // current date and time into the birth fields. A run-time error
    // ends it with a message; the window then opens with what was set so far.
    void startUp();

    // Start-up's ephemeris step: true when the library found its data files (false
    // brings a message and start-up goes on); may throw RunError, which ends start-up.
    // By default it asks the worker's Ephemeris.
    void setEphemerisCheck(std::function<bool()> check);

    // All birth fields and options as they stand, the hidden hour and meridiem included.
    BirthData birthData() const;
    // Overwrites every birth field and option with `fields` as given. Nothing is coupled
    // on the way: the summer-time box and the east/west options do not move the zone and
    // the hidden hour is not normalised (apply the rules of birth_fields.h first).
    void setBirthData(const BirthData &fields);
    // Applies `rule` (one of birth_fields.h) to the fields as they stand.
    void applyRule(const std::function<void(BirthData &)> &rule);

    // The key the events of this person's exported calendars carry, when she was opened
    // from or saved into a person file; else empty.
    QString eventKey() const;

    // Her recorded menstrual cycle, kept while the program runs: saved with the person and
    // replaced by the one of a saved person opened (none in an older file); a chart file
    // leaves it as it is.
    const CycleHistory &cycleHistory() const { return m_cycle; }
    void setCycleHistory(const CycleHistory &cycle) { m_cycle = cycle; }

    // The calendar year as typed into the red field Text3.
    QString calendarYearText() const;

    // Puts the focus into the named field with its text selected ("txtDay", "Text3" ...;
    // the hidden hour and meridiem lead to the visible hour Text1).
    void focusField(const QString &controlName);

    // What the two commands start once the field being edited has passed its check and
    // the hidden hour is in step with Text1. The calendar command does nothing until it
    // is set; the import command opens a saved person or a chart file.
    void setCalendarCommand(std::function<void()> command);
    void setImportCommand(std::function<void()> command);

    // Whether the zone fields follow the birthplace (a place was chosen and the zone has
    // not been set by hand since).
    bool zoneFollowsPlace() const;

public slots:
    void runCalendar();   // "NAPTÁR KÉSZITÉSE"
    void openBirthFile(); // "ASZTRÓGRAM MEGNYITÁSA"
    void savePerson();    // "MENTÉS"
    void editCycle();     // "CIKLUS…"

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
    void checkEphemerisData();
    void fillFromClock(const QDateTime &now);

    // Focus and field rules.
    void watchFocusStops();
    bool fieldKeyPressed(QLineEdit *field, QKeyEvent *event);
    bool pasteFiltered(QLineEdit *field, QClipboard::Mode mode);
    void showFieldMenu(QLineEdit *field, const QPoint &globalPosition);
    bool stopPressedByMouse(QWidget *stop);
    bool mayLeaveFocusedField();
    void moveFocusTo(QWidget *target, Qt::FocusReason reason);
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
    std::function<bool()> m_ephemerisCheck;
    std::function<void()> m_calendarCommand;
    std::function<void()> m_importCommand;

    // The hidden 12-hour hour and its meridiem ("DE" when true), which the computation reads.
    QString m_txtBirthHour = QStringLiteral("2");
    bool m_optAM = true;
    bool m_settingFields = false;
    std::unique_ptr<PlaceZoneController> m_places;
    std::unique_ptr<PersonFiles> m_files;
    bool m_shownBefore = false;
    CycleHistory m_cycle;

    QLineEdit *txtName = nullptr;
    QLineEdit *txtYear = nullptr;
    QLineEdit *txtMonth = nullptr;
    QLineEdit *txtDay = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *txtBirthMinute = nullptr;
    QLineEdit *txtTZ = nullptr;
    QCheckBox *Check1 = nullptr;
    QLineEdit *txtLongDeg = nullptr;
    QLineEdit *txtLongMin = nullptr;
    QRadioButton *optEast = nullptr;
    QRadioButton *optWest = nullptr;
    QLineEdit *txtLatDeg = nullptr;
    QLineEdit *txtLatMin = nullptr;
    QRadioButton *optNorth = nullptr;
    QRadioButton *optSouth = nullptr;
    QLineEdit *Text3 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command5 = nullptr;
    QLineEdit *txtBirthPlace = nullptr;
    QLineEdit *txtResidence = nullptr;
    QPushButton *cmdSave = nullptr;
    QLineEdit *txtUncertainty = nullptr; // "± PERC": minutes the birth moment may be off
    QPushButton *cmdCycle = nullptr;     // "CIKLUS…": the recorded menstrual cycle
    std::vector<FocusStop> m_focusStops;
};

} // namespace ferolune
