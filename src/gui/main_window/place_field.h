#pragma once

// A place field of the main window ("SZÜLETÉSI HELY", "LAKÓHELY"): the places of the
// atlas offered as the user types, accents and case aside, each with its county and
// country. Choosing one links the field to it; editing the text by hand unlinks it, and
// such a text stops the calendar until a place is chosen or the field is emptied.

#include "core/atlas/atlas.h"
#include "core/chart/birth_input.h"

#include <QObject>

#include <vector>

class QCompleter;
class QLineEdit;
class QStandardItemModel;

namespace ferolune {

class AtlasSource;

class PlaceField : public QObject {
    Q_OBJECT

public:
    // `label` names the field in messages ("SZÜLETÉSI HELY").
    PlaceField(QLineEdit *field, AtlasSource &atlas, QString label);

    PlaceChoice choice() const { return m_choice; }
    // Shows `choice` as given; nothing is announced.
    void setChoice(const PlaceChoice &choice);
    // The atlas place the field is linked to, when the atlas has been read and has it.
    const Place *place() const;

    // A text typed in full but not chosen from the list links the field when exactly one
    // place bears that name (waiting for the atlas); namesakes are left to the list.
    void settle();

    // Empty when the field is empty or linked to a place of the atlas (a whole name settles
    // first); otherwise the message that names the field. Waits for the atlas.
    QString problem();

signals:
    // The user chose a place (`place()` is set).
    void chosen();
    // The user's editing took the link away.
    void unlinked();

private:
    void textEdited(const QString &text);
    void offerPlaces(const QString &text);
    void choose(PlaceId id);

    QLineEdit *m_field;
    AtlasSource &m_atlas;
    QString m_label;
    QCompleter *m_completer;
    QStandardItemModel *m_offers;
    PlaceChoice m_choice;
};

} // namespace ferolune
