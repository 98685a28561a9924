#include "gui/main_window/place_field.h"

#include "core/places/atlas_source.h"
#include "core/places/place_option.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>

namespace ferolune {

namespace {

constexpr int OffersShown = 12;
constexpr int PlaceIdRole = Qt::UserRole + 1;

} // namespace

PlaceField::PlaceField(QLineEdit *field, AtlasSource &atlas, QString label)
    : QObject(field)
    , m_field(field)
    , m_atlas(atlas)
    , m_label(std::move(label))
    , m_completer(new QCompleter(this))
    , m_offers(new QStandardItemModel(this))
{
    // The atlas has matched already (accent-blind); the completer only shows its offers.
    m_completer->setModel(m_offers);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(OffersShown);
    m_completer->setWidget(field);
    connect(m_completer, qOverload<const QModelIndex &>(&QCompleter::activated), this,
            [this](const QModelIndex &index) { choose(index.data(PlaceIdRole).toInt()); });
    connect(field, &QLineEdit::textEdited, this, &PlaceField::textEdited);
    connect(field, &QLineEdit::editingFinished, this, &PlaceField::settle);
    // Text typed before the atlas was read gets its offers once it is there.
    connect(&atlas, &AtlasSource::loaded, this, [this] {
        if (m_field->hasFocus() && m_choice.geonameId == 0)
            offerPlaces(m_field->text());
    });
}

void PlaceField::setChoice(const PlaceChoice &choice)
{
    m_choice = choice;
    if (m_field->text() != choice.text)
        m_field->setText(choice.text);
}

const Place *PlaceField::place() const
{
    const Atlas *atlas = m_atlas.atlas();
    if (!atlas || m_choice.geonameId == 0)
        return nullptr;
    const std::optional<PlaceId> id = atlas->findGeonameId(m_choice.geonameId);
    return id ? &atlas->place(*id) : nullptr;
}

void PlaceField::settle()
{
    if (m_choice.geonameId != 0 || m_field->text().trimmed().isEmpty())
        return;
    const Atlas *atlas = m_atlas.waitForAtlas();
    if (!atlas)
        return;
    const std::vector<PlaceId> matches = atlas->exactMatches(m_field->text());
    if (matches.size() == 1)
        choose(matches.front());
}

QString PlaceField::problem()
{
    if (m_field->text().trimmed().isEmpty())
        return {};
    const Atlas *atlas = m_atlas.waitForAtlas();
    if (!atlas)
        return QStringLiteral("A %1 mezőben álló hely nem ellenőrizhető. %2").arg(m_label, m_atlas.error());
    if (!place())
        m_choice.geonameId = 0; // a place the atlas no longer has is only text
    settle();
    return place() ? QString() : PlaceFieldMessage(*atlas, m_field->text(), m_label);
}

void PlaceField::textEdited(const QString &text)
{
    const bool wasLinked = m_choice.geonameId != 0;
    m_choice = {text, 0};
    offerPlaces(text);
    if (wasLinked)
        emit unlinked();
}

void PlaceField::offerPlaces(const QString &text)
{
    m_offers->clear();
    const Atlas *atlas = m_atlas.atlas();
    if (!atlas || text.trimmed().isEmpty()) {
        m_completer->popup()->hide();
        return;
    }
    for (const SearchHit &hit : atlas->search(text, OffersShown)) {
        auto *item = new QStandardItem(hit.displayText);
        item->setData(hit.id, PlaceIdRole);
        m_offers->appendRow(item);
    }
    QAbstractItemView *list = m_completer->popup();
    if (m_offers->rowCount() == 0) {
        list->hide();
        return;
    }
    // As wide as the longest offer, so that county and country show in full.
    QRect under = m_field->rect();
    const int needed = list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() + 2 * list->frameWidth();
    under.setWidth(std::max(under.width(), needed));
    m_completer->complete(under);
}

void PlaceField::choose(PlaceId id)
{
    const Atlas *atlas = m_atlas.atlas();
    if (!atlas || id < 0 || id >= atlas->size())
        return;
    m_choice = {atlas->displayText(id), atlas->place(id).geonameId};
    m_field->setText(m_choice.text);
    m_completer->popup()->hide();
    emit chosen();
}

} // namespace ferolune
