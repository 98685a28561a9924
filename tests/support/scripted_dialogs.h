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
    bool answer = false;    // the answer to every question
    QString savePath;       // the file chosen in every save dialog; empty cancels

    void message(QWidget *, const QString &text, Icon icon) override { messages.push_back({text, icon}); }
    bool ask(QWidget *, const QString &text) override
    {
        questions << text;
        return answer;
    }
    int choose(QWidget *, const QString &text, const QStringList &) override
    {
        questions << text;
        return -1;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &title, const QString &, const QString &) override
    {
        saveTitles << title;
        return savePath;
    }
};

} // namespace ferolune::test
