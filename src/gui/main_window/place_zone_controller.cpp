#include "gui/main_window/place_zone_controller.h"

#include "core/atlas/atlas.h"
#include "core/common/number_rules.h"
#include "core/places/atlas_source.h"
#include "core/places/place_option.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/place_field.h"
#include "gui/widgets/dialogs.h"
#include "io/form/place_fields.h"
#include "io/form/read_birth_form.h"

#include <QLineEdit>
#include <QTimer>

#include <cmath>

namespace ferolune {

namespace {

QString summerTimeNote(const ZoneReading &reading)
{
    return reading.summerTime ? QStringLiteral(" (nyári időszámítás)") : QString();
}

} // namespace

PlaceZoneController::PlaceZoneController(MainWindow &window, Dialogs &dialogs, AtlasSource &atlas,
                                         QLineEdit *birthPlace, QLineEdit *residence, QLineEdit *zone,
                                         std::initializer_list<QLineEdit *> momentFields,
                                         std::initializer_list<QLineEdit *> coordinateFields)
    : m_window(window)
    , m_dialogs(dialogs)
    , m_atlas(atlas)
    , m_birthPlaceText(birthPlace)
    , m_residenceText(residence)
    , m_zone(zone)
    , m_birthPlace(new PlaceField(birthPlace, atlas, BirthPlaceLabel))
    , m_residence(new PlaceField(residence, atlas, ResidenceLabel))
{
    connect(m_birthPlace, &PlaceField::chosen, this, &PlaceZoneController::birthPlaceChosen);
    connect(m_birthPlace, &PlaceField::unlinked, this, &PlaceZoneController::stopFollowingPlace);
    connect(m_zone, &QLineEdit::textEdited, this, &PlaceZoneController::placeNumbersEdited);
    for (QLineEdit *field : coordinateFields)
        connect(field, &QLineEdit::textEdited, this, &PlaceZoneController::placeNumbersEdited);
    for (QLineEdit *field : momentFields)
        connect(field, &QLineEdit::textEdited, this, &PlaceZoneController::followBirthPlace);
}

void PlaceZoneController::readPlaces(BirthForm &form) const
{
    form.birthPlace = m_birthPlace->choice();
    form.residence = m_residence->choice();
}

void PlaceZoneController::writePlaces(const BirthForm &form)
{
    m_birthPlace->setChoice(form.birthPlace);
    m_residence->setChoice(form.residence);
}

void PlaceZoneController::loadAtlasSoon()
{
    QTimer::singleShot(0, &m_atlas, &AtlasSource::startLoading);
}

void PlaceZoneController::settleTypedPlaces()
{
    m_birthPlace->settle();
    m_residence->settle();
}

bool PlaceZoneController::readyForRun()
{
    return placesAreAtlasPlaces() && settleZoneForRun();
}

void PlaceZoneController::placeNumbersEdited()
{
    m_zoneFollowsPlace = false;
    if (!m_birthPlace->choice().isEmpty())
        m_birthPlace->setChoice({});
}

void PlaceZoneController::followPlaceIfZoneMatches()
{
    if (m_birthPlace->choice().geonameId != 0)
        m_atlas.waitForAtlas();
    m_zoneFollowsPlace = zoneMatchesPlace();
}

void PlaceZoneController::birthPlaceChosen()
{
    const Place *place = m_birthPlace->place();
    if (!place)
        return;
    m_window.applyRule([&](BirthForm &form) { ApplyPlaceCoordinates(form, *place); });
    m_zoneFollowsPlace = true;
    followBirthPlace();
}

// A moment the history does not settle by itself leaves the zone as it is; the calendar
// command asks about it.
void PlaceZoneController::followBirthPlace()
{
    const Place *place = m_birthPlace->place();
    if (!m_zoneFollowsPlace || !place)
        return;
    const ZoneAt zone = ZoneAtBirth(*place, m_window.birthForm());
    if (zone.kind == LocalTimeKind::Unique)
        writeZone(zone.readings.front());
}

// The box shows the summer time without moving the zone: setBirthForm couples nothing.
void PlaceZoneController::writeZone(const ZoneReading &reading)
{
    m_window.applyRule([&](BirthForm &form) { ApplyZoneReading(form, reading); });
}

bool PlaceZoneController::zoneFieldHolds(const ZoneReading &reading) const
{
    return std::abs(readLeniently(m_zone->text()) - reading.zoneHours) < 1e-9;
}

bool PlaceZoneController::zoneMatchesPlace() const
{
    const Place *place = m_birthPlace->place();
    if (!place)
        return false;
    const ZoneAt zone = ZoneAtBirth(*place, m_window.birthForm());
    return zone.kind == LocalTimeKind::Unique && zoneFieldHolds(zone.readings.front());
}

// A place text that is no place of the atlas stops the run: the calendar would be computed
// for the numbers of another place, or on a clock the heading does not name.
bool PlaceZoneController::placesAreAtlasPlaces()
{
    const std::pair<PlaceField *, QLineEdit *> places[] = {{m_birthPlace, m_birthPlaceText},
                                                              {m_residence, m_residenceText}};
    for (const auto &[place, field] : places) {
        const QString problem = place->problem();
        if (!problem.isEmpty()) {
            m_dialogs.message(&m_window, problem, Dialogs::Icon::Critical);
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
            return false;
        }
    }
    return true;
}

// True when the run may start with the zone field as it then stands.
bool PlaceZoneController::settleZoneForRun()
{
    if (m_birthPlace->choice().geonameId == 0)
        return true;
    // A date or clock time that never was has no zone to settle: its field says so, as
    // the run would without a birthplace.
    if (const Expected<FormMoment, FieldProblem> moment = ReadBirthMoment(m_window.birthForm()); !moment) {
        m_dialogs.message(&m_window, moment.error().message, Dialogs::Icon::Critical);
        m_window.focusField(moment.error().field);
        return false;
    }
    m_atlas.waitForAtlas();
    const Place *place = m_birthPlace->place();
    if (!place)
        return true; // a place the atlas no longer has is only text
    const BirthForm form = m_window.birthForm();
    const ZoneAt zone = ZoneAtBirth(*place, form);
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
                                     .arg(placeZone, summerTimeNote(reading), m_zone->text());
        const int answer = m_dialogs.choose(&m_window, question,
                                            {QStringLiteral("%1 (a születési hely szerint)").arg(placeZone),
                                             QStringLiteral("%1 (a mezőben álló)").arg(m_zone->text())});
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
        const int answer = m_dialogs.choose(&m_window, ZoneProblemAtBirth(*place, form, zone),
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
        m_dialogs.message(&m_window, ZoneProblemAtBirth(*place, form, zone), Dialogs::Icon::Critical);
        return false;
    }
    return true;
}

} // namespace ferolune
