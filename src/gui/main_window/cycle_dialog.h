#pragma once

// "CIKLUS": the recorded starts of bleeding and her usual shortest and longest cycle, with
// the line that says what basis the calendar will lay the cycle on. A start after today or
// one recorded twice is refused with a message naming it; a cycle too short or too long to
// count is listed, not refused. Cancel changes nothing.

#include "core/calendar/menstrual_cycle.h"

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace ferolune {

class Dialogs;

class CycleDialog : public QDialog {
    Q_OBJECT
public:
    CycleDialog(const CycleHistory &history, const QDate &today, Dialogs &dialogs, QWidget *parent = nullptr);

    // A start before `birth` is refused too (none is before it is set).
    void setBirthDate(const QDate &birth);

    // The history as the dialog holds it now.
    CycleHistory history() const;

    // Adds the start typed into the date field (ÉÉÉÉ.HH.NN); false, with a message, when
    // it is no date, lies after today or is already recorded.
    bool addTypedStart();
    // Removes the start selected in the list.
    void removeSelectedStart();
    // Closes with the history when its usual lengths can be kept, else says why.
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showHistory();

    Dialogs &m_dialogs;
    QDate m_today;
    QDate m_birth;
    std::vector<QDate> m_starts; // oldest first
    QListWidget *m_startList = nullptr;
    QLineEdit *m_startField = nullptr;
    QCalendarWidget *m_startCalendar = nullptr;
    QSpinBox *m_shortestBox = nullptr;
    QSpinBox *m_longestBox = nullptr;
    QLabel *m_basisLine = nullptr;
    QLabel *m_uncountedLines = nullptr;
};

// A start typed as ÉÉÉÉ.HH.NN (a closing dot allowed); invalid when it is no date.
QDate TypedCycleDate(const QString &text);

} // namespace ferolune
