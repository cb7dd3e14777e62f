#include "designer/about_box.h"

#include "platform/ui/application.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A small picture: a pipe reach between two nodes.
QPixmap aboutPicture()
{
    QPixmap pm(48, 48);
    pm.fill(QColor(200, 225, 245));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 30, 48, 18, QColor(110, 160, 70));
    p.setPen(QPen(QColor(40, 60, 140), 4));
    p.drawLine(6, 30, 42, 24);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QPoint(6, 30), 4, 4);
    p.drawEllipse(QPoint(42, 24), 4, 4);
    return pm;
}
} // namespace

TAboutBox::TAboutBox(QWidget* owner) : ui::Form(owner)
{
    setObjectName(QStringLiteral("AboutBox"));
    SetCaption(QStringLiteral("About Mersol"));
    SetPosition(ui::Position::ScreenCenter);

    auto* v = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* pv = new QVBoxLayout(panel);
    auto* top = new QHBoxLayout;
    ProgramIcon = ui::Make<QLabel>(panel, "ProgramIcon");
    ProgramIcon->setPixmap(aboutPicture());
    top->addWidget(ProgramIcon);
    ProductName = ui::Make<QLabel>(panel, "ProductName", QStringLiteral("Mersol Serial Pipeline Design"));
    ProductName->setFont(ui::ArialFont(12, true));
    top->addWidget(ProductName, 1);
    pv->addLayout(top);
    Comments = ui::Make<QLabel>(panel, "Comments", QStringLiteral("Agricultural pipeline design program"));
    Version = ui::Make<QLabel>(panel, "Version", QStringLiteral("Version 1.2, December 1, 2005"));
    Credits = ui::Make<QLabel>(panel, "Credits",
                               QStringLiteral("Hydraulic methods and program design by the agency's\n"
                                              "irrigation engineering staff, with the help of the\n"
                                              "field engineers who tested it on their jobs."));
    FaultReports = ui::Make<QLabel>(panel, "FaultReports",
                                    QStringLiteral("Please send the detailed job report file (\"*.QRP\")\n"
                                                   "with every fault report."));
    for (QLabel* l : {Comments, Version, Credits, FaultReports}) {
        l->setTextFormat(Qt::PlainText);
        pv->addWidget(l);
    }
    v->addWidget(panel);
    BitBtn1 = ui::Make<QPushButton>(this, "BitBtn1", QStringLiteral("OK"));
    v->addWidget(BitBtn1, 0, Qt::AlignHCenter);
    OnClick(BitBtn1, [this] { BitBtn1Click(); }, ui::mrOk);
    SetDefaultButton(BitBtn1);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::BitBtn1Click() { Close(); }
