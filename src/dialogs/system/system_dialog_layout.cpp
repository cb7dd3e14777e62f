#include "dialogs/system/system_dialog_layout.h"

#include "engine/run_steps.h"
#include "model/data_module.h"
#include "platform/ui/form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

SystemDialogLayout::SystemDialogLayout(ui::Form* form) : form_(form), grid_(new QGridLayout(form))
{
    buttons_ = new QHBoxLayout;
    buttons_->addStretch(1);
    // The buttons stand below whatever rows follow.
    grid_->addLayout(buttons_, 1000, 0, 1, 3);
}

QLineEdit* SystemDialogLayout::Bound(const char* name, const char* caption, const char* field,
                                     ui::NumericFormat format, const char* unit, db::DataSource* source)
{
    auto* edit = ui::Make<QLineEdit>(form_, name);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lastCaption_ = new QLabel(QString::fromLatin1(caption), form_);
    grid_->addWidget(lastCaption_, row_, 0);
    grid_->addWidget(edit, row_, 1);
    if (unit) grid_->addWidget(new QLabel(QString::fromLatin1(unit), form_), row_, 2);
    ++row_;
    new ui::DBNumericEdit(edit, source ? source : DMod->WorkPipeData, QString::fromLatin1(field), format);
    return edit;
}

QLineEdit* SystemDialogLayout::Cfs(const char* name)
{
    auto* edit = ui::Make<QLineEdit>(form_, name);
    ui::SetNumericPicture(edit, ui::NumericFormat::Picture(QStringLiteral("#######.##"), 0));
    grid_->addWidget(edit, row_, 1);
    grid_->addWidget(new QLabel(QStringLiteral("cfs"), form_), row_, 2);
    ++row_;
    return edit;
}

QPlainTextEdit* SystemDialogLayout::Notes(const char* caption, const char* name)
{
    grid_->addWidget(new QLabel(QString::fromLatin1(caption), form_), row_++, 0, 1, 3);
    auto* memo = ui::Make<QPlainTextEdit>(form_, name);
    memo->setFixedHeight(60);
    grid_->addWidget(memo, row_++, 0, 1, 3);
    new ui::DBMemo(memo, DMod->WorkPipeData, QStringLiteral("EntranceNotes"));
    return memo;
}

void SystemDialogLayout::Span(QWidget* w) { grid_->addWidget(w, row_++, 0, 1, 3); }

QPushButton* SystemDialogLayout::Button(const char* name, const QString& caption)
{
    auto* b = ui::Make<QPushButton>(form_, name, caption);
    buttons_->addWidget(b);
    return b;
}

bool TableEditing(db::Table* t)
{
    return t->State() == db::DataSetState::Edit || t->State() == db::DataSetState::Insert;
}

void EditHeaderRow()
{
    OpenIfClosed(DMod->WorkPipeTable);
    EditIfBrowsing(DMod->WorkPipeTable);
}

void PostHeaderRow()
{
    if (TableEditing(DMod->WorkPipeTable)) DMod->WorkPipeTable->Post();
}
