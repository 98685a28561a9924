#include "gui/widgets/dialogs.h"
#include "gui/widgets/object_names.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStandardPaths>
#include <QVBoxLayout>

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
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A message box sizes itself to its text alone, so a short message ("Helytelen óra!")
// leaves no room for the title beside the title bar's buttons. A spacer across the
// box's grid keeps it wide enough for the title and those buttons.
void makeRoomForTitle(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    const QFontMetrics metrics(box.font());
    const int width = metrics.horizontalAdvance(box.windowTitle()) + 12 * metrics.height();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// The nearest directory of a path that exists. The file dialog takes a missing
// directory for a file name and writes it into its name box.
QString existingDirectory(const QString &path)
{
    QDir directory(QFileInfo(path).absoluteFilePath());
    while (!directory.exists() && !directory.isRoot())
        directory.setPath(QFileInfo(directory.path()).absolutePath());
    return directory.path();
}

} // namespace

QString FirstStartFolder(const QString &programDirectory)
{
    const QString radix = QDir(programDirectory).filePath(QStringLiteral("radix"));
    if (QFileInfo(radix).isDir())
        return radix;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString Dialogs::startFolder() const
{
    return m_lastFolder.isEmpty() ? FirstStartFolder(QCoreApplication::applicationDirPath()) : m_lastFolder;
}

QString Dialogs::rememberFolderOf(const QString &chosenPath)
{
    if (!chosenPath.isEmpty())
        m_lastFolder = QFileInfo(chosenPath).absolutePath();
    return chosenPath;
}

QString Dialogs::chooseFileToOpen(QWidget *parent, const QString &title, const QString &filter)
{
    return rememberFolderOf(openFileName(parent, title, startFolder(), filter));
}

QString Dialogs::chooseFileToSave(QWidget *parent, const QString &title, const QString &fileName,
                                  const QString &filter)
{
    return rememberFolderOf(saveFileName(parent, title, QDir(startFolder()).filePath(fileName), filter));
}

void WidgetDialogs::message(QWidget *parent, const QString &text, Icon icon)
{
    QMessageBox box(boxIcon(icon), ProgramTitle, text, QMessageBox::Ok, parent);
    makeRoomForTitle(box);
    box.exec();
}

bool WidgetDialogs::ask(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, ProgramTitle, text, QMessageBox::Yes | QMessageBox::No, parent);
    makeRoomForTitle(box);
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
    return QFileDialog::getOpenFileName(parent, title, existingDirectory(directory), filter);
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

std::optional<PhoneCalendarChoice> WidgetDialogs::choosePhoneCalendar(QWidget *parent, int maxReminderHours)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("iCalendar naptár mentése"));
    auto *discreet = new QCheckBox(QStringLiteral("diszkrét: a bejegyzések csak „●” (holdfázis nap), „○” (termékeny "
                                                  "nap),\n„◇” (a ciklus termékeny időszaka) és „◆” (várható vérzés), "
                                                  "név, születési adat és leírás nélkül"));
    discreet->setObjectName(QLatin1StringView(object_names::DiscreetBox));
    auto *remind = new QCheckBox(QStringLiteral("emlékeztető minden bejegyzés előtt"));
    remind->setObjectName(QLatin1StringView(object_names::ReminderBox));
    auto *hours = new QSpinBox;
    hours->setObjectName(QLatin1StringView(object_names::ReminderHours));
    hours->setRange(0, maxReminderHours);
    hours->setValue(24);
    hours->setSuffix(QStringLiteral(" órával"));
    hours->setEnabled(false);
    QObject::connect(remind, &QCheckBox::toggled, hours, &QWidget::setEnabled);
    auto *reminderRow = new QHBoxLayout;
    reminderRow->addWidget(remind);
    reminderRow->addWidget(hours);
    reminderRow->addStretch();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Mentés"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Mégse"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("A telefon naptára gyakran közös és szinkronizált.")));
    layout->addWidget(discreet);
    layout->addLayout(reminderRow);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PhoneCalendarChoice choice{discreet->isChecked(), std::nullopt};
    if (remind->isChecked())
        choice.reminderHours = hours->value();
    return choice;
}

} // namespace ferolune
