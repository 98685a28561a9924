#pragma once

// A real file system that is full: a small tmpfs mounted on a temporary folder and filled
// to the last byte. Mounting needs root (CI runs as root); elsewhere the disk is not
// usable and the test skips.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/mount.h>

namespace ferolune::test {

class FullDisk {
public:
    // `before` is written first as `fileName`, the file a failed write must leave alone.
    FullDisk(const QString &fileName, const QByteArray &before)
    {
        m_mounted = m_dir.isValid() &&
                    ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=256k") == 0;
        if (!m_mounted)
            return;
        QFile old(path(fileName));
        QFile filler(path(QStringLiteral("kitolto")));
        const QByteArray block(4096, 'x');
        m_full = old.open(QIODevice::WriteOnly) && old.write(before) == before.size() && old.flush() &&
                 filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (m_full && filler.write(block) == block.size()) {
        }
    }
    ~FullDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    // False where no file system could be mounted: not root, or no right to mount.
    bool usable() const { return m_mounted && m_full; }
    QString path(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    QStringList entries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QByteArray contents(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    bool m_full = false;
};

} // namespace ferolune::test
