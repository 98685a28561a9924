#include "core/atlas/atlas.h"

namespace ferolune {

namespace {

// Letters that carry their accent in the letter itself, so decomposition leaves them.
void appendFolded(QString &out, QChar c)
{
    switch (c.unicode()) {
    case u'ß': out += QLatin1String("ss"); return;
    case u'ł': case u'Ł': out += u'l'; return;
    case u'đ': case u'Đ': out += u'd'; return;
    case u'ø': case u'Ø': out += u'o'; return;
    case u'ı': out += u'i'; return;
    case u'æ': case u'Æ': out += QLatin1String("ae"); return;
    case u'œ': case u'Œ': out += QLatin1String("oe"); return;
    case u'þ': case u'Þ': out += QLatin1String("th"); return;
    default: out += c.toCaseFolded(); return;
    }
}

// Apostrophes vanish ("Kam'yanka" is typed "kamyanka"); other punctuation separates words.
bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'\u2019' || c == u'\u02bc' || c == u'`';
}

} // namespace

QString foldPlaceName(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    bool wordBreak = false;
    for (const QChar c : decomposed) {
        if (c.isMark() || isApostrophe(c))
            continue;
        if (!c.isLetterOrNumber()) {
            wordBreak = true;
            continue;
        }
        if (wordBreak && !folded.isEmpty())
            folded += u' ';
        wordBreak = false;
        appendFolded(folded, c);
    }
    return folded;
}

} // namespace ferolune
