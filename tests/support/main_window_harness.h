#pragma once

// The real main window with a fixed clock and dialogs that record instead of showing,
// driven by short step scripts as a user drives it.

#include "core/places/atlas_source.h"
#include "gui/calendar_window/calendar_worker.h"
#include "gui/main_window/clock.h"
#include "gui/main_window/main_window.h"
#include "support/scripted_dialogs.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QKeySequence>
#include <QLineEdit>
#include <QTest>

#include <vector>

namespace ferolune::test {

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime moment) : m_moment(std::move(moment)) {}
    QDateTime now() const override { return m_moment; }

private:
    QDateTime m_moment;
};

inline QDateTime at(int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

struct MainWindowHarness {
    explicit MainWindowHarness(const QDateTime &now = at(2026, 12, 8, 15, 5),
                               const QStringList &ephemerisDirectories = {QStringLiteral(FEROLUNE_EPHEMS_DIR)},
                               AtlasSource *sharedAtlas = nullptr)
        : clock(now), worker(ephemerisDirectories), ownAtlas(AtlasSource::programAtlasPath()),
          atlas(sharedAtlas ? *sharedAtlas : ownAtlas), window(worker, dialogs, clock, atlas)
    {
    }

    // Start-up, then the window shown and active, the focus in its first field.
    bool start()
    {
        window.startUp();
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    template <class Control = QLineEdit>
    Control *control(const QString &name) const
    {
        return window.findChild<Control *>(name);
    }

    QString focused() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    // Steps separated by ";": "in txtDay" (the focus put into a field), "type 12a", a key
    // ("Tab", "Ctrl+V", "Shift+Down" ...), "click Check1", "right click Check1",
    // "release off Check1" (pressed inside, released outside), and the program's own
    // settings "set txtTZ=5", "set Check1=2", "set west", "set south".
    void perform(const QString &steps)
    {
        for (const QString &raw : steps.split(QLatin1Char(';'))) {
            const QString step = raw.trimmed();
            const QString rest = step.section(QLatin1Char(' '), 1);
            if (step.startsWith(QLatin1StringView("in ")))
                focus(rest);
            else if (step.startsWith(QLatin1StringView("type")))
                QTest::keyClicks(QApplication::focusWidget(), rest);
            else if (step.startsWith(QLatin1StringView("set ")))
                set(rest);
            else if (step.startsWith(QLatin1StringView("pick ")))
                pick(rest);
            else if (step.startsWith(QLatin1StringView("click ")))
                QTest::mouseClick(control<QWidget>(rest), Qt::LeftButton);
            else if (step.startsWith(QLatin1StringView("right click ")))
                QTest::mouseClick(control<QWidget>(step.section(QLatin1Char(' '), 2)), Qt::RightButton);
            else if (step.startsWith(QLatin1StringView("release off ")))
                releaseOff(control<QWidget>(step.section(QLatin1Char(' '), 2)));
            else
                press(QKeySequence::fromString(step)[0]);
        }
    }

    // The focus put into a control by its object name, its text selected as the window
    // selects it.
    void focus(const QString &name)
    {
        QWidget *target = control<QWidget>(name);
        target->setFocus(Qt::OtherFocusReason);
        if (auto *field = qobject_cast<QLineEdit *>(target))
            field->selectAll();
    }

    void press(QKeyCombination key)
    {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }

    void set(const QString &item)
    {
        BirthForm form = window.birthForm();
        const QString value = item.section(QLatin1Char('='), 1);
        if (item == QLatin1StringView("west"))
            form.east = false;
        else if (item == QLatin1StringView("south"))
            form.south = true;
        else if (item.startsWith(QLatin1StringView("txtTZ=")))
            form.zoneText = value;
        else if (item.startsWith(QLatin1StringView("Check1=")))
            form.summerTime = value.toInt();
        window.setBirthForm(form);
    }

    // "pick Kolozsvár": the first offer of the focused place field that starts with the
    // text, chosen in its list with Return.
    static void pick(const QString &offer)
    {
        const auto *completer = QApplication::focusWidget()->findChild<QCompleter *>();
        QAbstractItemView *list = completer->popup();
        const QAbstractItemModel *offers = list->model();
        for (int row = 0; row < offers->rowCount(); ++row)
            if (offers->index(row, 0).data().toString().startsWith(offer)) {
                list->setCurrentIndex(offers->index(row, 0));
                QTest::keyClick(list, Qt::Key_Return);
                return;
            }
    }

    static void releaseOff(QWidget *control)
    {
        QTest::mousePress(control, Qt::LeftButton, {}, control->rect().center());
        QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(-30, -30));
    }

    // "zone -2, box 1, hour 3 DU": what the hour and zone couplings act on.
    QString coupling() const
    {
        const BirthForm form = window.birthForm();
        return QStringLiteral("zone %1, box %2, hour %3 %4")
            .arg(form.zoneText)
            .arg(form.summerTime)
            .arg(form.hour12, form.beforeNoon ? QStringLiteral("DE") : QStringLiteral("DU"));
    }

    ScriptedDialogs dialogs;
    FixedClock clock;
    CalendarWorker worker;
    AtlasSource ownAtlas; // read only when the window needs it
    AtlasSource &atlas;
    MainWindow window;
};

} // namespace ferolune::test
