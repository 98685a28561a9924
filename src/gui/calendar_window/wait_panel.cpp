#include "gui/calendar_window/wait_panel.h"

#include "core/calendar/calendar_run.h"
#include "gui/widgets/object_names.h"
#include "gui/widgets/palette.h"
#include "io/page/page_layout.h"

#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace ferolune {

namespace {

const QString WebAddresses = QStringLiteral("www.ferolune.example.org  -  forum.ferolune.example.org");

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1StringView(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    return label;
}

// The substitute fonts run a little wider than the originals: a transparent label grows to
// the right rather than cut off its last characters.
void keepTextWhole(QLabel *label)
{
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
}

} // namespace

WaitPanel::WaitPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QLatin1StringView(object_names::WaitPanel));
    setGeometry(WaitPanelRect);
    setBackground(this, QColor(0, 64, 64));
    setColour(this, QPalette::WindowText, Qt::white);

    QLabel *message =
        addLabel(this, object_names::WaitMessage, QStringLiteral("KÉREM VÁRJON AMIG A NAPTÁR ELKÉSZÜL..."),
                 namedFont(QStringLiteral("Arial"), 15.75, true));
    message->setGeometry(twipsRect(1680, 2820, 7065, 360));
    keepTextWhole(message);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QLatin1StringView(object_names::WaitProgress));
    m_progress->setGeometry(twipsRect(1680, 3360, 7065, 300));
    m_progress->setRange(0, 365);
    m_progress->setValue(0);
    // The count stands under the bar, not on it, where half of it would lie on the fill.
    m_progress->setTextVisible(false);
    m_progressText =
        addLabel(this, object_names::WaitProgressText, QString(), namedFont(QStringLiteral("Arial"), 9.75, true));
    m_progressText->setGeometry(twipsRect(1680, 3720, 7065, 300));
    m_progressText->setAlignment(Qt::AlignCenter);

    QLabel *addresses = addLabel(this, object_names::WebAddresses, WebAddresses, parent->font());
    addresses->setGeometry(twipsRect(4320, 7740, 6030, 195));
    keepTextWhole(addresses);

    hide();
}

void WaitPanel::cover(bool visible)
{
    if (visible) {
        m_progress->setValue(0);
        m_progressText->clear();
        raise();
    }
    setVisible(visible);
}

void WaitPanel::setProgress(const RunProgress &progress)
{
    if (m_progress->maximum() != progress.total)
        m_progress->setRange(0, progress.total);
    m_progress->setValue(std::min(progress.done, progress.total));
    // The day or minute being computed: the one after those done.
    const int current = std::min(progress.done + 1, progress.total);
    const QString unit = progress.unit == RunProgress::Unit::Minute ? QStringLiteral("perc") : QStringLiteral("nap");
    m_progressText->setText(QStringLiteral("%1. %2 / %3").arg(current).arg(unit).arg(progress.total));
}

} // namespace ferolune
