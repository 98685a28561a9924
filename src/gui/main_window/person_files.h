#pragma once

// The files of the main window's birth data: a saved person or a Horavista chart file
// opened with "ASZTRÓGRAM MEGNYITÁSA", and the person saved with "MENTÉS".

#include <QString>

namespace ferolune {

class Clock;
class Dialogs;
class MainWindow;
class PlaceZoneController;

class PersonFiles {
public:
    // `clock` tells the day a saved person's cycle is checked on.
    PersonFiles(MainWindow &window, Dialogs &dialogs, PlaceZoneController &places, const Clock &clock);

    // A saved person or a chart file chosen in the open-file dialog fills the birth fields,
    // or a message says why it cannot be used and nothing changes. Cancel is silent.
    void chooseAndOpen();

    // The birth record, places included, into a person file the user names. Nothing is
    // saved unless the user asks.
    void save();

    // The key of the saved person last opened or saved, which her calendar events carry;
    // empty for a person never saved and after a chart file.
    QString eventKey() const { return m_eventKey; }

private:
    void openPersonFile(const QString &path);
    void openChartFile(const QString &path);

    MainWindow &m_window;
    Dialogs &m_dialogs;
    PlaceZoneController &m_places;
    const Clock &m_clock;
    QString m_eventKey;
};

} // namespace ferolune
