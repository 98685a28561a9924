#pragma once

// A place named on the command line ("--place Budapest") or left as text in a place field,
// found in the atlas by its name
// or its Hungarian name, accents and case aside, or by the full text the place fields
// offer ("Kolozsvár (Cluj-Napoca), Kolozs megye, Románia") when namesakes must be told apart.

#include "core/atlas/atlas.h"
#include "core/common/result.h"

#include <QString>

namespace ferolune {

// The place fields by their labels, as messages name them.
inline const QString BirthPlaceLabel = QStringLiteral("SZÜLETÉSI HELY");
inline const QString ResidenceLabel = QStringLiteral("LAKÓHELY");

// The place, or the Hungarian message that refuses the name: a text longer than a place
// name can be, an unknown name with the closest names of the atlas, or namesakes with
// their counties and countries, biggest first. `option`
// ("--place") names the option in the message.
Expected<PlaceId, QString> FindNamedPlace(const Atlas &atlas, const QString &name, const QString &option);

// The message for a place field ("SZÜLETÉSI HELY", named by `field`) whose text is not a
// place chosen from the atlas: a text longer than a place name can be, an unknown name
// with the closest names of the atlas, or namesakes with their list, biggest first.
QString PlaceFieldMessage(const Atlas &atlas, const QString &text, const QString &field);

} // namespace ferolune
