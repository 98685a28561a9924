#pragma once

// The seams between the windows and the dialogs they open, so tests can read and answer
// them. The windows ask a Dialogs object; the program passes the real one.

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace ferolune {

// Every message box of the program carries this title.
inline const QString ProgramTitle = QStringLiteral("ferolune");

// The two questions of a calendar saved for a phone: whether it is discreet, and how many
// hours before each event it reminds.
struct PhoneCalendarChoice {
    bool discreet = false;
    std::optional<int> reminderHours; // none when no reminder is asked for
    bool operator==(const PhoneCalendarChoice &) const = default;
};

class Dialogs {
public:
    enum class Icon { None, Critical, Warning };

    virtual ~Dialogs() = default;

    // A message box with one OK button under the program's title.
    virtual void message(QWidget *parent, const QString &text, Icon icon) = 0;
    // A question with Yes and No under the program's title; true for Yes.
    virtual bool ask(QWidget *parent, const QString &text) = 0;
    // A question answered by one of `answers` (a button each) or "Mégse": the index of
    // the answer, or -1 for "Mégse".
    virtual int choose(QWidget *parent, const QString &text, const QStringList &answers) = 0;
    // A file to open; empty when the user cancels.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &directory,
                                 const QString &filter) = 0;
    // A file to save to; empty when the user cancels.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                                 const QString &filter) = 0;
    // How a calendar for a phone is written, a reminder 0..maxReminderHours hours ahead;
    // nullopt when the user cancels.
    virtual std::optional<PhoneCalendarChoice> choosePhoneCalendar(QWidget *parent, int maxReminderHours) = 0;

    // The file dialogs of the windows: they start in startFolder(), and the folder of the
    // file chosen becomes the start of the next one. Empty when the user cancels.
    QString chooseFileToOpen(QWidget *parent, const QString &title, const QString &filter);
    QString chooseFileToSave(QWidget *parent, const QString &title, const QString &fileName, const QString &filter);
    // The folder of the file last chosen in this run; before that FirstStartFolder().
    QString startFolder() const;

private:
    QString rememberFolderOf(const QString &chosenPath);

    QString m_lastFolder;
};

// Where the first file dialog of a run starts: "radix" beside the program, where chart
// files are kept, when it exists; else the user's documents folder (the home folder
// where there is none).
QString FirstStartFolder(const QString &programDirectory);

// The real dialogs: QMessageBox and QFileDialog.
class WidgetDialogs : public Dialogs {
public:
    void message(QWidget *parent, const QString &text, Icon icon) override;
    bool ask(QWidget *parent, const QString &text) override;
    int choose(QWidget *parent, const QString &text, const QStringList &answers) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &directory,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                         const QString &filter) override;
    std::optional<PhoneCalendarChoice> choosePhoneCalendar(QWidget *parent, int maxReminderHours) override;
};

} // namespace ferolune
