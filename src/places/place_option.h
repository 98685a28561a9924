#pragma once

// A place named on the command line ("--place Budapest"), found in the atlas by its name
// or its Hungarian name, accents and case aside, or by the full text the place fields
// offer ("Kolozsvár (Cluj-Napoca), Románia") when namesakes must be told apart.

#include "atlas/atlas.h"

#include <QString>

#include <variant>

namespace ferolune {

// The place, or the Hungarian message that refuses the name: an unknown name with the
// closest names of the atlas, or namesakes with their counties and countries. `option`
// ("--place") names the option in the message.
std::variant<PlaceId, QString> FindNamedPlace(const Atlas &atlas, const QString &name, const QString &option);

} // namespace ferolune
