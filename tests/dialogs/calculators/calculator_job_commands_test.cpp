// The row of job commands each calculator shows: its buttons in their order,
// their captions and hints, and the window's caption, as every calculator
// has always shown them.
#include "dialogs/calculators/air_vacuum_calculator.h"
#include "dialogs/calculators/gated_pipe_calculator.h"
#include "dialogs/calculators/manifold_calculator.h"
#include "dialogs/calculators/stock_water_calculator.h"
#include "support/jobstore.h"
#include "support/qt_app.h"

#include <QLayout>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Row {
    QString caption;
    QStringList buttons;   // caption, then hint, of each button in order
};

Row RowOf(ui::Form& calculator)
{
    Row row{calculator.windowTitle(), {}};
    QLayout* top = calculator.layout()->itemAt(0)->layout();
    for (int i = 0; i < top->count(); ++i)
        if (auto* b = qobject_cast<QPushButton*>(top->itemAt(i)->widget()))
            row.buttons << b->text() + QLatin1Char('|') + b->toolTip();
    return row;
}

TEST(CalculatorJobCommandsTest, EachCalculatorKeepsItsCaptionsOrderAndHints)
{
    testsupport::QtApp();
    testsupport::JobStore store;
    const QString neu = QStringLiteral("&New Job|Start a new pipeline job");
    const QString prev = QStringLiteral("&Previous Job|Get a previous job");
    const QString save = QStringLiteral("&Save Job|Save this job");

    const std::unique_ptr<ui::Form> calculators[] = {
        std::make_unique<TManifoldDlg>(nullptr), std::make_unique<TStockCalcDlg>(nullptr),
        std::make_unique<TAirVacDlg>(nullptr), std::make_unique<TGatedToolDlg>(nullptr)};
    const Row expected[] = {
        {"Manafold Calculator", {"&Close|", "Cancel|", neu, prev, save, "&Help|"}},
        {"Stockwater Calculator", {"Close|", "Cancel|", neu, prev, save, "Help|"}},
        {"Air-Vac Calculator", {save, "Close|", "Help|", "Cancel|", neu, prev}},
        {"Gated Pipe Calculator", {"&New Job|", "&Previous Job|", "&Save Job|", "&Close|", "Cancel|", "&Help|"}},
    };
    for (int i = 0; i < 4; ++i) {
        const Row shown = RowOf(*calculators[i]);
        EXPECT_EQ(shown.caption, expected[i].caption);
        EXPECT_EQ(shown.buttons, expected[i].buttons) << expected[i].caption.toStdString();
    }
}

} // namespace
