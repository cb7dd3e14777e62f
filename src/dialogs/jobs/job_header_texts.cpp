#include "dialogs/jobs/job_header_texts.h"

#include "model/data_module.h"
#include "platform/ui/dbcontrols.h"
#include "platform/ui/form.h"

#include <QGridLayout>
#include <QLabel>

QGridLayout* MakeJobHeaderTexts(QWidget* parent, std::initializer_list<JobHeaderText> rows)
{
    auto* grid = new QGridLayout;
    int row = 0;
    for (const JobHeaderText& r : rows) {
        grid->addWidget(new QLabel(r.caption, parent), row, 0);
        *r.text = ui::Make<QLabel>(parent, r.name);
        grid->addWidget(*r.text, row, 1);
        new ui::DBText(*r.text, DMod->JobPipeData, r.field);
        ++row;
    }
    return grid;
}
