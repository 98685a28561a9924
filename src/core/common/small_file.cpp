#include "core/common/small_file.h"

#include <QFile>

namespace ferolune {

Expected<QByteArray, SmallFileFailure> ReadSmallFile(const QString &path, qint64 maxBytes)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return Unexpected(SmallFileFailure::CannotOpen);
    // One byte past the limit: the size of a device or pipe is not known beforehand.
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Unexpected(SmallFileFailure::CannotRead);
    if (bytes.size() > maxBytes)
        return Unexpected(SmallFileFailure::TooLarge);
    return bytes;
}

} // namespace ferolune
