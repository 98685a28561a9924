#include "core/places/atlas_source.h"

#include "core/common/data_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QThread>

namespace ferolune {

AtlasSource::AtlasSource(QString path) : m_path(std::move(path)) {}

AtlasSource::~AtlasSource()
{
    if (m_thread) {
        m_thread->wait(); // mapping the block takes no time worth stopping
        delete m_thread;
    }
}

QString AtlasSource::programAtlasPath()
{
    const QString installed = QDir(dataDirectory()).filePath(QStringLiteral("atlas.idx"));
    const QString built = QStringLiteral(FEROLUNE_BUILD_ATLAS_INDEX);
    return QFileInfo::exists(installed) || !QFileInfo::exists(built) ? installed : built;
}

void AtlasSource::startLoading()
{
    if (m_thread)
        return;
    m_thread = QThread::create([this] { m_result = std::make_unique<AtlasLoad>(Atlas::load(m_path)); });
    // finished() comes from the thread; the connection brings it to this object's thread.
    connect(m_thread, &QThread::finished, this, &AtlasSource::takeResult);
    m_thread->start(QThread::LowPriority);
}

const Atlas *AtlasSource::waitForAtlas()
{
    startLoading();
    m_thread->wait();
    takeResult();
    return atlas();
}

void AtlasSource::takeResult()
{
    if (m_done)
        return;
    m_done = true;
    if (*m_result)
        m_atlas = std::move(**m_result);
    else
        m_error = m_result->error();
    m_result.reset();
    emit loaded();
}

QByteArray ResidenceZoneId(AtlasSource &source, const PlaceChoice &residence)
{
    if (residence.geonameId == 0)
        return {};
    const Atlas *atlas = source.waitForAtlas();
    const std::optional<PlaceId> id = atlas ? atlas->findGeonameId(residence.geonameId) : std::nullopt;
    return id ? atlas->place(*id).timeZoneId : QByteArray();
}

} // namespace ferolune
