// Every window of both programs gives each Alt key one meaning: no two
// controls that can be on the screen together (the same notebook page, or
// outside the notebook, the tabs and the menu bar included) underline the
// same letter. Qt only moves the focus between controls that share one, so
// a shared key never presses the button nor turns the page.
#include "gravity_window.h"

#include "designer/about_box.h"
#include "dialogs/calculators/air_vacuum_calculator.h"
#include "dialogs/calculators/entrance_condition_dialog.h"
#include "dialogs/calculators/gated_pipe_calculator.h"
#include "dialogs/calculators/manifold_calculator.h"
#include "dialogs/calculators/stock_water_calculator.h"
#include "dialogs/editors/local_defaults_editor.h"
#include "dialogs/editors/minor_loss_editor.h"
#include "dialogs/editors/password_dialog.h"
#include "dialogs/editors/pipe_data_editor.h"
#include "dialogs/editors/pipe_filter_dialogs.h"
#include "dialogs/editors/pipe_type_editor.h"
#include "dialogs/editors/pipe_weight_calculator.h"
#include "dialogs/editors/system_defaults_editor.h"
#include "dialogs/editors/unit_cost_editor.h"
#include "dialogs/jobs/job_list_dialog.h"
#include "dialogs/jobs/remove_job_dialog.h"
#include "dialogs/jobs/save_job_dialog.h"
#include "dialogs/jobs/save_tool_job_dialog.h"
#include "dialogs/line_ends/gated_pipe_dialog.h"
#include "dialogs/line_ends/manifold_end_dialog.h"
#include "dialogs/line_ends/quick_manifold_entry_dialog.h"
#include "dialogs/profile/contraction_enlargement_dialog.h"
#include "dialogs/profile/depth_dialog.h"
#include "dialogs/profile/invert_dialog.h"
#include "dialogs/profile/minor_loss_dialog.h"
#include "dialogs/profile/node_data_dialog.h"
#include "dialogs/profile/outlet_pressure_dialog.h"
#include "dialogs/profile/pipe_selection_dialog.h"
#include "dialogs/profile/profile_entry_dialog.h"
#include "dialogs/profile/profile_text_import_dialog.h"
#include "dialogs/profile/reach_dialog.h"
#include "dialogs/profile/thrust_block_dialog.h"
#include "dialogs/system/centrifugal_pump_dialog.h"
#include "dialogs/system/full_flow_dialog.h"
#include "dialogs/system/inline_booster_dialog.h"
#include "dialogs/system/known_flow_dialog.h"
#include "dialogs/system/pressure_main_dialog.h"
#include "dialogs/system/pump_data_dialogs.h"
#include "dialogs/system/pump_selection_dialog.h"
#include "dialogs/system/suction_segment_dialog.h"
#include "model/program_kind.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

struct Mnemonic {
    int key;
    QString owner;   // what the user reads: the caption and the control's name
    QWidget* where;  // the widget whose notebook pages decide what shows with it
};

int keyOf(const QString& text)
{
    const QKeySequence k = QKeySequence::mnemonic(text);
    return k.isEmpty() ? 0 : k[0].key();
}

void add(std::vector<Mnemonic>& out, const QString& text, QWidget* where, const QString& what)
{
    if (const int key = keyOf(text))
        out.push_back({key, QStringLiteral("%1 \"%2\"").arg(what, text), where});
}

std::vector<Mnemonic> mnemonicsOf(QWidget* window)
{
    std::vector<Mnemonic> out;
    const auto all = window->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (w->window() != window) continue;   // a dialog or a popup of its own
        const QString name = w->objectName();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            add(out, b->text(), w, name);
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            add(out, g->title(), w, name);
        } else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) {
            add(out, l->text(), w, name);
        } else if (auto* t = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < t->count(); ++i) add(out, t->tabText(i), w, QStringLiteral("tab"));
        } else if (auto* m = qobject_cast<QMenuBar*>(w)) {
            for (QAction* a : m->actions()) add(out, a->text(), w, QStringLiteral("menu"));
        }
    }
    return out;
}

// The page of each stacked widget (a notebook's pages) the widget lies on.
std::map<QStackedWidget*, QWidget*> pagesOf(QWidget* w, QWidget* window)
{
    std::map<QStackedWidget*, QWidget*> pages;
    for (QWidget* child = w; child && child != window; child = child->parentWidget())
        if (auto* s = qobject_cast<QStackedWidget*>(child->parentWidget())) pages[s] = child;
    return pages;
}

bool shownTogether(QWidget* a, QWidget* b, QWidget* window)
{
    const auto pa = pagesOf(a, window), pb = pagesOf(b, window);
    for (const auto& [stack, page] : pa)
        if (auto it = pb.find(stack); it != pb.end() && it->second != page) return false;
    return true;
}

// One line for each pair of controls shown together that share a letter.
QStringList clashes(QWidget* window)
{
    QStringList out;
    const std::vector<Mnemonic> m = mnemonicsOf(window);
    for (size_t i = 0; i < m.size(); ++i)
        for (size_t j = i + 1; j < m.size(); ++j)
            if (m[i].key == m[j].key && shownTogether(m[i].where, m[j].where, window))
                out << QStringLiteral("%1: Alt+%2 is %3 and %4")
                           .arg(window->objectName(), QKeySequence(m[i].key).toString(),
                                std::min(m[i].owner, m[j].owner), std::max(m[i].owner, m[j].owner));
    return out;
}

using Maker = std::function<QWidget*()>;

template <class Form>
Maker make()
{
    return [] { return new Form(nullptr); };
}

class EveryForm : public testsupport::GravityWindowTest {};

TEST_F(EveryForm, GivesEachAltKeyOneMeaning)
{
    // The check itself: a shared letter on one page is caught, on two pages not.
    {
        QWidget w;
        w.setObjectName("Probe");
        auto* tabs = new QTabWidget(&w);
        auto* one = new QWidget;
        auto* two = new QWidget;
        tabs->addTab(one, "&Output");
        tabs->addTab(two, "&Select");
        new QPushButton("&Keep", one);
        new QPushButton("&Keep All", two);
        (new QPushButton("&Open", one))->setObjectName("OpenBtn");
        EXPECT_EQ(clashes(&w), QStringList{"Probe: Alt+O is OpenBtn \"&Open\" and tab \"&Output\""});
    }

    QStringList found = clashes(form);
    const std::vector<Maker> forms = {
        make<TAboutBox>(), make<TAirVacDlg>(), make<TSetWSDlg>(), make<TGatedToolDlg>(), make<TManifoldDlg>(),
        make<TStockCalcDlg>(), make<TDefLocDlg>(), make<TMinorLossForm>(), make<TPasswordDlg>(),
        make<TPipeDataForm>(), make<TFilterMaterialDlg>(), make<TFilterDiameterDlg>(), make<TPipeTypeForm>(),
        make<TCalcPipeWtDlg>(), make<TDefSysDlg>(), make<TUnitCostInFrm>(), make<TJobListForm>(),
        make<TRemoveJobsDlg>(), make<TSaveForm>(), make<TSaveTJob>(), make<TGatedPipeDlg>(), make<TManifoldEndDlg>(),
        make<TOptinalManifEntryDlg>(), make<TContEnlargDlg>(), make<TDepthInDlg>(), make<TInvertIndlg>(),
        make<TGetKMDlg>(), make<TBasicNodeDlg>(), make<TSetPressure>(), make<TGetPipeDlg>(), make<TProfEntryDlg>(),
        make<TProfFromTxtDlg>(), make<TProfInDlg>(), make<TThrustBlkDlg>(), make<TPumpCentrifDlg>(),
        make<TFullFlowDlg>(), make<TPumpLineBoosterDlg>(), make<TKnownFlowDlg>(), make<TPressureFrmMainDlg>(),
        make<TPumpTurbineDlg>(), make<TPumpPropellerDlg>(), make<TPumpBoosterDlg>(), make<TPumpAutoPresDlg>(),
        make<TPumpSelDlg>(), make<TSuctionDlg>(),
        // The other designer's window, made while this one runs.
        [] { return new TMersolForm(); },
    };
    for (const Maker& m : forms) {
        std::unique_ptr<QWidget> w(m());
        found << clashes(w.get());
    }
    SetRunningProgram(Program::Dunstrow);
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
}

} // namespace
