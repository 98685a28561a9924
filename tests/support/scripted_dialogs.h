#pragma once

#include "widgets/dialogs.h"

#include <QString>
#include <QStringList>

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
    bool answer = false;    // the answer to every question
    QString savePath;       // the file chosen in every save dialog; empty cancels

    void message(QWidget *, const QString &text, Icon icon) override { messages.push_back({text, icon}); }
    bool ask(QWidget *, const QString &text) override
    {
        questions << text;
        return answer;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &title, const QString &proposedPath, const QString &filter) override
    {
        saveTitles << title;
        saveProposals << proposedPath + QStringLiteral(" | ") + filter;
        return savePath;
    }
};

} // namespace ferolune::test
