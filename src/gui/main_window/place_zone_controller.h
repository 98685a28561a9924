#pragma once

// The birthplace and the zone on the main window: choosing a place fills the coordinates
// and sets the zone from the place's history at the birth date and clock time; the zone
// follows the date and hour until the user sets it by hand, and "NAPTÁR KÉSZITÉSE" settles
// a zone that disagrees with the place, a clock time that never happened there and one
// that happened twice.

#include "io/form/birth_form.h"

#include <QObject>

#include <initializer_list>

class QLineEdit;

namespace ferolune {

class AtlasSource;
class Dialogs;
class MainWindow;
class PlaceField;
struct ZoneReading;

class PlaceZoneController : public QObject {
    Q_OBJECT

public:
    // The window's place fields, its zone field, the date and clock-time fields the zone
    // follows and the coordinate fields a birthplace fills. The window's birth record is
    // read and changed through `window`.
    PlaceZoneController(MainWindow &window, Dialogs &dialogs, AtlasSource &atlas, QLineEdit *birthPlace,
                        QLineEdit *residence, QLineEdit *zone, std::initializer_list<QLineEdit *> momentFields,
                        std::initializer_list<QLineEdit *> coordinateFields);

    // The birthplace and the residence of the birth form, as the fields hold them.
    void readPlaces(BirthForm &form) const;
    // Shows the form's two places as given; nothing is announced, the zone stays.
    void writePlaces(const BirthForm &form);

    // The atlas is read once the window is up and idle; it is needed only when a place
    // is typed.
    void loadAtlasSoon();

    // A place typed in full but not chosen from the list counts as chosen.
    void settleTypedPlaces();
    // True when "NAPTÁR KÉSZITÉSE" may go on: both places are atlas places (or empty) and
    // the zone field holds the zone the run is to use. Otherwise a message has said why,
    // or the user has declined the question about the zone.
    bool readyForRun();

    // Whether the zone fields follow the birthplace (a place was chosen and the zone has
    // not been set by hand since).
    bool zoneFollowsPlace() const { return m_zoneFollowsPlace; }
    // The zone was set by hand, or came with fields that name no birthplace.
    void stopFollowingPlace() { m_zoneFollowsPlace = false; }
    // The user changed a coordinate, a hemisphere or the zone: the numbers are no longer
    // the chosen birthplace's, so the field lets it go (emptied, as it keeps the numbers),
    // and the zone stops following it.
    void placeNumbersEdited();
    // For a saved person just opened: the zone goes on following the birthplace when it
    // was saved as the place gave it.
    void followPlaceIfZoneMatches();

private:
    void birthPlaceChosen();
    void followBirthPlace();
    void writeZone(const ZoneReading &reading);
    bool placesAreAtlasPlaces();
    bool settleZoneForRun();
    bool zoneFieldHolds(const ZoneReading &reading) const;
    bool zoneMatchesPlace() const;

    MainWindow &m_window;
    Dialogs &m_dialogs;
    AtlasSource &m_atlas;
    QLineEdit *m_birthPlaceText;
    QLineEdit *m_residenceText;
    QLineEdit *m_zone;
    PlaceField *m_birthPlace;
    PlaceField *m_residence;
    bool m_zoneFollowsPlace = false;
};

} // namespace ferolune
