#include "platform/ui/dbcontrols.h"

#include "platform/ui/radiogroup.h"
#include "platform/db/memo_limit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QTextDocument>
#include <QToolTip>

#include <cmath>
#include <memory>

namespace ui {

// ---- DBControl --------------------------------------------------------------

DBControl::DBControl(QWidget* widget, db::DataSource* source, const QString& field)
    : QObject(widget), widget_(widget), source_(source), fieldName_(field)
{
    // The subclass shows the field once it is built.
    if (source_) source_->AddLink(this);
}

DBControl::~DBControl()
{
    if (source_) source_->RemoveLink(this);
}

DBControl* DBControl::Of(QWidget* widget)
{
    return widget ? widget->findChild<DBControl*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void DBControl::SetDataSource(db::DataSource* source)
{
    if (source_) source_->RemoveLink(this);
    source_ = source;
    if (source_) source_->AddLink(this);
    if (widget_) Reload();
}

db::Table* DBControl::Table() const
{
    return source_ ? source_->DataSet() : nullptr;
}

db::Field* DBControl::Field() const
{
    db::Table* t = Table();
    if (!t || !source_->Enabled || fieldName_.isEmpty() || !t->Active()) return nullptr;
    return t->FindField(fieldName_);
}

bool DBControl::CanModify() const
{
    db::Field* f = Field();
    if (!f || readOnly_ || f->ReadOnly() || f->Calculated()) return false;
    auto st = Table()->State();
    return source_->AutoEdit || st == db::DataSetState::Edit || st == db::DataSetState::Insert;
}

void DBControl::Reload()
{
    if (!widget_) return;
    if (db::Table* t = Table(); t && t->ControlsDisabled()) return;
    ++loading_;
    try {
        Load(Field());
    } catch (...) {
        --loading_;
        throw;
    }
    --loading_;
    modified_ = false;
}

void DBControl::RecordChanged()
{
    if (Loading()) return;
    // Text being typed survives a change of another field of the same row.
    if (modified_ && !storing_) {
        db::Table* t = Table();
        if (t && t->Active() && t->State() != db::DataSetState::Browse) return;
    }
    Reload();
}

void DBControl::StateChanged()
{
    // A cancelled edit shows the row as it was.
    db::Table* t = Table();
    if (modified_ && !storing_ && !Loading() && (!t || t->State() == db::DataSetState::Browse ||
                                                 t->State() == db::DataSetState::Inactive))
        Reload();
}

void DBControl::UserChanged()
{
    if (Loading()) return;
    if (!CanModify()) {
        Reload();
        return;
    }
    db::Table* t = Table();
    if (t->State() == db::DataSetState::Browse) {
        ++loading_;
        try {
            t->Edit();
        } catch (...) {
            --loading_;
            throw;
        }
        --loading_;
    }
    modified_ = true;
    emit Edited();
}

void DBControl::UpdateRecord()
{
    if (!modified_) return;
    db::Field* f = Field();
    if (!f) {
        modified_ = false;
        return;
    }
    storing_ = true;
    try {
        Store(f);
    } catch (...) {
        storing_ = false;
        throw;
    }
    storing_ = false;
    modified_ = false;
}

// ---- DBEdit -----------------------------------------------------------------

DBEdit::DBEdit(QLineEdit* edit, db::DataSource* source, const QString& field)
    : DBControl(edit, source, field), edit_(edit)
{
    connect(edit, &QLineEdit::textChanged, this, [this] { UserChanged(); });
    Reload();
}

void DBEdit::Load(db::Field* f)
{
    if (f && f->DataType() == db::FieldType::Alpha && f->Size() > 0) edit_->setMaxLength(f->Size());
    edit_->setText(f ? f->AsString() : QString());
}

void DBEdit::Store(db::Field* f)
{
    // A number picture's refused entry is not stored, nor silently undone.
    if (HoldsRefusedEntry(edit_)) throw InputError(RefusedEntryTip(edit_));
    f->SetAsString(edit_->text());
}

// ---- numbers ----------------------------------------------------------------

NumericFormat NumericFormat::Picture(const QString& mask, std::optional<double> low, std::optional<double> high)
{
    NumericFormat nf;
    int dot = mask.indexOf(u'.');
    auto digits = [](QStringView s) {
        int n = 0;
        for (QChar c : s)
            if (c == u'#' || c == u'9') ++n;
        return n;
    };
    nf.intDigits = digits(dot < 0 ? QStringView(mask) : QStringView(mask).left(dot));
    nf.decimals = dot < 0 ? 0 : digits(QStringView(mask).mid(dot + 1));
    nf.low = low;
    nf.high = high;
    return nf;
}

QString NumericFormat::Text(double v) const
{
    if (zeroShowsEmpty && v == 0.0) return {};
    return QString::number(v, 'f', decimals);
}

double NumericFormat::Parse(const QString& text) const
{
    QString t = text.trimmed();
    double v = 0.0;
    if (!t.isEmpty() && t != QLatin1String("-") && t != QLatin1String(".")) {
        bool ok = false;
        v = t.toDouble(&ok);
        if (!ok || !std::isfinite(v)) throw InputError(QStringLiteral("'%1' is not a valid number.").arg(t));
    }
    auto num = [this](double x) { return QString::number(x, 'f', decimals); };
    if (low && high && (v < *low || v > *high))
        throw InputError(QStringLiteral("Value must be between %1 and %2.").arg(num(*low), num(*high)));
    if (low && v < *low) throw InputError(QStringLiteral("Value must be at least %1.").arg(num(*low)));
    if (high && v > *high) throw InputError(QStringLiteral("Value must be at most %1.").arg(num(*high)));
    return v;
}

namespace {

// The largest number the digits of a picture can show.
double Widest(const NumericFormat& f)
{
    return std::pow(10.0, f.intDigits) - std::pow(10.0, -f.decimals);
}

} // namespace

double NumericFormat::Highest() const
{
    // A picture without a range takes what its digits can show.
    return high ? std::min(*high, Widest(*this)) : Widest(*this);
}

double NumericFormat::Lowest() const
{
    return low ? std::max(*low, -Widest(*this)) : -Widest(*this);
}

QString NumericFormat::Takes() const
{
    const double top = Highest();
    const double bottom = Lowest();
    auto num = [](double x) { return QString::number(x, 'g', 12); };
    QString text = decimals == 0 ? QStringLiteral("a whole number") : QStringLiteral("a number");
    text += QStringLiteral(" from %1 to %2").arg(num(bottom), num(top));
    if (decimals > 0)
        text += decimals == 1 ? QStringLiteral(", with at most 1 decimal")
                              : QStringLiteral(", with at most %1 decimals").arg(decimals);
    return text;
}

namespace {

// Refuses, visibly, the keystrokes and pastes a number field's picture
// cannot take.
class PictureGuard : public QObject {
public:
    PictureGuard(QLineEdit* edit, const NumericFormat& format) : QObject(edit), edit_(edit), format_(format)
    {
        edit->installEventFilter(this);
        // Text set by the program (not typed) is what a refused entry returns
        // to, and it ends a refusal.
        connect(edit, &QLineEdit::textEdited, this, [this] { typed_ = true; });
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (!typed_) {
                shown_ = text;
                if (refused_) ended();
            }
            typed_ = false;
        });
        shown_ = edit->text();
    }
    static PictureGuard* Of(const QWidget* edit)
    {
        if (edit)
            for (QObject* child : edit->children())
                if (auto* guard = dynamic_cast<PictureGuard*>(child)) return guard;
        return nullptr;
    }
    bool Refused() const { return refused_; }
    const NumericFormat& Format() const { return format_; }
    QString Tip() const
    {
        if (!refused_) return {};
        return refusal_ + QStringLiteral(" Correct the entry before typing on.");
    }
    // The tip shows below the field; focus changes and clicks hide it.
    void Remind()
    {
        if (refused_) showTip(Tip());
    }
    // The form kept the focus here and selected the entry again.
    void GivenBack()
    {
        reselected_ = refused_;
        Remind();
    }
    bool Drop()
    {
        if (!refused_) return false;
        ended();
        edit_->setText(shown_);
        return true;
    }
    bool Take()
    {
        if (!refused_ || !cutsDecimals_) return false;
        try {
            format_.Parse(edit_->text());
        } catch (const InputError&) {
            return false;
        }
        ended();
        return true;
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::FocusIn:
            if (!refused_) shown_ = edit_->text();
            return false;
        case QEvent::ContextMenu:
            return contextMenu(static_cast<QContextMenuEvent*>(e));
        case QEvent::MouseButtonRelease:
            // The selection pasted by the middle button, where the system has one.
            if (static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton &&
                QGuiApplication::clipboard()->supportsSelection() && !edit_->isReadOnly())
                return pasted(QGuiApplication::clipboard()->text(QClipboard::Selection));
            return false;
        case QEvent::KeyPress:
            break;
        default:
            return false;
        }
        // A field that shows a value and takes none refuses nothing.
        if (edit_->isReadOnly()) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->matches(QKeySequence::Paste)) return pasted(QGuiApplication::clipboard()->text());
        const QString key = k->text();
        const bool typing = !key.isEmpty() && key.at(0).isPrint() &&
                            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (!typing) {
            // Moving on keeps the refusal; correcting the text ends it.
            switch (k->key()) {
            case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Return: case Qt::Key_Enter:
            case Qt::Key_Escape: case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_Meta:
                break;
            default:
                if (refused_) ended();
            }
            return false;
        }
        startsAfresh();
        if (!refused_ && fits(key)) return false;
        refuse(key);
        return true;
    }

private:
    // Whether the text with `inserted` in place of the selection, or at the
    // caret, is one the picture takes.
    bool fits(const QString& inserted) const
    {
        int at = insertionPoint() + inserted.size();
        QString after = withInserted(inserted);
        const QValidator* v = edit_->validator();
        return !v || v->validate(after, at) != QValidator::Invalid;
    }
    // Where typing goes in: the start of the selection, or the caret.
    int insertionPoint() const
    {
        return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
    }
    QString withInserted(const QString& inserted) const
    {
        QString after = edit_->text();
        if (edit_->hasSelectedText()) after.remove(edit_->selectionStart(), edit_->selectedText().size());
        return after.insert(insertionPoint(), inserted);
    }
    // Whether `what`, refused, may leave a number other than the one meant
    // were typing to go on: a digit, point, comma or sign is part of how the
    // number is written, and anything refused within a number under way
    // splits it. A letter or blank ahead of any digit is simply not taken.
    bool spoilsNumber(const QString& what) const
    {
        static const QRegularExpression numberChar(QStringLiteral("[\\d.,+-]"));
        static const QRegularExpression digit(QStringLiteral("\\d"));
        return what.contains(numberChar) || edit_->text().left(insertionPoint()).contains(digit);
    }
    // A paste is taken whole or refused whole, as a keystroke is; the blanks
    // and line end that come with a copied number are left out.
    bool pasted(const QString& clip)
    {
        const QString text = clip.trimmed();
        if (text.isEmpty() && !edit_->hasSelectedText()) return true;
        startsAfresh();
        if (refused_ || !fits(text)) {
            refuse(text);
            return true;
        }
        edit_->insert(text);
        return true;
    }
    bool contextMenu(QContextMenuEvent* e)
    {
        std::unique_ptr<QMenu> menu(edit_->createStandardContextMenu());
        if (!menu) return false;
        for (QAction* a : menu->actions())
            if (a->objectName() == QLatin1String("edit-paste")) {
                disconnect(a, &QAction::triggered, nullptr, nullptr);
                connect(a, &QAction::triggered, this, [this] { pasted(QGuiApplication::clipboard()->text()); });
            }
        menu->exec(e->globalPos());
        return true;
    }
    // Typing over the whole text, selected again when the form kept the
    // focus here, is a new entry: nothing of the refused one is left to shift.
    void startsAfresh()
    {
        if (refused_ && reselected_ && edit_->hasSelectedText() &&
            edit_->selectedText().size() == edit_->text().size())
            ended();
    }
    // Whether `what`, refused, only carries the number on past the decimals
    // the field holds ("412.6" in a whole-number field): what the field
    // shows is then the number typed, cut to the field's precision. Refused
    // whole digits, signs or letters leave a number other than the one meant.
    bool cutsDecimals(const QString& what) const
    {
        const QString text = edit_->text();
        if (what.isEmpty() || edit_->hasSelectedText() || edit_->cursorPosition() != text.size() ||
            !text.contains(QRegularExpression(QStringLiteral("\\d"))))
            return false;
        const bool point = what.at(0) == QLatin1Char('.');
        for (QChar c : what.mid(point ? 1 : 0))
            if (!c.isDigit()) return false;
        return point ? format_.decimals == 0 && !text.contains(QLatin1Char('.')) : text.contains(QLatin1Char('.'));
    }
    void refuse(const QString& what)
    {
        QApplication::beep();
        if (!refused_) {
            if (!spoilsNumber(what)) {
                showTip(QStringLiteral("\"%1\" was not taken: this field takes %2.").arg(what, format_.Takes()));
                return;
            }
            // Digits that carry the number past the field's range are named
            // as the number they would make, not as the one digit refused.
            bool number = false;
            const QString after = withInserted(what).trimmed();
            const double value = after.toDouble(&number);
            if (number && (value > format_.Highest() || value < format_.Lowest()))
                refusal_ = QStringLiteral("%1 would be out of range: this field takes %2.").arg(after, format_.Takes());
            else
                refusal_ = QStringLiteral("\"%1\" was not taken: this field takes %2.").arg(what, format_.Takes());
            cutsDecimals_ = cutsDecimals(what);
        }
        refused_ = true;
        reselected_ = false;
        Remind();
    }
    void showTip(const QString& tip)
    {
        // The rect makes a tip of the same text show afresh rather than
        // finish the hiding a click or a focus change began.
        QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())), tip, edit_, edit_->rect());
    }
    // The refusal is over: its tip goes with it.
    void ended()
    {
        refused_ = false;
        QToolTip::hideText();
    }

    QLineEdit* edit_;
    NumericFormat format_;
    QString shown_;
    QString refusal_;   // what the tip says of the entry's first refusal
    bool typed_ = false;
    bool refused_ = false;
    bool reselected_ = false;
    bool cutsDecimals_ = false;
};

} // namespace

void SetNumericPicture(QLineEdit* edit, const NumericFormat& format)
{
    const bool negative = !format.low || *format.low < 0;
    // Zeros ahead of the digits change no value: a picture with no whole
    // digits (".####") takes the "0.0765" it shows, and "0.08" as typed.
    QString re = (negative ? QStringLiteral("-?0*") : QStringLiteral("0*")) +
                 QStringLiteral("\\d{0,%1}").arg(format.intDigits);
    if (format.decimals > 0) re += QStringLiteral("(\\.\\d{0,%1})?").arg(format.decimals);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(re), edit));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    delete PictureGuard::Of(edit);
    new PictureGuard(edit, format);
}

bool HoldsRefusedEntry(const QWidget* field)
{
    const PictureGuard* guard = PictureGuard::Of(field);
    return guard && guard->Refused();
}

std::optional<NumericFormat> NumericPictureOf(const QWidget* field)
{
    const PictureGuard* guard = PictureGuard::Of(field);
    return guard ? std::optional<NumericFormat>(guard->Format()) : std::nullopt;
}

QString RefusedEntryTip(const QWidget* field)
{
    const PictureGuard* guard = PictureGuard::Of(field);
    return guard ? guard->Tip() : QString();
}

void RemindRefusedEntry(QWidget* field)
{
    if (PictureGuard* guard = PictureGuard::Of(field)) guard->GivenBack();
}

bool DropRefusedEntry(QLineEdit* edit)
{
    PictureGuard* guard = PictureGuard::Of(edit);
    return guard && guard->Drop();
}

bool TakeRefusedEntry(QWidget* field)
{
    PictureGuard* guard = PictureGuard::Of(field);
    return guard && guard->Take();
}

DBNumericEdit::DBNumericEdit(QLineEdit* edit, db::DataSource* source, const QString& field, NumericFormat format)
    : DBControl(edit, source, field), edit_(edit), format_(format)
{
    SetNumericPicture(edit, format_);
    connect(edit, &QLineEdit::textChanged, this, [this] { UserChanged(); });
    Reload();
}

void DBNumericEdit::Load(db::Field* f)
{
    edit_->setText(f && !f->IsNull() ? format_.Text(f->AsFloat()) : QString());
}

void DBNumericEdit::Store(db::Field* f)
{
    // Half a number is not stored, nor silently undone: the field keeps it
    // until the user corrects it.
    if (HoldsRefusedEntry(edit_)) throw InputError(RefusedEntryTip(edit_));
    double v = format_.Parse(edit_->text());
    if (f->DataType() == db::FieldType::Short || f->DataType() == db::FieldType::Long)
        f->SetAsInteger(int(std::lround(v)));
    else
        f->SetAsFloat(v);
}

// ---- dates ------------------------------------------------------------------

namespace {
const QString kDateFormat = QStringLiteral("MM/dd/yyyy");
}

DBDateEdit::DBDateEdit(QLineEdit* edit, db::DataSource* source, const QString& field)
    : DBControl(edit, source, field), edit_(edit)
{
    edit->setInputMask(QStringLiteral("99/99/9999;_"));
    connect(edit, &QLineEdit::textChanged, this, [this] { UserChanged(); });
    Reload();
}

void DBDateEdit::Load(db::Field* f)
{
    QString s = f ? f->AsString().trimmed() : QString();
    QDate d = QDate::fromString(s, kDateFormat);
    if (!d.isValid()) d = QDate::fromString(s, Qt::ISODate);
    edit_->setText(d.isValid() ? d.toString(kDateFormat) : s);
}

void DBDateEdit::Store(db::Field* f)
{
    QString t = edit_->text();
    QString digits = t;
    digits.remove(u'/').remove(u'_').remove(u' ');
    if (digits.isEmpty()) {
        f->Clear();
        return;
    }
    QDate d = QDate::fromString(t, kDateFormat);
    if (!d.isValid()) throw InputError(QStringLiteral("'%1' is not a valid date (mm/dd/yyyy).").arg(t));
    f->SetAsString(d.toString(kDateFormat));
}

// ---- memo -------------------------------------------------------------------

namespace {

// Refuses, visibly, a paste, a drop or a keystroke that would take a memo's
// text past what it holds: cut to fit, the end of what was pasted would be
// lost without a word.
class MemoGuard : public QObject {
public:
    MemoGuard(QPlainTextEdit* memo, std::function<int()> most) : QObject(memo), memo_(memo), most_(std::move(most))
    {
        memo->installEventFilter(this);
        memo->viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        // Events come also while the box is being destroyed: look at it only
        // for those that can bring text in.
        const QEvent::Type type = e->type();
        if (type != QEvent::KeyPress && type != QEvent::ContextMenu && type != QEvent::MouseButtonRelease &&
            type != QEvent::Drop)
            return false;
        if (memo_->isReadOnly()) return false;
        switch (type) {
        case QEvent::KeyPress: {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->matches(QKeySequence::Paste)) return refused(QGuiApplication::clipboard()->text(), true);
            const QString key = k->text();
            const bool newLine = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
            if (key.isEmpty() || (!key.at(0).isPrint() && !newLine) ||
                (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
                return false;
            return refused(newLine ? QStringLiteral("\n") : key, false);
        }
        case QEvent::ContextMenu: {
            std::unique_ptr<QMenu> menu(memo_->createStandardContextMenu());
            if (!menu) return false;
            for (QAction* a : menu->actions())
                if (a->objectName() == QLatin1String("edit-paste")) {
                    disconnect(a, &QAction::triggered, nullptr, nullptr);
                    connect(a, &QAction::triggered, this, [this] {
                        if (!refused(QGuiApplication::clipboard()->text(), true)) memo_->paste();
                    });
                }
            menu->exec(static_cast<QContextMenuEvent*>(e)->globalPos());
            return true;
        }
        case QEvent::MouseButtonRelease:
            // The selection pasted by the middle button, where the system has one.
            return static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton &&
                   QGuiApplication::clipboard()->supportsSelection() &&
                   refused(QGuiApplication::clipboard()->text(QClipboard::Selection), true);
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(e);
            // Text moved within the box changes nothing of its length.
            if (drop->source() == memo_ || drop->source() == memo_->viewport() || !drop->mimeData()->hasText())
                return false;
            if (!refused(drop->mimeData()->text(), true)) return false;
            drop->ignore();
            return true;
        }
        default:
            return false;
        }
    }

private:
    // True, with the tip shown, when `inserted` in place of the selection
    // would take the text past what the box holds.
    bool refused(const QString& inserted, bool pasted)
    {
        const int most = most_();
        const QTextCursor c = memo_->textCursor();
        const int room = most - (memo_->document()->characterCount() - 1) + (c.selectionEnd() - c.selectionStart());
        if (most <= 0 || inserted.size() <= room) return false;
        const QString what = pasted ? QStringLiteral("The paste of %1 characters").arg(inserted.size())
                                    : QStringLiteral("\"%1\"").arg(inserted);
        const QString left =
            room > 0 ? QStringLiteral("and has room for %1 more").arg(room) : QStringLiteral("and is full");
        QToolTip::showText(memo_->mapToGlobal(QPoint(0, memo_->height())),
                           QStringLiteral("%1 was not taken: this box holds at most %2 characters, %3.")
                               .arg(what)
                               .arg(most)
                               .arg(left),
                           memo_, memo_->rect());
        QApplication::beep();
        return true;
    }

    QPlainTextEdit* memo_;
    std::function<int()> most_;
};

} // namespace

DBMemo::DBMemo(QPlainTextEdit* memo, db::DataSource* source, const QString& field, int maxLength)
    : DBControl(memo, source, field), memo_(memo), maxLength_(maxLength)
{
    // Tab goes on to the next control, as in every other field; the notes take no tabs.
    memo->setTabChangesFocus(true);
    new MemoGuard(memo, [this] { return MaxLength(); });
    connect(memo, &QPlainTextEdit::textChanged, this, [this] {
        if (Loading()) return;
        int max = MaxLength();
        QString t = memo_->toPlainText();
        if (max > 0 && t.size() > max) {
            QSignalBlocker b(memo_);
            QTextCursor c = memo_->textCursor();
            int pos = std::min(c.position(), max);
            memo_->setPlainText(t.left(max));
            c = memo_->textCursor();
            c.setPosition(pos);
            memo_->setTextCursor(c);
        }
        UserChanged();
    });
    Reload();
}

int DBMemo::MaxLength() const
{
    if (maxLength_ > 0) return maxLength_;
    db::Field* f = Field();
    if (!f) return 0;
    // A memo takes no more than a job can carry back in: longer notes are refused at load.
    if (f->DataType() == db::FieldType::Memo) return db::kMostMemoChars;
    return f->DataType() == db::FieldType::Alpha ? f->Size() : 0;
}

void DBMemo::Load(db::Field* f) { memo_->setPlainText(f ? f->AsString() : QString()); }
void DBMemo::Store(db::Field* f) { f->SetAsString(memo_->toPlainText()); }

// ---- check box --------------------------------------------------------------

DBCheckBox::DBCheckBox(QCheckBox* box, db::DataSource* source, const QString& field, QString valueChecked,
                       QString valueUnchecked)
    : DBControl(box, source, field), box_(box), checked_(std::move(valueChecked)), unchecked_(std::move(valueUnchecked))
{
    connect(box, &QCheckBox::clicked, this, [this] { UserChanged(); });
    Reload();
}

void DBCheckBox::Load(db::Field* f)
{
    bool on = false;
    if (f) {
        if (f->DataType() == db::FieldType::Logical) on = f->AsBoolean();
        else on = f->AsString().compare(checked_, Qt::CaseInsensitive) == 0;
    }
    box_->setChecked(on);
}

void DBCheckBox::Store(db::Field* f)
{
    if (f->DataType() == db::FieldType::Logical) f->SetAsBoolean(box_->isChecked());
    else f->SetAsString(box_->isChecked() ? checked_ : unchecked_);
}

// ---- combo with fixed items -------------------------------------------------

DBComboBox::DBComboBox(QComboBox* combo, db::DataSource* source, const QString& field)
    : DBControl(combo, source, field), combo_(combo)
{
    connect(combo, &QComboBox::activated, this, [this] { UserChanged(); });
    connect(combo, &QComboBox::editTextChanged, this, [this] { UserChanged(); });
    Reload();
}

void DBComboBox::Load(db::Field* f)
{
    QString v = f ? f->AsString() : QString();
    int i = combo_->findText(v, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (combo_->isEditable() && i < 0) combo_->setEditText(v);
    else combo_->setCurrentIndex(v.isEmpty() && i < 0 ? -1 : i);
}

void DBComboBox::Store(db::Field* f) { f->SetAsString(combo_->currentText()); }

// ---- lookup combo -----------------------------------------------------------

struct DBLookupComboBox::ListLink : db::DataLink {
    DBLookupComboBox* owner;
    explicit ListLink(DBLookupComboBox* o) : owner(o) {}
    void ActiveChanged() override { owner->FillList(); }
    void DataSetChanged() override { owner->FillList(); }
    void RecordChanged() override
    {
        if (!owner->DataSource() && !owner->filling_) owner->Reload();
    }
};

DBLookupComboBox::DBLookupComboBox(QComboBox* combo, db::DataSource* listSource, const QString& keyField,
                                   const QString& listField, db::DataSource* source, const QString& field)
    : DBControl(combo, source, field), combo_(combo), listSource_(listSource), keyField_(keyField),
      listField_(listField), listLink_(std::make_unique<ListLink>(this))
{
    combo->setEditable(false);
    if (listSource_) listSource_->AddLink(listLink_.get());
    connect(combo, &QComboBox::activated, this, [this](int i) { picked(i); });
    FillList();
}

DBLookupComboBox::~DBLookupComboBox()
{
    if (listSource_) listSource_->RemoveLink(listLink_.get());
}

void DBLookupComboBox::FillList()
{
    if (filling_) return;
    filling_ = true;
    {
        QSignalBlocker b(combo_);
        combo_->clear();
        keys_.clear();
        db::Table* t = listSource_ ? listSource_->DataSet() : nullptr;
        if (t && t->Active()) {
            // Read the rows where they stand: the lookup table's cursor does not move.
            try {
                db::Field* key = t->FieldByName(keyField_);
                db::Field* list = t->FieldByName(listField_);
                int pending = t->State() == db::DataSetState::Insert ? t->DisplayRow() : -1;
                for (int r = 0; r < t->DisplayRowCount(); ++r) {
                    if (r == pending) continue;
                    keys_ << t->DisplayValue(r, key);
                    combo_->addItem(t->DisplayValue(r, list).toString());
                }
            } catch (...) {
                filling_ = false;
                throw;
            }
        }
    }
    filling_ = false;
    Reload();
}

void DBLookupComboBox::Load(db::Field* f)
{
    QSignalBlocker b(combo_);
    QVariant key;
    if (f) {
        key = f->Value();
    } else if (!DataSource()) {
        db::Table* t = listSource_ ? listSource_->DataSet() : nullptr;
        if (t && t->Active() && !t->IsEmpty()) key = t->FieldByName(keyField_)->Value();
    }
    int idx = -1;
    for (int i = 0; i < keys_.size() && key.isValid(); ++i)
        if (keys_[i] == key || keys_[i].toString() == key.toString()) { idx = i; break; }
    combo_->setCurrentIndex(idx);
}

void DBLookupComboBox::picked(int index)
{
    if (index < 0 || index >= keys_.size()) return;
    db::Table* t = listSource_ ? listSource_->DataSet() : nullptr;
    if (t && t->Active()) t->Locate(keyField_, keys_[index]);
    if (DataSource()) {
        UserChanged();
        UpdateRecord();
    }
}

void DBLookupComboBox::Store(db::Field* f)
{
    int i = combo_->currentIndex();
    if (i >= 0 && i < keys_.size()) f->SetValue(keys_[i]);
    else f->Clear();
}

// ---- radio group ------------------------------------------------------------

DBRadioGroup::DBRadioGroup(RadioGroup* group, db::DataSource* source, const QString& field, QStringList values)
    : DBControl(group, source, field), group_(group), values_(std::move(values))
{
    connect(group, &RadioGroup::Clicked, this, [this] { UserChanged(); });
    Reload();
}

QString DBRadioGroup::valueOf(int index) const
{
    if (index < 0) return {};
    if (index < values_.size()) return values_[index];
    return group_->Items().value(index);
}

void DBRadioGroup::Load(db::Field* f)
{
    QString v = f ? f->AsString() : QString();
    int idx = -1;
    for (int i = 0; i < group_->Items().size(); ++i)
        if (!v.isEmpty() && valueOf(i) == v) { idx = i; break; }
    group_->SetItemIndex(idx);
}

void DBRadioGroup::Store(db::Field* f)
{
    int i = group_->ItemIndex();
    if (i < 0) f->Clear();
    else f->SetAsString(valueOf(i));
}

// ---- text -------------------------------------------------------------------

DBText::DBText(QLabel* label, db::DataSource* source, const QString& field, std::function<QString(db::Field&)> format)
    : DBControl(label, source, field), label_(label), format_(std::move(format))
{
    SetReadOnly(true);
    label->setTextFormat(Qt::PlainText);
    Reload();
}

void DBText::Load(db::Field* f)
{
    label_->setText(f ? (format_ ? format_(*f) : f->AsString()) : QString());
}

} // namespace ui

#include "moc_dbcontrols.cpp"
