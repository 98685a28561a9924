#pragma once

#include "gui/widgets/dialogs.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace ferolune::test {

// Dialogs that answer from a script and remember what they were asked.
class ScriptedDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        Icon icon;
    };

    std::vector<Message> messages;
    QStringList questions;
    QStringList saveTitles;
    QStringList saveProposals; // "proposed path | filter" of every save dialog
    QStringList openTitles; // each open dialog's title and filter, "title | filter"
    QStringList openFolders; // the folder each open dialog starts in
    bool answer = false;    // the answer to every question
    QString savePath;       // the file chosen in every save dialog; empty cancels
    QString chosenFile;     // the file chosen in every open dialog; empty cancels
    std::vector<int> choices; // the answers to the questions with answers of their own
    std::function<void()> whileAsked; // looks at the windows while a question is open
    // The answer to the phone-calendar question; nullopt cancels. Asked: how often.
    std::optional<PhoneCalendarChoice> phoneCalendar = PhoneCalendarChoice{};
    int phoneCalendarAsked = 0;

    void message(QWidget *, const QString &text, Icon icon) override { messages.push_back({text, icon}); }
    bool ask(QWidget *, const QString &text) override
    {
        questions << text;
        if (whileAsked)
            whileAsked();
        return answer;
    }
    // A question with answers of its own: asked and answered from `choices` in turn, -1
    // (cancel) once they run out; recorded as "text | answer | answer".
    int choose(QWidget *, const QString &text, const QStringList &answers) override
    {
        questions << (QStringList{text} + answers).join(QStringLiteral(" | "));
        if (choices.empty())
            return -1;
        const int choice = choices.front();
        choices.erase(choices.begin());
        return choice;
    }
    QString openFileName(QWidget *, const QString &title, const QString &folder, const QString &filter) override
    {
        openTitles << title + QStringLiteral(" | ") + filter;
        openFolders << folder;
        return chosenFile;
    }
    QString saveFileName(QWidget *, const QString &title, const QString &proposedPath, const QString &filter) override
    {
        saveTitles << title;
        saveProposals << proposedPath + QStringLiteral(" | ") + filter;
        return savePath;
    }

    std::optional<PhoneCalendarChoice> choosePhoneCalendar(QWidget *, int) override
    {
        ++phoneCalendarAsked;
        return phoneCalendar;
    }

    // Every message text, joined by " | ".
    QString texts() const
    {
        QStringList all;
        for (const Message &message : messages)
            all << message.text;
        return all.join(QStringLiteral(" | "));
    }
};

} // namespace ferolune::test
