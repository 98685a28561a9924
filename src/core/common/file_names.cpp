#include "core/common/file_names.h"

namespace ferolune {

namespace {

constexpr char16_t EscapeBase = 0xDC00; // a byte b that is no UTF-8 becomes EscapeBase + b

// The length of the UTF-8 sequence a lead byte starts; 0 for a byte that starts none.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

// The character of a complete sequence, or nothing when it is no valid UTF-8 (an overlong
// form, a surrogate, a continuation byte missing).
QString decodedSequence(const QByteArray &sequence)
{
    for (qsizetype k = 1; k < sequence.size(); ++k)
        if ((static_cast<unsigned char>(sequence[k]) & 0xC0) != 0x80)
            return {};
    const QString text = QString::fromUtf8(sequence);
    const bool replaced = text.contains(QChar::ReplacementCharacter) && sequence != QByteArray("\xEF\xBF\xBD");
    return replaced ? QString() : text;
}

} // namespace

QString PathText(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        const int length = sequenceLength(lead);
        const QString character =
            length > 0 && at + length <= bytes.size() ? decodedSequence(bytes.mid(at, length)) : QString();
        if (character.isEmpty()) {
            text += QChar(char16_t(EscapeBase + lead));
            ++at;
        } else {
            text += character;
            at += length;
        }
    }
    return text;
}

QByteArray PathBytes(const QString &path)
{
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype runStart = 0;
    for (qsizetype at = 0; at < path.size(); ++at) {
        const char16_t unit = path[at].unicode();
        const bool escaped =
            unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF && (at == 0 || !path[at - 1].isHighSurrogate());
        if (!escaped)
            continue;
        bytes += QStringView(path).mid(runStart, at - runStart).toUtf8();
        bytes += static_cast<char>(unit - EscapeBase);
        runStart = at + 1;
    }
    bytes += QStringView(path).mid(runStart).toUtf8();
    return bytes;
}

} // namespace ferolune
