#include "widgets/dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

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

QString WidgetDialogs::openFileName(QWidget *parent, const QString &title, const QString &directory,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, directory, filter);
}

QString WidgetDialogs::saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                                    const QString &filter)
{
    QString chosenFilter;
    QString path = QFileDialog::getSaveFileName(parent, title, proposedPath, filter, &chosenFilter);
    // A name typed without a suffix takes the one of the file type chosen in the dialog.
    static const QRegularExpression firstSuffix(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch suffix = firstSuffix.match(chosenFilter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty() && suffix.hasMatch())
        path += QLatin1Char('.') + suffix.captured(1);
    return path;
}

} // namespace ferolune
