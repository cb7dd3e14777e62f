// The system panel's focus colour and the dialogs of a node kind, which in
// Mersol include the in-line booster pump.
#include "mainwindow/mersol_window.h"

#include "dialogs/profile/node_data_dialog.h"
#include "dialogs/dialog_helpers.h"
#include "dialogs/profile/pipe_selection_dialog.h"
#include "dialogs/profile/reach_dialog.h"
#include "dialogs/line_ends/gated_pipe_dialog.h"
#include "dialogs/line_ends/manifold_end_dialog.h"
#include "dialogs/system/inline_booster_dialog.h"
#include "engine/hydraulics.h"
#include "engine/run_steps.h"
#include "model/data_module.h"
#include "model/node_rules.h"
#include "model/job.h"
#include "platform/chart/chartwidget.h"
#include "platform/ui/radiogroup.h"
#include "platform/ui/seam/msg.h"
#include "platform/ui/statusbar.h"

#include <QApplication>
#include <QPushButton>

#include <limits>


void TMersolForm::connectNodeCommands()
{
    // The panel's enter runs when the focus comes into it from outside.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now && Panel5->isAncestorOf(now) && !(old && Panel5->isAncestorOf(old))) Run([this] { Panel5Enter(); });
    });
    NodeKindDialogOpener = [this](const QString& kind) { OpenNodeKindDialog(this, kind); };
}

void TMersolForm::Panel5Enter()
{
    QPalette p = SysTypeRadioGroup->palette();
    const QColor purple(0x80, 0x00, 0x80);
    p.setColor(QPalette::WindowText, purple);
    p.setColor(QPalette::ButtonText, purple);
    SysTypeRadioGroup->setPalette(p);
}


void TMersolForm::OpenNodeKindDialog(QWidget* owner, const QString& kind)
{
    OpenNodeKindDialogs(owner, kind, true);
}

