#pragma once

// The birthplace atlas, mapped once on a thread of its own so that start-up does not wait
// for it. Until it is read the place fields offer nothing; everything else works.

#include "core/atlas/atlas.h"
#include "core/chart/birth_input.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QThread;

namespace ferolune {

class AtlasSource : public QObject {
    Q_OBJECT

public:
    explicit AtlasSource(QString path);
    ~AtlasSource() override;

    // The program's atlas block: atlas.idx in its data directory, or the one its build
    // tree made.
    static QString programAtlasPath();

    // Starts reading the file on a thread; later calls do nothing.
    void startLoading();
    // The atlas once it is read; null before, or when the file could not be read.
    const Atlas *atlas() const { return m_atlas ? &*m_atlas : nullptr; }
    // Waits for the reading started (starting it when it was not) and returns atlas().
    const Atlas *waitForAtlas();
    // Why the file could not be read (Hungarian, names the file); empty otherwise.
    const QString &error() const { return m_error; }

signals:
    void loaded();

private:
    void takeResult();

    QString m_path;
    QThread *m_thread = nullptr;
    std::unique_ptr<AtlasLoad> m_result; // written by the thread, taken over once it ends
    std::optional<Atlas> m_atlas;
    QString m_error;
    bool m_done = false;
};

// The zone of a place of residence chosen from `source`'s atlas (waiting for the atlas
// when it is still being read); empty for a place typed as text or one the atlas lacks.
QByteArray ResidenceZoneId(AtlasSource &source, const PlaceChoice &residence);

} // namespace ferolune
