#include "core/common/file_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ferolune {

namespace {

// A failed step of a write: the system's error number, and the folder when the step was
// one on the folder (making the temporary file, putting it in the target's place).
struct Failure {
    int error = 0;
    QString folder;
};

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Why a write failed, in Hungarian, for the causes a user can do something about.
QString reasonOf(const Failure &failure)
{
    switch (failure.error) {
    case ENOSPC:
        return QStringLiteral("megtelt a lemez");
    case EDQUOT:
        return QStringLiteral("elfogyott a felhasználónak jutó hely a lemezen");
    case EROFS:
        return QStringLiteral("a lemez csak olvasható");
    case EFBIG:
        return QStringLiteral("a fájl túl nagy ehhez a lemezhez");
    case EIO:
        return QStringLiteral("a lemezre írás közben hiba történt");
    case EISDIR:
        return QStringLiteral("ezen a néven mappa áll");
    case ENAMETOOLONG:
        return QStringLiteral("a fájl neve túl hosszú");
    case EPIPE:
        return QStringLiteral("a kimenetet olvasó program már kilépett");
    case ENXIO:
        return QStringLiteral("a csővezetéket (FIFO) egy program sem olvassa");
    case EACCES:
    case EPERM:
        if (failure.folder.isEmpty())
            return QStringLiteral("a fájl írásvédett");
        return QStringLiteral("a(z) %1 mappába nincs írási jog").arg(native(failure.folder));
    case ENOENT:
    case ENOTDIR:
        if (!failure.folder.isEmpty())
            return QStringLiteral("a(z) %1 mappa nem létezik").arg(native(failure.folder));
        break;
    default:
        break;
    }
    return QStringLiteral("a rendszer hibája: %1").arg(QString::fromLocal8Bit(std::strerror(failure.error)));
}

// Writes every byte, through interrupted and partial writes; false with errno set.
bool writeAll(int descriptor, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// The written bytes on the disk itself, so that the rename never puts an empty file in
// the old one's place after a crash. A file system that cannot sync takes the file as
// it is.
bool syncToDisk(int descriptor)
{
    return ::fdatasync(descriptor) == 0 || errno == EINVAL || errno == ENOTSUP;
}

// The file a path ends at once its symbolic links are followed; the path itself when it
// is no link. A link to a file not yet made ends at the file it names.
QString linkTarget(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; info.isSymLink() && depth < 40; ++depth)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

// A FIFO is opened without waiting for a reader: one that no program reads gives a
// message instead of a program that waits for ever. A reader starting at the same
// moment gets a few seconds.
int openFifo(const QByteArray &target)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        const int descriptor = ::open(target.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (descriptor >= 0) {
            // Once it is read, the writes wait for the reader as usual.
            ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
            return descriptor;
        }
        if (errno != ENXIO)
            return -1;
        QThread::msleep(100);
    }
    return -1;
}

// A device, a FIFO or the like is written into as it is: it has no folder entry of its
// own to replace.
std::optional<Failure> writeInto(const QByteArray &target, bool fifo, const QByteArray &bytes)
{
    const int descriptor = fifo ? openFifo(target) : ::open(target.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return Failure{errno, {}};
    int error = writeAll(descriptor, bytes) ? 0 : errno;
    if (::close(descriptor) != 0 && error == 0)
        error = errno;
    return error == 0 ? std::nullopt : std::optional<Failure>(Failure{error, {}});
}

// Makes a new file beside `target` that no one else has, readable as a new file of the
// user's would be (the user's umask applies); its descriptor and name.
std::optional<Failure> makeTemporary(const QString &target, int &descriptor, QByteArray &name)
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString hidden = QStringLiteral(".%1.%2").arg(info.fileName()).arg(QRandomGenerator::global()->generate(),
                                                                                  8, 16, QLatin1Char('0'));
        name = QFile::encodeName(info.dir().filePath(hidden));
        descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0)
            return std::nullopt;
        if (errno != EEXIST)
            return Failure{errno, info.absolutePath()};
    }
    return Failure{EEXIST, info.absolutePath()};
}

// A regular file, or a new one: the bytes go to a temporary file beside it, which takes
// its place only once they are all on the disk. Any failure removes the temporary file.
std::optional<Failure> replace(const QString &target, const struct stat *old, const QByteArray &bytes)
{
    int descriptor = -1;
    QByteArray temporary;
    if (std::optional<Failure> failure = makeTemporary(target, descriptor, temporary))
        return failure;
    if (old) {
        // The new file keeps the old one's permissions and, where allowed, its owner;
        // a file system that keeps neither (a FAT stick) still takes the write.
        [[maybe_unused]] const int mode = ::fchmod(descriptor, old->st_mode & 07777);
        if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
            [[maybe_unused]] const int owner = ::fchown(descriptor, old->st_uid, old->st_gid);
        }
    }
    Failure failure;
    if (!writeAll(descriptor, bytes) || !syncToDisk(descriptor))
        failure.error = errno;
    if (::close(descriptor) != 0 && failure.error == 0)
        failure.error = errno;
    if (failure.error == 0 && ::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0)
        failure = {errno, QFileInfo(target).absolutePath()};
    if (failure.error == 0)
        return std::nullopt;
    ::unlink(temporary.constData());
    return failure;
}

std::optional<Failure> writeFile(const QString &target, const QByteArray &bytes, bool &replacedOld)
{
    const QByteArray encoded = QFile::encodeName(target);
    struct stat status {};
    if (::stat(encoded.constData(), &status) != 0) {
        if (errno != ENOENT)
            return Failure{errno, QFileInfo(target).absolutePath()};
        return replace(target, nullptr, bytes);
    }
    if (S_ISDIR(status.st_mode))
        return Failure{EISDIR, {}};
    if (!S_ISREG(status.st_mode))
        return writeInto(encoded, S_ISFIFO(status.st_mode), bytes);
    // A write-protected file stays so, though its folder would let it be replaced.
    if (::access(encoded.constData(), W_OK) != 0)
        return Failure{errno, {}};
    replacedOld = true;
    return replace(target, &status, bytes);
}

} // namespace

WriteResult WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    bool replacedOld = false;
    const std::optional<Failure> failure = writeFile(linkTarget(path), bytes, replacedOld);
    if (!failure)
        return {};
    QString message = QStringLiteral("A(z) %1 fájl nem írható: %2.").arg(native(path), reasonOf(*failure));
    if (replacedOld)
        message += QStringLiteral(" A fájl korábbi tartalma változatlan maradt.");
    return Unexpected(message);
}

WriteResult WriteStandardOutput(const QByteArray &bytes)
{
    if (writeAll(STDOUT_FILENO, bytes))
        return {};
    return Unexpected(QStringLiteral("A szabványos kimenetre nem sikerült írni: %1.").arg(reasonOf({errno, {}})));
}

} // namespace ferolune
