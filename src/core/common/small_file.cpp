#include "core/common/small_file.h"

#include <QFile>

namespace ferolune {

std::variant<QByteArray, SmallFileFailure> ReadSmallFile(const QString &path, qint64 maxBytes)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return SmallFileFailure::CannotOpen;
    // One byte past the limit: the size of a device or pipe is not known beforehand.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return SmallFileFailure::CannotRead;
    if (bytes.size() > maxBytes)
        return SmallFileFailure::TooLarge;
    return bytes;
}

} // namespace ferolune
