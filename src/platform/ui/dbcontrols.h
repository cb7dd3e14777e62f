#pragma once
// Data-aware bindings: plain Qt widgets showing and editing one field of the
// current row of a table, through the table's db::DataSource.
//
//   new ui::DBEdit(JobNameDBEdit, DMod->WorkPipeData, "JobName");
//   new ui::DBNumericEdit(FlowDBNF, DMod->WorkPipeData, "DesignFlow", ui::NumericFormat::Picture("#####.##", 0));
//   new ui::DBDateEdit(DateDBPF, DMod->WorkPipeData, "Date");                 // "mm/dd/yyyy"
//   new ui::DBMemo(JobNotesDBMemo, DMod->WorkPipeData, "JobNotes", 240);
//   new ui::DBCheckBox(box, source, "DetailedML");
//   new ui::DBComboBox(combo, source, "NodeTypeDesc");                         // stores the item text
//   new ui::DBLookupComboBox(combo, DMod->TypeData, "PipeType", "PipeType");   // moves TypeTable's cursor
//   new ui::DBRadioGroup(group, source, "SysType", {"GRAVITY", "FULLFLOW"});  // stores codes
//   new ui::DBText(label, source, "DesignFlow");
//
// A binding is a child object of its widget and dies with it. Typing puts
// the table into edit state (when the source allows AutoEdit); the text
// reaches the row when the control is left (before its exit handler), when
// the table posts, or on UpdateRecord(). A change of the row, or of its
// values, reloads the control and drops text not yet written. While the
// table's controls are disabled the bindings are left alone; they catch up
// when the controls are enabled again.
#include "platform/db/db.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace ui {

class RadioGroup;

class DBControl : public QObject, public db::DataLink {
    Q_OBJECT
public:
    DBControl(QWidget* widget, db::DataSource* source, const QString& field);
    ~DBControl() override;

    static DBControl* Of(QWidget* widget);

    QWidget* Widget() const { return widget_; }
    db::DataSource* DataSource() const { return source_; }
    void SetDataSource(db::DataSource* source);
    const QString& FieldName() const { return fieldName_; }
    db::Field* Field() const;         // nullptr when the table is closed or unbound
    db::Table* Table() const;
    void SetReadOnly(bool on) { readOnly_ = on; }
    bool ReadOnly() const { return readOnly_; }
    bool Modified() const { return modified_; }

    // Writes text not yet written into the row; throws when it is not valid.
    void UpdateRecord() override;
    // Shows the field again, dropping text not yet written.
    void Reload();

    void ActiveChanged() override { Reload(); }
    void RecordChanged() override;
    void DataSetChanged() override { Reload(); }
    void StateChanged() override;

signals:
    // The user changed the value shown (a load of the field is not an edit).
    void Edited();

protected:
    virtual void Load(db::Field* field) = 0;   // nullptr: show nothing
    virtual void Store(db::Field* field) = 0;
    // Called by the subclasses when the user changed the control.
    void UserChanged();
    bool Loading() const { return loading_ > 0; }
    bool CanModify() const;

private:
    QPointer<QWidget> widget_;
    db::DataSource* source_ = nullptr;
    QString fieldName_;
    bool readOnly_ = false;
    bool modified_ = false;
    int loading_ = 0;
    bool storing_ = false;
};

// Thrown when a field's text is not a valid value; the exception display shows it.
class InputError : public std::runtime_error {
public:
    explicit InputError(const QString& msg) : std::runtime_error(msg.toStdString()) {}
};

class DBEdit : public DBControl {
    Q_OBJECT
public:
    DBEdit(QLineEdit* edit, db::DataSource* source, const QString& field);
protected:
    void Load(db::Field* f) override;
    void Store(db::Field* f) override;
private:
    QLineEdit* edit_;
};

// How a numeric field shows and checks its number.
struct NumericFormat {
    int intDigits = 9;
    int decimals = 2;
    std::optional<double> low, high;
    bool zeroShowsEmpty = false;
    // From a picture mask such as "####.##" (digits before and after the point).
    static NumericFormat Picture(const QString& mask, std::optional<double> low = std::nullopt,
                                 std::optional<double> high = std::nullopt);
    QString Text(double v) const;
    double Parse(const QString& text) const;   // throws InputError
    // The smallest and the largest number a field of this format takes: its
    // range, within what its digits can show.
    double Lowest() const;
    double Highest() const;
    // What a field of this format takes, in words ("a whole number from 0
    // to 99999").
    QString Takes() const;
};

// Gives a line edit the picture of `format`. A keystroke or a paste the
// picture cannot take is refused where it is typed, with a tip saying what
// the field takes, and so are the characters typed after it until the user
// corrects the text (Backspace, Delete, the arrows): the rest of a number
// never shifts into its place, so 448.83 in a whole-number field cannot
// become 44883. The form keeps the focus on a field holding a refused entry
// (ui::Form); Escape there gives back what the field showed before.
void SetNumericPicture(QLineEdit* edit, const NumericFormat& format);
// True when the field holds a refused entry (a keystroke or a paste was
// refused and nothing corrected since).
bool HoldsRefusedEntry(const QWidget* field);
// The format a number field's picture holds it to; none for a field without one.
std::optional<NumericFormat> NumericPictureOf(const QWidget* field);
// The tip of the field's refused entry (empty when it holds none).
QString RefusedEntryTip(const QWidget* field);
// Shows the tip of the field's refused entry again, when the form kept the
// focus on it; typing over the whole text, selected, then starts afresh.
void RemindRefusedEntry(QWidget* field);
// True when the field held a refused entry: its text is then put back to
// what the program last showed there, so that half a number is never taken.
bool DropRefusedEntry(QLineEdit* edit);
// A button pressed past a refused entry: when only decimals the field does
// not hold were refused, what it shows is the number typed to the field's
// precision, a value it takes; the refusal ends and the value stands, true
// then. Any other refused entry stays refused.
bool TakeRefusedEntry(QWidget* field);

class DBNumericEdit : public DBControl {
    Q_OBJECT
public:
    DBNumericEdit(QLineEdit* edit, db::DataSource* source, const QString& field, NumericFormat format);
    const NumericFormat& Format() const { return format_; }
protected:
    void Load(db::Field* f) override;
    void Store(db::Field* f) override;
private:
    QLineEdit* edit_;
    NumericFormat format_;
};

// A date in "mm/dd/yyyy"; an empty field stays empty.
class DBDateEdit : public DBControl {
    Q_OBJECT
public:
    DBDateEdit(QLineEdit* edit, db::DataSource* source, const QString& field);
protected:
    void Load(db::Field* f) override;
    void Store(db::Field* f) override;
private:
    QLineEdit* edit_;
};

// Multi-line text; maxLength 0 takes the field's size (or no limit). A
// paste, a drop or a keystroke that would take the text past it is refused
// whole, with a tip saying how much the box holds, as a number field refuses
// what its picture cannot take.
class DBMemo : public DBControl {
    Q_OBJECT
public:
    DBMemo(QPlainTextEdit* memo, db::DataSource* source, const QString& field, int maxLength = 0);
    int MaxLength() const;
protected:
    void Load(db::Field* f) override;
    void Store(db::Field* f) override;
private:
    QPlainTextEdit* memo_;
    int maxLength_;
};

// A logical field, or a text field holding the two given values.
class DBCheckBox : public DBControl {
    Q_OBJECT
public:
    DBCheckBox(QCheckBox* box, db::DataSource* source, const QString& field,
               QString valueChecked = QStringLiteral("True"), QString valueUnchecked = QStringLiteral("False"));
protected:
    void Load(db::Field* f) override;
    void Store(db::Field* f) override;
private:
    QCheckBox* box_;
    QString checked_, unchecked_;
};

// A combo box with fixed items; the field holds the item's text.
class DBComboBox : public DBControl {
    Q_OBJECT
public:
    DBComboBox(QComboBox* combo, db::DataSource* source, const QString& field);
protected:
    void Load(db::Field* f) override;
    void Store(db::Field* f) override;
private:
    QComboBox* combo_;
};

// A combo box listing a field of a lookup table. Picking an item moves the
// lookup table's cursor to its row and, when a data field is bound, writes
// the row's key field into it. Without a data field the combo shows the
// lookup table's current row.
class DBLookupComboBox : public DBControl {
    Q_OBJECT
public:
    DBLookupComboBox(QComboBox* combo, db::DataSource* listSource, const QString& keyField,
                     const QString& listField, db::DataSource* source = nullptr, const QString& field = {});
    ~DBLookupComboBox() override;
    void FillList();
protected:
    void Load(db::Field* f) override;
    void Store(db::Field* f) override;
private:
    struct ListLink;
    void picked(int index);
    QComboBox* combo_;
    db::DataSource* listSource_;
    QString keyField_, listField_;
    QVariantList keys_;
    std::unique_ptr<ListLink> listLink_;
    bool filling_ = false;
};

// A radio group whose items store codes that differ from their captions.
class DBRadioGroup : public DBControl {
    Q_OBJECT
public:
    DBRadioGroup(RadioGroup* group, db::DataSource* source, const QString& field, QStringList values = {});
protected:
    void Load(db::Field* f) override;
    void Store(db::Field* f) override;
private:
    QString valueOf(int index) const;
    RadioGroup* group_;
    QStringList values_;
};

// A read-only label showing a field; format turns the field into text.
class DBText : public DBControl {
    Q_OBJECT
public:
    DBText(QLabel* label, db::DataSource* source, const QString& field,
           std::function<QString(db::Field&)> format = {});
protected:
    void Load(db::Field* f) override;
    void Store(db::Field*) override {}
private:
    QLabel* label_;
    std::function<QString(db::Field&)> format_;
};

} // namespace ui
