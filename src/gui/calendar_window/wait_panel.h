#pragma once

// The wait panel, which covers the calendar window while a run or a detail works: the
// request to wait, how far the work has come, and the maker's addresses.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace ferolune {

struct RunProgress;

class WaitPanel : public QWidget {
    Q_OBJECT
public:
    explicit WaitPanel(QWidget *parent);

    // Shown over everything, with the count of the last run cleared; or hidden.
    void cover(bool visible);
    // How far the running scan or detail has come.
    void setProgress(const RunProgress &progress);

private:
    QProgressBar *m_progress = nullptr;
    QLabel *m_progressText = nullptr; // what the bar counts, under it
};

} // namespace ferolune
