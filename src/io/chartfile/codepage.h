#pragma once

#include <QByteArrayView>
#include <QString>

namespace ferolune {

// Text of the Windows-1250 code page (the Central European one Hungarian chart files
// are written in), decoded by Qt's ICU converter, or by iconv where this Qt build has
// no such converter. Never fails: a byte the code page leaves undefined becomes a
// control or replacement character.
QString DecodeWindows1250(QByteArrayView bytes);

// The same decoding done by glibc's iconv alone, the fallback of DecodeWindows1250;
// undefined bytes become U+FFFD.
QString DecodeWindows1250WithIconv(QByteArrayView bytes);

} // namespace ferolune
