#pragma once

// The real main window with a fixed clock and dialogs that record instead of showing.

#include "app/clock.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "chart/chart_state.h"
#include "chart/ephemeris.h"

#include <QApplication>
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

class FakeDialogs final : public Dialogs {
public:
    struct Message {
        QString text;
        Icon icon;
    };
    std::vector<Message> messages;

    void message(QWidget *, const QString &text, Icon icon) override { messages.push_back({text, icon}); }
    bool ask(QWidget *, const QString &) override { return false; }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
};

inline QDateTime at(int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

struct MainWindowHarness {
    explicit MainWindowHarness(const QDateTime &now = at(2026, 12, 8, 15, 5),
                               const QStringList &ephemerisDirectories = {QStringLiteral(FEROLUNE_EPHEMS_DIR)})
        : clock(now)
        , ephemeris(ephemerisDirectories)
        , window(state, ephemeris, dialogs, clock)
    {
    }

    // Start-up, then the window shown and active, the focus in its first field.
    bool start()
    {
        window.Form_Load();
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }

    template <class Control = QLineEdit>
    Control *control(const QString &name) const
    {
        return window.findChild<Control *>(name);
    }

    QString focused() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

    // Types into the field as a user would after it has gained the focus (whole text selected).
    void retype(const QString &name, const QString &text)
    {
        window.focusField(name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    FakeDialogs dialogs;
    FixedClock clock;
    ChartState state;
    Ephemeris ephemeris;
    MainWindow window;
};

} // namespace ferolune::test
