#pragma once

// File names byte for byte. A Unix file name is bytes, not always UTF-8; Qt's own
// conversion turns a byte that is no UTF-8 into U+FFFD, and the file named is then
// another one. Here each such byte becomes a lone surrogate (U+DC80 to U+DCFF) and comes
// back as the same byte, so a name from the command line reaches the very file it names.

#include <QByteArray>
#include <QString>

namespace ferolune {

// The text of a file name or a command-line argument.
QString PathText(const QByteArray &bytes);

// The bytes of a file name made by PathText (any other text: its UTF-8).
QByteArray PathBytes(const QString &path);

} // namespace ferolune
