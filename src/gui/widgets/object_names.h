#pragma once

// The object names of the windows' controls, in one place: tests and accessibility tools
// find a control by them. They keep the names the windows were first designed with
// ("txtYear" holds the birth year, "Command2" starts the calendar); the code itself names
// every control by what it holds or does.

namespace ferolune::object_names {

// The main window and its birth fields.
inline constexpr char MainWindow[] = "frmMain";
inline constexpr char BirthFrame[] = "Frame4";
inline constexpr char BirthHeading[] = "Label4";
inline constexpr char NameLabel[] = "lblName";
inline constexpr char NameField[] = "txtName";
inline constexpr char YearLabel[] = "lblYear";
inline constexpr char YearField[] = "txtYear";
inline constexpr char MonthLabel[] = "lblMonth";
inline constexpr char MonthField[] = "txtMonth";
inline constexpr char DayLabel[] = "lblDay";
inline constexpr char DayField[] = "txtDay";
inline constexpr char HourLabel[] = "lblBirthHour";
inline constexpr char HourField[] = "Text1";
inline constexpr char MinuteLabel[] = "lblBirthMinute";
inline constexpr char MinuteField[] = "txtBirthMinute";
inline constexpr char ZoneLabel[] = "lblBirthTZ";
inline constexpr char ZoneField[] = "txtTZ";
inline constexpr char SummerTimeBox[] = "Check1";
inline constexpr char LongitudeLabel[] = "lblLongDeg";
inline constexpr char LongitudeDegreesField[] = "txtLongDeg";
inline constexpr char LongitudeMinutesField[] = "txtLongMin";
inline constexpr char EastWestHolder[] = "Picture1";
inline constexpr char EastOption[] = "optEast";
inline constexpr char WestOption[] = "optWest";
inline constexpr char LatitudeLabel[] = "lblLatDeg";
inline constexpr char LatitudeDegreesField[] = "txtLatDeg";
inline constexpr char LatitudeMinutesField[] = "txtLatMin";
inline constexpr char NorthSouthHolder[] = "Picture2";
inline constexpr char NorthOption[] = "optNorth";
inline constexpr char SouthOption[] = "optSouth";
// The calendar year and the commands under the birth fields, and the help texts.
inline constexpr char OpenButton[] = "Command5";
inline constexpr char CalendarYearLabel[] = "Label1";
inline constexpr char CalendarYearField[] = "Text3";
inline constexpr char CalendarButton[] = "Command2";
inline constexpr char FirstHelpText[] = "Label2";
inline constexpr char SecondHelpText[] = "Label3";
inline constexpr char ThirdHelpText[] = "Label5";
inline constexpr char ProgramHelpText[] = "Label6";
inline constexpr char CalendarNote[] = "lblCalendarNote";
// The rows below the designed window: places, saving, the uncertainty and the cycle.
inline constexpr char BirthPlaceLabel[] = "lblBirthPlace";
inline constexpr char BirthPlaceField[] = "txtBirthPlace";
inline constexpr char ResidenceLabel[] = "lblResidence";
inline constexpr char ResidenceField[] = "txtResidence";
inline constexpr char SavePersonButton[] = "cmdSave";
inline constexpr char UncertaintyLabel[] = "lblUncertainty";
inline constexpr char UncertaintyField[] = "txtUncertainty";
inline constexpr char CycleButton[] = "cmdCycle";

// The cycle dialog.
inline constexpr char PeriodStartList[] = "lstStarts";
inline constexpr char PeriodStartField[] = "txtStart";
inline constexpr char PeriodStartCalendar[] = "calStart";
inline constexpr char AddStartButton[] = "cmdAdd";
inline constexpr char RemoveStartButton[] = "cmdRemove";
inline constexpr char ShortestCycleBox[] = "spnShortest";
inline constexpr char LongestCycleBox[] = "spnLongest";
inline constexpr char CycleBasisLine[] = "lblBasis";
inline constexpr char UncountedCycles[] = "lblUncounted";
inline constexpr char MethodNote[] = "lblMethodNote";

// The planner, opened by TERVEZŐ… beside CIKLUS….
inline constexpr char PlanButton[] = "cmdPlan";
inline constexpr char PlanDialog[] = "frmPlan";
inline constexpr char PlanSpan[] = "lblPlanSpan";
inline constexpr char PlanMonthsBox[] = "spnPlanMonths";
inline constexpr char PlanSexFilter[] = "cboPlanSex";
inline constexpr char PlanCycleOnlyBox[] = "chkPlanCycleOnly";
inline constexpr char PlanTable[] = "tblPlan";
inline constexpr char PlanStatus[] = "lblPlanStatus";
inline constexpr char PlanPrintButton[] = "cmdPlanPrint";
inline constexpr char PlanSaveButton[] = "cmdPlanSave";

// The calendar window.
inline constexpr char CalendarWindow[] = "frmNaptar";
inline constexpr char CalendarPage[] = "P";
inline constexpr char PrintButton[] = "Command1";
inline constexpr char SaveCalendarButton[] = "cmdSave";
inline constexpr char CellInfoLine[] = "lblCellInfo";
inline constexpr char WaitPanel[] = "Picture2";
inline constexpr char WaitMessage[] = "Label9";
inline constexpr char WaitProgress[] = "WaitProgress";
inline constexpr char WaitProgressText[] = "WaitProgressText";
inline constexpr char WebAddresses[] = "Label11";

// The phone calendar questions before an .ics is saved.
inline constexpr char DiscreetBox[] = "chkDiscreet";
inline constexpr char ReminderBox[] = "chkRemind";
inline constexpr char ReminderHours[] = "spnRemindHours";

} // namespace ferolune::object_names
