// The controls of the main window at their designed places (twips), with their colours, fonts
// and texts.

#include "gui/main_window/main_window.h"
#include "gui/widgets/object_names.h"
#include "gui/widgets/palette.h"
#include "io/page/window_metrics.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

// The pictures are built into the library; a static library needs them registered.
static void registerPictures()
{
    Q_INIT_RESOURCE(ferolune);
}

namespace ferolune {

namespace {

const QColor LightYellow(255, 255, 192);
const QColor Red(255, 0, 0);
const QColor White(255, 255, 255);
const QColor DarkGrey(64, 64, 64);

const QString HelpText1 = QStringLiteral(
    "- Először irja be a születési adatait, vagy nyissa meg a már meglevő asztrogramját (amit az Horavista "
    "programmal mentett le)");
const QString HelpText2 =
    QStringLiteral("- Utána irja be az évet a piros mezőbe, ha nem az idénre szeretné a naptárt elkésziteni");
const QString HelpText3 = QStringLiteral("- Majd nyomja meg a NAPTÁR KÉSZITÉSE gombot.");
const QString HelpText4 =
    QStringLiteral("Az Ferolune program a Jónás módszer alapján késziti el a termékenységi - naptárt. A jelekre a "
                   "magyarázatot a megjelenő naptár - ablakon lehet elolvasni.")
    + QLatin1Char(' ')
    + QStringLiteral("További információért látogasson el fórumunkra (forum.ferolune.example.org) és a "
                     "Horavista honlapjára (horavista.example.org), és kövesse az ott található "
                     "hivatkozásokat.")
    + QString(10, QLatin1Char(' ')) + QStringLiteral("Figyelem! A Jónás módszer név jogvédett!");

const QString CalendarNote = QStringLiteral(
    "A naptár a valódi évet követi: szökőévben február 29. is saját napot kap, mert arra is "
    "eshet holdfázis vagy termékeny nap. Helységadatok: GeoNames (CC-BY-4.0).");

// The program's own font: controls without a font of their own use it.
QFont windowFont()
{
    return namedFont(QStringLiteral("MS Sans Serif"), 8.25);
}

QFont frameFont()
{
    return namedFont(QStringLiteral("MS Sans Serif"), 8.25, true);
}

// The system's window background and text, which the option holders and the summer-time
// box keep although they stand in the white frame.
void useSystemColours(QWidget *widget)
{
    QPalette palette = widget->palette();
    const QPalette system = QGuiApplication::palette();
    palette.setColor(QPalette::Window, system.color(QPalette::Window));
    palette.setColor(QPalette::WindowText, system.color(QPalette::WindowText));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

template <class Control>
Control *place(Control *control, const char *name, const QRect &rect)
{
    control->setObjectName(QLatin1StringView(name));
    control->setGeometry(rect);
    return control;
}

QLineEdit *textField(QWidget *parent, const char *name, const QString &text, const QRect &rect)
{
    auto *field = place(new QLineEdit(text, parent), name, rect);
    field->setFont(frameFont());
    field->setFocusPolicy(Qt::TabFocus); // a click is let in by the window, after the range check
    return field;
}

QLineEdit *birthField(QWidget *frame, const char *name, const QString &text, const QRect &rect)
{
    QLineEdit *field = textField(frame, name, text, rect);
    setColour(field, QPalette::Base, LightYellow);
    setColour(field, QPalette::Text, QGuiApplication::palette().color(QPalette::Text));
    return field;
}

// A label of the frame, sized to its text: the right-aligned ones keep their right edge
// so that they end just before their field.
QLabel *frameLabel(QWidget *frame, const char *name, const QString &text, const QRect &rect,
                   Qt::Alignment side = Qt::AlignRight)
{
    auto *label = place(new QLabel(text, frame), name, rect);
    label->setFont(frameFont());
    label->setAlignment(side | Qt::AlignTop);
    setColour(label, QPalette::WindowText, DarkGrey);
    const int textWidth = QFontMetrics(label->font()).horizontalAdvance(text) + 1;
    if (textWidth > rect.width()) {
        QRect fitted = rect;
        if (side == Qt::AlignRight)
            fitted.setLeft(rect.right() + 1 - textWidth);
        else
            fitted.setWidth(textWidth);
        label->setGeometry(fitted);
    }
    return label;
}

QRadioButton *option(QWidget *holder, const char *name, const QString &text, const QRect &rect, bool selected)
{
    auto *button = place(new QRadioButton(text, holder), name, rect);
    button->setFont(frameFont());
    button->setChecked(selected);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QWidget *optionHolder(QWidget *frame, const char *name, const QRect &rect)
{
    auto *holder = place(new QWidget(frame), name, rect);
    useSystemColours(holder);
    return holder;
}

QLabel *helpText(QWidget *window, const char *name, const QString &text, const QRect &rect, const QFont &font)
{
    auto *label = place(new QLabel(text, window), name, rect);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// A caption too wide for its button breaks onto two lines at the blank that gives the
// shorter longest line, as a button caption wraps.
QString wrappedCaption(const QString &text, const QFontMetrics &metrics, int width)
{
    constexpr int Margins = 12;
    if (metrics.horizontalAdvance(text) <= width - Margins)
        return text;
    QString best = text;
    int bestWidth = metrics.horizontalAdvance(text);
    for (qsizetype blank = text.indexOf(QLatin1Char(' ')); blank >= 0; blank = text.indexOf(QLatin1Char(' '), blank + 1)) {
        const int longest = std::max(metrics.horizontalAdvance(text.left(blank)),
                                     metrics.horizontalAdvance(text.mid(blank + 1)));
        if (longest < bestWidth) {
            bestWidth = longest;
            best = text.left(blank) + QLatin1Char('\n') + text.mid(blank + 1);
        }
    }
    return best;
}

QPushButton *commandButton(QWidget *window, const char *name, const QString &text, const QRect &rect)
{
    auto *button = place(new QPushButton(window), name, rect);
    button->setText(wrappedCaption(text, button->fontMetrics(), rect.width()));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// The user ticks and clears the box; a greyed box, which only a chart file sets, ticks.
class SummerTimeBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }
};

} // namespace

void MainWindow::buildControls()
{
    registerPictures();
    setObjectName(QLatin1StringView(object_names::MainWindow));
    setWindowTitle(QStringLiteral("FEROLUNE"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/ferolune/icon-32.png"));
    icon.addFile(QStringLiteral(":/ferolune/icon-64.png"));
    setWindowIcon(icon);
    setFont(windowFont());
    // The designed window ends at 4650 twips; the place rows, MENTÉS, the birth-time
    // uncertainty and CIKLUS… go below it.
    setFixedSize(twipsToPixels(8640), twipsToPixels(5880));

    buildBirthFrame();
    buildCommandsAndHelp();
    buildPlaceRow();
    buildUncertaintyAndCycleRow();
    describeControls();
    buildFocusOrder();
}

// What a screen reader calls each control, and what its tooltip says: the labels stand
// beside the fields, not tied to them, and two of them read "ÉV".
void MainWindow::describeControls()
{
    const struct {
        QWidget *control;
        QString name;
        QString tip;
    } controls[] = {
        {m_nameField, QStringLiteral("Név"), QStringLiteral("A naptár fejlécében álló név.")},
        {m_yearField, QStringLiteral("Születési év"), QStringLiteral("A születés éve, négy számjeggyel.")},
        {m_monthField, QStringLiteral("Születési hónap"), QStringLiteral("A születés hónapja: 1–12.")},
        {m_dayField, QStringLiteral("Születési nap"), QStringLiteral("A születés napja a hónapban.")},
        {m_hourField, QStringLiteral("Születési óra"),
         QStringLiteral("A születés órája (0–23), a születéskor érvényes helyi óra szerint.")},
        {m_minuteField, QStringLiteral("Születési perc"), QStringLiteral("A születés perce: 0–59.")},
        {m_zoneField, QStringLiteral("Időzóna"),
         QStringLiteral("Greenwichtől keletre negatív: Magyarország −1, nyári időben −2")},
        {m_summerTimeBox, QStringLiteral("Nyári időszámítás"),
         QStringLiteral("Jelölje be, ha a születéskor nyári időszámítás volt érvényben.")},
        {m_longitudeDegreesField, QStringLiteral("Földrajzi hosszúság, fok"),
         QStringLiteral("A születési hely földrajzi hosszúsága, fok: 0–180.")},
        {m_longitudeMinutesField, QStringLiteral("Földrajzi hosszúság, perc"),
         QStringLiteral("A születési hely földrajzi hosszúsága, ívperc: 0–59.")},
        {m_eastOption, QStringLiteral("Kelet"), QStringLiteral("A születési hely Greenwichtől keletre fekszik.")},
        {m_westOption, QStringLiteral("Nyugat"), QStringLiteral("A születési hely Greenwichtől nyugatra fekszik.")},
        {m_latitudeDegreesField, QStringLiteral("Földrajzi szélesség, fok"),
         QStringLiteral("A születési hely földrajzi szélessége, fok: 0–90.")},
        {m_latitudeMinutesField, QStringLiteral("Földrajzi szélesség, perc"),
         QStringLiteral("A születési hely földrajzi szélessége, ívperc: 0–59.")},
        {m_northOption, QStringLiteral("Észak"), QStringLiteral("A születési hely az Egyenlítőtől északra fekszik.")},
        {m_southOption, QStringLiteral("Dél"), QStringLiteral("A születési hely az Egyenlítőtől délre fekszik.")},
        {m_openButton, QStringLiteral("Asztrogram megnyitása"), {}},
        {m_calendarYearField, QStringLiteral("A naptár éve"), QStringLiteral("Az év, amelyre a naptár készül.")},
        {m_calendarButton, QStringLiteral("Naptár készítése"), {}},
        {m_birthPlaceField, QStringLiteral("Születési hely"),
         QStringLiteral("Kezdje el beírni a település nevét, és válasszon a listából: a koordináták és a zóna "
                        "a helyről töltődnek ki.")},
        {m_saveButton, QStringLiteral("Mentés"), QStringLiteral("A személy adatainak mentése.")},
        {m_residenceField, QStringLiteral("Lakóhely"),
         QStringLiteral("A mostani lakóhely: a naptár időpontjai ennek órája szerint állnak, nyári időszámítással. "
                        "Üresen a születési zóna szerint.")},
        {m_uncertaintyField, QStringLiteral("A születési idő bizonytalansága, ± perc"),
         QStringLiteral("Hány perccel térhet el a születés ideje a megadottól (0–180); a naptár megjelöli a "
                        "napokat, amelyeket ez megváltoztathat.")},
        {m_cycleButton, QStringLiteral("Ciklus"), QStringLiteral("A menstruációs ciklus kezdőnapjai.")},
        {m_planButton, QStringLiteral("Tervező"), {}},
    };
    for (const auto &control : controls) {
        control.control->setAccessibleName(control.name);
        if (!control.tip.isEmpty())
            control.control->setToolTip(control.tip);
    }
}

void MainWindow::buildBirthFrame()
{
    auto *frame = place(new QGroupBox(QStringLiteral("Szülött adatai"), this), object_names::BirthFrame,
                        twipsRect(0, 0, 5535, 2235));
    setBackground(frame, White);

    frameLabel(frame, object_names::BirthHeading, QStringLiteral("Születési adatok:"), twipsRect(120, 300, 1470, 195),
               Qt::AlignLeft);
    frameLabel(frame, object_names::NameLabel, QStringLiteral("NÉV"), twipsRect(1800, 300, 390, 195));
    m_nameField =
        birthField(frame, object_names::NameField, QStringLiteral("Ismeretlen"), twipsRect(2280, 240, 2475, 330));
    m_nameField->setFont(namedFont(QStringLiteral("MS Sans Serif"), 9.75, true));
    setColour(m_nameField, QPalette::Text, Red);

    frameLabel(frame, object_names::YearLabel, QStringLiteral("ÉV"), twipsRect(120, 720, 255, 195));
    m_yearField = birthField(frame, object_names::YearField, QStringLiteral("1973"), twipsRect(420, 660, 555, 285));
    frameLabel(frame, object_names::MonthLabel, QStringLiteral("HÓNAP"), twipsRect(1020, 720, 660, 195));
    m_monthField = birthField(frame, object_names::MonthField, QStringLiteral("2"), twipsRect(1740, 660, 375, 285));
    frameLabel(frame, object_names::DayLabel, QStringLiteral("NAP"), twipsRect(2160, 720, 390, 195));
    m_dayField = birthField(frame, object_names::DayField, QStringLiteral("26"), twipsRect(2580, 660, 555, 285));
    frameLabel(frame, object_names::HourLabel, QStringLiteral("ÓRA"), twipsRect(3240, 720, 405, 195));
    m_hourField = birthField(frame, object_names::HourField, QStringLiteral("12"), twipsRect(3720, 660, 555, 315));
    frameLabel(frame, object_names::MinuteLabel, QStringLiteral("PERC"), twipsRect(4320, 720, 510, 195));
    m_minuteField = birthField(frame, object_names::MinuteField, QStringLiteral("50"), twipsRect(4860, 660, 555, 315));

    frameLabel(frame, object_names::ZoneLabel, QStringLiteral("IDŐZÓNA"), twipsRect(120, 1140, 855, 195));
    m_zoneField = birthField(frame, object_names::ZoneField, QStringLiteral("-1"), twipsRect(1020, 1080, 615, 285));
    m_summerTimeBox = place(new SummerTimeBox(QStringLiteral("Nyári idöszámitás"), frame), object_names::SummerTimeBox,
                            twipsRect(1680, 1140, 1695, 195));
    m_summerTimeBox->setFocusPolicy(Qt::TabFocus);
    useSystemColours(m_summerTimeBox);

    frameLabel(frame, object_names::LongitudeLabel, QStringLiteral("HOSSZ. FOK"), twipsRect(1140, 1620, 1125, 195));
    m_longitudeDegreesField =
        birthField(frame, object_names::LongitudeDegreesField, QStringLiteral("19"), twipsRect(2280, 1560, 435, 285));
    m_longitudeMinutesField =
        birthField(frame, object_names::LongitudeMinutesField, QStringLiteral("07"), twipsRect(2760, 1560, 435, 285));
    QWidget *sides = optionHolder(frame, object_names::EastWestHolder, twipsRect(3240, 1560, 2235, 255));
    m_eastOption = option(sides, object_names::EastOption, QStringLiteral("KELET"), twipsRect(0, 0, 975, 192), true);
    m_westOption =
        option(sides, object_names::WestOption, QStringLiteral("NYUGAT"), twipsRect(1020, 0, 1215, 192), false);

    frameLabel(frame, object_names::LatitudeLabel, QStringLiteral("SZÉL. FOK"), twipsRect(1260, 1920, 960, 195));
    m_latitudeDegreesField =
        birthField(frame, object_names::LatitudeDegreesField, QStringLiteral("47"), twipsRect(2280, 1860, 435, 285));
    m_latitudeMinutesField =
        birthField(frame, object_names::LatitudeMinutesField, QStringLiteral("035"), twipsRect(2760, 1860, 435, 285));
    QWidget *hemispheres = optionHolder(frame, object_names::NorthSouthHolder, twipsRect(3240, 1860, 2235, 255));
    m_northOption =
        option(hemispheres, object_names::NorthOption, QStringLiteral("ÉSZAK"), twipsRect(0, 0, 1035, 192), true);
    m_southOption =
        option(hemispheres, object_names::SouthOption, QStringLiteral("DÉL"), twipsRect(1020, 0, 1215, 192), false);
}

void MainWindow::buildCommandsAndHelp()
{
    m_openButton = commandButton(this, object_names::OpenButton, QStringLiteral("ASZTRÓGRAM MEGNYITÁSA"),
                                 twipsRect(0, 2280, 1935, 555));
    auto *yearLabel =
        place(new QLabel(QStringLiteral("ÉV"), this), object_names::CalendarYearLabel, twipsRect(2640, 2460, 255, 195));
    yearLabel->setFont(frameFont());
    setColour(yearLabel, QPalette::WindowText, Red);
    m_calendarYearField =
        textField(this, object_names::CalendarYearField, QStringLiteral("1973"), twipsRect(2940, 2400, 615, 285));
    setColour(m_calendarYearField, QPalette::Base, Red);
    setColour(m_calendarYearField, QPalette::Text, White);
    m_calendarButton = commandButton(this, object_names::CalendarButton, QStringLiteral("NAPTÁR KÉSZITÉSE"),
                                     twipsRect(3600, 2280, 1935, 555));
    m_calendarButton->setDefault(true);

    const QFont arialBold = namedFont(QStringLiteral("Arial"), 8.25, true);
    helpText(this, object_names::FirstHelpText, HelpText1, twipsRect(0, 2880, 5535, 675), arialBold);
    helpText(this, object_names::SecondHelpText, HelpText2, twipsRect(0, 3660, 5535, 495), arialBold);
    helpText(this, object_names::ThirdHelpText, HelpText3, twipsRect(0, 4260, 5535, 315), arialBold);
    helpText(this, object_names::ProgramHelpText, HelpText4, twipsRect(5820, 0, 2715, 3615), windowFont());
    // Below the designed help text: what the calendar does beyond the fixed 365-day year,
    // and whose place data the birthplace field offers.
    helpText(this, object_names::CalendarNote, CalendarNote, twipsRect(5820, 3660, 2715, 960),
             namedFont(QStringLiteral("MS Sans Serif"), 7.5));
}

void MainWindow::buildPlaceRow()
{
    frameLabel(this, object_names::BirthPlaceLabel, QStringLiteral("SZÜLETÉSI HELY"), twipsRect(120, 4740, 1500, 195));
    m_birthPlaceField = birthField(this, object_names::BirthPlaceField, QString(), twipsRect(1680, 4680, 3855, 285));
    frameLabel(this, object_names::ResidenceLabel, QStringLiteral("LAKÓHELY"), twipsRect(120, 5100, 1500, 195));
    m_residenceField = birthField(this, object_names::ResidenceField, QString(), twipsRect(1680, 5040, 3855, 285));
    for (QLineEdit *field : {m_birthPlaceField, m_residenceField})
        field->setPlaceholderText(QStringLiteral("kezdje el beírni a település nevét"));
    m_saveButton =
        commandButton(this, object_names::SavePersonButton, QStringLiteral("MENTÉS"), twipsRect(6600, 4680, 1935, 645));
}

void MainWindow::buildUncertaintyAndCycleRow()
{
    frameLabel(this, object_names::UncertaintyLabel, QStringLiteral("± PERC"), twipsRect(120, 5460, 1500, 195));
    m_uncertaintyField = birthField(this, object_names::UncertaintyField, QString(), twipsRect(1680, 5400, 615, 285));
    m_uncertaintyField->setPlaceholderText(QStringLiteral("0"));
    m_cycleButton =
        commandButton(this, object_names::CycleButton, QStringLiteral("CIKLUS…"), twipsRect(6600, 5400, 1935, 405));
    // Beside CIKLUS…, under NAPTÁR KÉSZITÉSE: the moon-phase days of the months ahead.
    m_planButton =
        commandButton(this, object_names::PlanButton, QStringLiteral("TERVEZŐ…"), twipsRect(3600, 5400, 1935, 405));
}

void MainWindow::buildFocusOrder()
{
    using F = BirthField;
    m_birthFields = {{F::Name, m_nameField},
                     {F::Year, m_yearField},
                     {F::Month, m_monthField},
                     {F::Day, m_dayField},
                     {F::Hour, m_hourField},
                     {F::Minute, m_minuteField},
                     {F::Zone, m_zoneField},
                     {F::LongitudeDegrees, m_longitudeDegreesField},
                     {F::LongitudeMinutes, m_longitudeMinutesField},
                     {F::LatitudeDegrees, m_latitudeDegreesField},
                     {F::LatitudeMinutes, m_latitudeMinutesField},
                     {F::CalendarYear, m_calendarYearField},
                     {F::Uncertainty, m_uncertaintyField}};
    // Row by row, left to right, as the window shows them: MENTÉS stands in the
    // birthplace's row, TERVEZŐ… and CIKLUS… in the uncertainty's.
    m_focusStops = {{m_nameField},
                    {m_yearField},
                    {m_monthField},
                    {m_dayField},
                    {m_hourField},
                    {m_minuteField},
                    {m_zoneField},
                    {m_summerTimeBox},
                    {m_longitudeDegreesField},
                    {m_longitudeMinutesField},
                    {m_eastOption, m_westOption},
                    {m_latitudeDegreesField},
                    {m_latitudeMinutesField},
                    {m_northOption, m_southOption},
                    {m_openButton},
                    {m_calendarYearField},
                    {m_calendarButton},
                    {m_birthPlaceField},
                    {m_saveButton},
                    {m_residenceField},
                    {m_uncertaintyField},
                    {m_planButton},
                    {m_cycleButton}};
    QWidget *previous = nullptr;
    for (const FocusStop &stop : m_focusStops)
        for (QWidget *control : stop) {
            if (previous)
                setTabOrder(previous, control);
            previous = control;
        }
}

} // namespace ferolune
