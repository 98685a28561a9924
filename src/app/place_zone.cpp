// The birthplace on the main window: choosing a place fills the coordinates and sets the
// zone from the place's history at the birth date and clock time; the zone follows the
// date and hour until the user sets it by hand, and "NAPTÁR KÉSZITÉSE" settles a zone
// that disagrees with the place, a clock time that never happened there and one that
// happened twice.

#include "places/atlas_source.h"
#include "places/birth_place.h"
#include "app/main_window.h"
#include "app/place_field.h"
#include "places/place_option.h"
#include "atlas/atlas.h"
#include "calendar/run_fields.h"
#include "common/number_rules.h"
#include "widgets/dialogs.h"

#include <QLineEdit>

#include <cmath>

namespace ferolune {

namespace {

QString summerTimeNote(const ZoneReading &reading)
{
    return reading.summerTime ? QStringLiteral(" (nyári időszámítás)") : QString();
}

} // namespace

void MainWindow::connectPlaceFields()
{
    m_birthPlace = new PlaceField(txtBirthPlace, m_atlas, BirthPlaceLabel);
    m_residence = new PlaceField(txtResidence, m_atlas, ResidenceLabel);
    connect(m_birthPlace, &PlaceField::chosen, this, &MainWindow::birthPlaceChosen);
    connect(m_birthPlace, &PlaceField::unlinked, this, [this] { m_zoneFollowsPlace = false; });
    connect(txtTZ, &QLineEdit::textEdited, this, [this] { m_zoneFollowsPlace = false; });
    for (QLineEdit *field : {txtYear, txtMonth, txtDay, Text1, txtBirthMinute})
        connect(field, &QLineEdit::textEdited, this, &MainWindow::followBirthPlace);
}

void MainWindow::birthPlaceChosen()
{
    const Place *place = m_birthPlace->place();
    if (!place)
        return;
    applyRule([&](BirthData &fields) { ApplyPlaceCoordinates(fields, *place); });
    m_zoneFollowsPlace = true;
    followBirthPlace();
}

// A moment the history does not settle by itself leaves the zone as it is; the calendar
// command asks about it.
void MainWindow::followBirthPlace()
{
    const Place *place = m_birthPlace->place();
    if (!m_zoneFollowsPlace || !place)
        return;
    const ZoneAt zone = ZoneAtBirth(*place, birthData());
    if (zone.kind == LocalTimeKind::Unique)
        writeZone(zone.readings.front());
}

// The box shows the summer time without moving the zone: setBirthData couples nothing.
void MainWindow::writeZone(const ZoneReading &reading)
{
    applyRule([&](BirthData &fields) { ApplyZoneReading(fields, reading); });
}

bool MainWindow::zoneFieldHolds(const ZoneReading &reading) const
{
    return std::abs(readLeniently(txtTZ->text()) - reading.zoneHours) < 1e-9;
}

bool MainWindow::zoneMatchesPlace() const
{
    const Place *place = m_birthPlace->place();
    if (!place)
        return false;
    const ZoneAt zone = ZoneAtBirth(*place, birthData());
    return zone.kind == LocalTimeKind::Unique && zoneFieldHolds(zone.readings.front());
}

// A place text that is no place of the atlas stops the run: the calendar would be computed
// for the numbers of another place, or on a clock the heading does not name.
bool MainWindow::placesAreAtlasPlaces()
{
    const std::pair<PlaceField *, QLineEdit *> places[] = {{m_birthPlace, txtBirthPlace}, {m_residence, txtResidence}};
    for (const auto &[place, field] : places) {
        const QString problem = place->problem();
        if (!problem.isEmpty()) {
            m_dialogs.message(this, problem, Dialogs::Icon::Critical);
            giveFocus(field, Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

// True when the run may start with the zone field as it then stands.
bool MainWindow::settleZoneForRun()
{
    if (m_birthPlace->choice().geonameId == 0)
        return true;
    // A date or clock time that never was has no zone to settle: its field says so, as
    // the run would without a birthplace.
    if (const std::optional<FieldProblem> problem = FindBirthMomentProblem(birthData())) {
        m_dialogs.message(this, problem->message, Dialogs::Icon::Critical);
        focusField(problem->focusControl);
        return false;
    }
    m_atlas.waitForAtlas();
    const Place *place = m_birthPlace->place();
    if (!place)
        return true; // a place the atlas no longer has is only text
    const BirthData fields = birthData();
    const ZoneAt zone = ZoneAtBirth(*place, fields);
    switch (zone.kind) {
    case LocalTimeKind::Unique: {
        const ZoneReading &reading = zone.readings.front();
        if (m_zoneFollowsPlace || zoneFieldHolds(reading)) {
            writeZone(reading);
            return true;
        }
        const QString placeZone = ZoneFieldText(reading.zoneHours);
        const QString question = QStringLiteral("A születési helyen ekkor %1 volt az időzóna%2; a mezőben %3 áll. "
                                                "Melyiket használjuk?")
                                     .arg(placeZone, summerTimeNote(reading), txtTZ->text());
        const int answer = m_dialogs.choose(this, question,
                                            {QStringLiteral("%1 (a születési hely szerint)").arg(placeZone),
                                             QStringLiteral("%1 (a mezőben álló)").arg(txtTZ->text())});
        if (answer == 0) {
            writeZone(reading);
            m_zoneFollowsPlace = true;
        }
        return answer >= 0;
    }
    case LocalTimeKind::Repeated: {
        // A zone set by hand to one of the two has settled it already.
        if (!m_zoneFollowsPlace && (zoneFieldHolds(zone.readings[0]) || zoneFieldHolds(zone.readings[1])))
            return true;
        const int answer = m_dialogs.choose(this, ZoneProblemAtBirth(*place, fields, zone),
                                            {zoneReadingText(zone.readings[0]), zoneReadingText(zone.readings[1])});
        if (answer < 0)
            return false;
        writeZone(zone.readings[std::size_t(answer)]);
        m_zoneFollowsPlace = false; // the answer stands until the user changes it
        return true;
    }
    case LocalTimeKind::Skipped:
    case LocalTimeKind::UnknownZone:
    case LocalTimeKind::InvalidMoment:
        // The message asks for the zone by hand; once typed, it is used as it stands.
        if (!m_zoneFollowsPlace)
            return true;
        m_dialogs.message(this, ZoneProblemAtBirth(*place, fields, zone), Dialogs::Icon::Critical);
        return false;
    }
    return true;
}

} // namespace ferolune
