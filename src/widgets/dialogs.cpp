#include "widgets/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace ferolune {

namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::Warning:
        return QMessageBox::Warning;
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void WidgetDialogs::message(QWidget *parent, const QString &text, Icon icon)
{
    QMessageBox box(boxIcon(icon), ProgramTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

bool WidgetDialogs::ask(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, ProgramTitle, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Igen"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nem"));
    return box.exec() == QMessageBox::Yes;
}

int WidgetDialogs::choose(QWidget *parent, const QString &text, const QStringList &answers)
{
    QMessageBox box(QMessageBox::Question, ProgramTitle, text, QMessageBox::NoButton, parent);
    std::vector<QAbstractButton *> buttons;
    for (const QString &answer : answers)
        buttons.push_back(box.addButton(answer, QMessageBox::AcceptRole));
    box.setEscapeButton(box.addButton(QStringLiteral("Mégse"), QMessageBox::RejectRole));
    if (!buttons.empty())
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons.front()));
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? -1 : int(chosen - buttons.begin());
}

QString WidgetDialogs::openFileName(QWidget *parent, const QString &title, const QString &directory,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, directory, filter);
}

QString WidgetDialogs::saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, proposedPath, filter);
}

} // namespace ferolune
