#include "core/common/small_file.h"

#include "core/common/file_names.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ferolune {

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
    int value;
    ~Descriptor()
    {
        if (value >= 0)
            ::close(value);
    }
};

} // namespace

Expected<QByteArray, SmallFileFailure> ReadSmallFile(const QString &path, qint64 maxBytes)
{
    if (path.isEmpty())
        return Unexpected(SmallFileFailure::CannotOpen);
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const Descriptor file{::open(PathBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.value < 0)
        return Unexpected(errno == EISDIR ? SmallFileFailure::NotRegularFile : SmallFileFailure::CannotOpen);
    struct stat status {};
    if (::fstat(file.value, &status) != 0)
        return Unexpected(SmallFileFailure::CannotRead);
    if (!S_ISREG(status.st_mode))
        return Unexpected(SmallFileFailure::NotRegularFile);
    if (status.st_size > maxBytes)
        return Unexpected(SmallFileFailure::TooLarge);
    // One byte past the limit: a file may grow while it is read.
    QByteArray bytes(maxBytes + 1, Qt::Uninitialized);
    qint64 size = 0;
    while (size < bytes.size()) {
        const ssize_t count = ::read(file.value, bytes.data() + size, static_cast<size_t>(bytes.size() - size));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return Unexpected(SmallFileFailure::CannotRead);
        if (count == 0)
            break;
        size += count;
    }
    if (size > maxBytes)
        return Unexpected(SmallFileFailure::TooLarge);
    bytes.truncate(size);
    return bytes;
}

QString SmallFileFailureText(SmallFileFailure failure)
{
    switch (failure) {
    case SmallFileFailure::CannotOpen:
        return QStringLiteral("a fájl nem nyitható meg.");
    case SmallFileFailure::NotRegularFile:
        return QStringLiteral("ez nem közönséges fájl, hanem mappa, eszköz vagy csővezeték.");
    case SmallFileFailure::CannotRead:
        return QStringLiteral("a fájl nem olvasható.");
    case SmallFileFailure::TooLarge:
        break;
    }
    return QStringLiteral("a fájl túl nagy.");
}

} // namespace ferolune
