#include "io/chartfile/codepage.h"

#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace ferolune {

QString DecodeWindows1250WithIconv(QByteArrayView bytes)
{
    const char *utf16 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? "UTF-16LE" : "UTF-16BE";
    const iconv_t converter = iconv_open(utf16, "WINDOWS-1250");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes);

    // A single-byte code page gives at most one UTF-16 unit per byte.
    QString text(bytes.size(), Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.data());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char *out = reinterpret_cast<char *>(text.data());
    size_t outLeft = static_cast<size_t>(text.size()) * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            break;
        // An undefined byte: put the replacement character and go on after it.
        const char16_t replacement = QChar::ReplacementCharacter;
        std::memcpy(out, &replacement, sizeof replacement);
        out += sizeof replacement;
        outLeft -= sizeof replacement;
        ++in;
        --inLeft;
    }
    iconv_close(converter);
    text.truncate(static_cast<qsizetype>((out - reinterpret_cast<char *>(text.data())) / sizeof(char16_t)));
    return text;
}

QString DecodeWindows1250(QByteArrayView bytes)
{
    QStringDecoder decoder("windows-1250");
    if (!decoder.isValid())
        return DecodeWindows1250WithIconv(bytes);
    return decoder.decode(bytes);
}

} // namespace ferolune
