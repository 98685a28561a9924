#include "core/common/file_write.h"

#include "core/common/file_names.h"
#include "core/common/process_setup.h"

#include <QDir>
#include <QRandomGenerator>
#include <QThread>

#include <cerrno>
#include <ctime>
#include <optional>

#include <dirent.h>
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

// Why a write failed, in Hungarian: the causes a user can do something about in words
// of this write, the others as the system's error.
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
    return SystemErrorText(failure.error);
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

// The folder part of a path ("." for a bare name) and its last part, as text, so that a
// name that is no UTF-8 keeps its bytes.
QString folderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : path.left(slash);
}

// The folder a message names: in full, as the user may not know where the program runs.
QString shownFolder(const QString &path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(folderOf(path)));
}

QString nameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// The file a path ends at once its symbolic links are followed; the path itself when it
// is no link. A link to a file not yet made ends at the file it names.
QString linkTarget(const QString &path)
{
    QString current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat status {};
        if (::lstat(PathBytes(current).constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            break;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(PathBytes(current).constData(), target.data(), target.size());
        if (length <= 0 || length >= target.size())
            break;
        const QString text = PathText(target.left(length));
        current = text.startsWith(QLatin1Char('/')) ? text : folderOf(current) + QLatin1Char('/') + text;
    }
    return current;
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

// A temporary file of ours beside `target` is named ".<target's name>.ferolune-tmp-" and
// eight hex digits, so that one a killed write left behind can be told from every other file.
const QByteArray TemporaryMark = ".ferolune-tmp-";
constexpr int TemporaryDigits = 8;
// One older than this is no write in progress.
constexpr std::time_t StaleAfterSeconds = 10 * 60;

QByteArray temporaryPrefix(const QString &target)
{
    return '.' + PathBytes(nameOf(target)) + TemporaryMark;
}

// Removes the temporary files of ours that an earlier write to `target` left behind when
// it was killed before it could remove them.
void removeStaleTemporaries(const QString &target)
{
    const QByteArray folder = PathBytes(folderOf(target));
    const QByteArray prefix = temporaryPrefix(target);
    DIR *entries = ::opendir(folder.constData());
    if (!entries)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent *entry = ::readdir(entries)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(prefix) || name.size() != prefix.size() + TemporaryDigits)
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat status {};
        if (::lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
            now - status.st_mtime > StaleAfterSeconds)
            ::unlink(path.constData());
    }
    ::closedir(entries);
}

// Makes a new file beside `target` that no one else has, readable as a new file of the
// user's would be (the user's umask applies) or, for a private file, by the user alone;
// its descriptor and name.
std::optional<Failure> makeTemporary(const QString &target, FileAccess access, int &descriptor, QByteArray &name)
{
    const QByteArray folder = PathBytes(folderOf(target));
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + '/' + temporaryPrefix(target) +
               QByteArray::number(QRandomGenerator::global()->generate(), 16).rightJustified(TemporaryDigits, '0');
        descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                            access == FileAccess::Private ? 0600 : 0666);
        if (descriptor >= 0)
            return std::nullopt;
        if (errno != EEXIST)
            return Failure{errno, shownFolder(target)};
    }
    return Failure{EEXIST, shownFolder(target)};
}

// A regular file, or a new one: the bytes go to a temporary file beside it, which takes
// its place only once they are all on the disk. Any failure removes the temporary file.
std::optional<Failure> replace(const QString &target, const struct stat *old, FileAccess access,
                               const QByteArray &bytes)
{
    removeStaleTemporaries(target);
    int descriptor = -1;
    QByteArray temporary;
    if (std::optional<Failure> failure = makeTemporary(target, access, descriptor, temporary))
        return failure;
    if (old) {
        // The new file keeps the old one's permissions (a private one is the user's
        // alone) and, where allowed, its owner; a file system that keeps neither (a
        // FAT stick) still takes the write.
        const mode_t kept = access == FileAccess::Private ? 0600 : old->st_mode & 07777;
        [[maybe_unused]] const int mode = ::fchmod(descriptor, kept);
        if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
            [[maybe_unused]] const int owner = ::fchown(descriptor, old->st_uid, old->st_gid);
        }
    }
    Failure failure;
    if (!writeAll(descriptor, bytes) || !syncToDisk(descriptor))
        failure.error = errno;
    if (::close(descriptor) != 0 && failure.error == 0)
        failure.error = errno;
    if (failure.error == 0 && ::rename(temporary.constData(), PathBytes(target).constData()) != 0)
        failure = {errno, shownFolder(target)};
    if (failure.error == 0)
        return std::nullopt;
    ::unlink(temporary.constData());
    return failure;
}

std::optional<Failure> writeFile(const QString &target, FileAccess access, const QByteArray &bytes, bool &replacedOld)
{
    const QByteArray encoded = PathBytes(target);
    struct stat status {};
    if (::stat(encoded.constData(), &status) != 0) {
        if (errno != ENOENT)
            return Failure{errno, shownFolder(target)};
        return replace(target, nullptr, access, bytes);
    }
    if (S_ISDIR(status.st_mode))
        return Failure{EISDIR, {}};
    if (!S_ISREG(status.st_mode))
        return writeInto(encoded, S_ISFIFO(status.st_mode), bytes);
    // A write-protected file stays so, though its folder would let it be replaced.
    if (::access(encoded.constData(), W_OK) != 0)
        return Failure{errno, {}};
    replacedOld = true;
    return replace(target, &status, access, bytes);
}

} // namespace

QString SystemErrorText(int error)
{
    switch (error) {
    case ELOOP:
        return QStringLiteral("túl sok egymásra mutató szimbolikus hivatkozás");
    case EXDEV:
        return QStringLiteral("a fájl nem helyezhető át másik lemezre");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("túl sok a megnyitott fájl");
    case ENOMEM:
        return QStringLiteral("elfogyott a memória");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("a fájlt egy másik program használja");
    case EEXIST:
        return QStringLiteral("ezen a néven már áll egy fájl");
    case ENOTEMPTY:
        return QStringLiteral("a mappa nem üres");
    case EMLINK:
        return QStringLiteral("túl sok hivatkozás mutat a fájlra");
    case ENODEV:
    case ENXIO:
        return QStringLiteral("az eszköz nem érhető el");
    case EINVAL:
        return QStringLiteral("az eszköz vagy a fájlrendszer nem fogadja el ezt a műveletet");
    case ENOTSUP:
        return QStringLiteral("a fájlrendszer nem támogatja ezt a műveletet");
    case EBADF:
        return QStringLiteral("a fájl nincs írásra megnyitva");
    case EAGAIN:
    case EINTR:
        return QStringLiteral("a művelet megszakadt, próbálja újra");
    case ESTALE:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
    case ENOLINK:
        return QStringLiteral("a hálózati meghajtó nem érhető el");
    case ENOSPC:
        return QStringLiteral("megtelt a lemez");
    case EROFS:
        return QStringLiteral("a lemez csak olvasható");
    case EIO:
        return QStringLiteral("a lemez írása vagy olvasása közben hiba történt");
    case EACCES:
    case EPERM:
        return QStringLiteral("nincs hozzá jogosultság");
    case ENOENT:
        return QStringLiteral("a fájl vagy a mappa nem létezik");
    case ENOTDIR:
        return QStringLiteral("az útvonal egyik tagja nem mappa");
    default:
        break;
    }
    return QStringLiteral("a rendszer %1. számú hibája").arg(error);
}

WriteResult WriteFileAtomically(const QString &path, const QByteArray &bytes, FileAccess access)
{
    if (path.isEmpty())
        return Unexpected(QStringLiteral("A fájl nem írható: nincs megadva a neve."));
    bool replacedOld = false;
    const std::optional<Failure> failure = writeFile(linkTarget(path), access, bytes, replacedOld);
    if (!failure)
        return {};
    QString message = QStringLiteral("A(z) %1 fájl nem írható: %2.").arg(native(path), reasonOf(*failure));
    if (replacedOld)
        message += QStringLiteral(" A fájl korábbi tartalma változatlan maradt.");
    return Unexpected(message);
}

WriteResult WriteStandardOutput(const QByteArray &bytes)
{
    if (StandardOutputWasClosed())
        return Unexpected(QStringLiteral("A szabványos kimenetre nem sikerült írni: a program zárt szabványos "
                                         "kimenettel indult."));
    if (writeAll(STDOUT_FILENO, bytes))
        return {};
    return Unexpected(QStringLiteral("A szabványos kimenetre nem sikerült írni: %1.").arg(reasonOf({errno, {}})));
}

} // namespace ferolune
