// The planner dialog as a user drives it: the list the worker computes, its span and
// filters, and the print that falls back to a PDF without a printer.

#include "gui/calendar_window/calendar_worker.h"
#include "gui/main_window/plan_dialog.h"
#include "gui/widgets/object_names.h"
#include "io/page/calendar_page.h"
#include "support/calendar_support.h"
#include "support/scripted_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPrinter>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace ferolune;

namespace {

const QDate Today(2026, 12, 20);

CalendarOrder orderWithCycle()
{
    BirthForm form = test::birthOf("1990", "3", "15", 8, "13", "-1");
    form.uncertainty = QStringLiteral("6");
    const Expected<CheckedRun, FieldProblem> run = ReadRunForm(form, QStringLiteral("2026"));
    const CycleHistory cycle{{QDate(2026, 9, 12), QDate(2026, 10, 10), QDate(2026, 11, 8)}, 25, 32};
    return CalendarOrderOf(*run, QStringLiteral("2026"), "Europe/Budapest", cycle);
}

} // namespace

class PlanDialogTest : public QObject {
    Q_OBJECT
private slots:
    // Every row as the plan of the span has it, in the calendar's colours; a longer span
    // is computed again, and the filters keep the rows they name.
    void listsThePlanAndFollowsItsSpanAndFilters()
    {
        CalendarWorker worker({QStringLiteral(FEROLUNE_EPHEMS_DIR)});
        test::ScriptedDialogs dialogs;
        const CalendarOrder order = orderWithCycle();
        PlanDialog dialog(worker, dialogs, order, Today);
        QSignalSpy computed(&dialog, &PlanDialog::computed);
        QVERIFY(computed.wait(120000));
        auto *table = dialog.findChild<QTableWidget *>(QLatin1StringView(object_names::PlanTable));
        for (const int months : {12, 15}) {
            const auto plan = RunPlan({order.request, Today, months}, test::calendarEphemeris());
            QVERIFY(plan && !plan->rows.empty());
            QCOMPARE(table->rowCount(), int(plan->rows.size()));
            for (int k = 0; k < table->rowCount(); ++k) {
                const PlanRow &row = plan->rows[size_t(k)];
                QCOMPARE(table->item(k, 1)->text(), row.phaseDay.toString(QStringLiteral("yyyy.MM.dd")));
                QCOMPARE(table->item(k, 1)->background().color(), DayClassColour(row.sex));
                QCOMPARE(table->item(k, 0)->background().color(), DayClassColour(DayClass::Fertile));
                QCOMPARE(table->item(k, 4)->text().startsWith(QString::number(*row.cycleOverlap)), true);
                QCOMPARE(table->item(k, 3)->text().contains(row.exact->moment.toString(QStringLiteral("HH:mm"))), true);
            }
            dialog.findChild<QSpinBox *>(QLatin1StringView(object_names::PlanMonthsBox))->setValue(15);
            if (months == 12)
                QVERIFY(computed.wait(120000));
        }
        dialog.findChild<QComboBox *>(QLatin1StringView(object_names::PlanSexFilter))->setCurrentIndex(2);
        dialog.findChild<QCheckBox *>(QLatin1StringView(object_names::PlanCycleOnlyBox))->setChecked(true);
        const std::vector<PlanRow> kept = dialog.document().rows();
        QVERIFY(!kept.empty() && kept.size() < dialog.document().plan.rows.size());
        QCOMPARE(table->rowCount(), int(kept.size()));
        for (int k = 0; k < table->rowCount(); ++k)
            QCOMPARE(table->item(k, 2)->text(), QStringLiteral("lány"));
    }

    void printWithoutAPrinterOffersAPdf()
    {
        CalendarWorker worker({QStringLiteral(FEROLUNE_EPHEMS_DIR)});
        test::ScriptedDialogs dialogs;
        QTemporaryDir folder;
        dialogs.answer = true;
        dialogs.savePath = folder.filePath(QStringLiteral("lista"));
        PlanDialog dialog(worker, dialogs, orderWithCycle(), Today);
        dialog.setPrinterSource([] { return nullptr; });
        QSignalSpy computed(&dialog, &PlanDialog::computed);
        QVERIFY(computed.wait(120000));
        QTest::mouseClick(dialog.findChild<QWidget *>(QLatin1StringView(object_names::PlanPrintButton)),
                          Qt::LeftButton);
        QCOMPARE(dialogs.questions.size(), 1);
        QFile pdf(dialogs.savePath + QStringLiteral(".pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
    }
};

QTEST_MAIN(PlanDialogTest)
#include "plan_dialog_test.moc"
