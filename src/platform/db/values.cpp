// Conversions between the values the program gives, what each field type
// holds, and what SQLite stores.
#include "platform/db/dbimpl.h"

#include <cmath>
#include <limits>

namespace db::detail {

namespace {

bool isNull(const QVariant& v)
{
    return !v.isValid() || v.isNull();
}

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void badValue(const QString& text, const QString& kind, const QString& field)
{
    throw DbError(QStringLiteral("'%1' is not a valid %2 value for field '%3'").arg(text, kind, field));
}

qint64 toInteger(const QVariant& v, const QString& field)
{
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        double d = v.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > 9.0e18)
            throw DbError(QStringLiteral("Value %1 is out of range for field '%2'").arg(floatToString(d), field));
        return qint64(std::nearbyint(d));
    }
    if (isNumber(v))
        return v.toLongLong();
    QString s = v.toString().trimmed();
    bool ok = false;
    qint64 i = s.toLongLong(&ok);
    if (ok)
        return i;
    double d = textToFloat(s, field, &ok);
    if (!ok || std::fabs(d) > 9.0e18)
        badValue(s, QStringLiteral("integer"), field);
    return qint64(std::nearbyint(d));
}

} // namespace

QString floatToString(double v)
{
    if (v == 0)
        return QStringLiteral("0");
    return QString::number(v, 'g', 15);
}

double textToFloat(const QString& s, const QString& field, bool* ok)
{
    bool good = false;
    double d = s.trimmed().toDouble(&good);
    if (ok) {
        *ok = good;
        return good ? d : 0;
    }
    if (!good)
        badValue(s, QStringLiteral("floating point"), field);
    return d;
}

bool textToBool(const QString& s, bool* ok)
{
    const QString t = s.trimmed().toUpper();
    *ok = true;
    if (t == QLatin1String("T") || t == QLatin1String("TRUE") || t == QLatin1String("Y")
        || t == QLatin1String("YES") || t == QLatin1String("1"))
        return true;
    if (t == QLatin1String("F") || t == QLatin1String("FALSE") || t == QLatin1String("N")
        || t == QLatin1String("NO") || t == QLatin1String("0"))
        return false;
    *ok = false;
    return false;
}

QVariant toFieldValue(const QVariant& v, FieldType type, int size, const QString& field, bool cut)
{
    if (isNull(v))
        return QVariant();
    const bool text = !isNumber(v);
    if (text && v.toString().trimmed().isEmpty() && type != FieldType::Alpha && type != FieldType::Memo)
        return QVariant();
    switch (type) {
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoInc: {
        qint64 i = toInteger(v, field);
        qint64 lo = type == FieldType::Short ? -32768 : std::numeric_limits<qint32>::min();
        qint64 hi = type == FieldType::Short ? 32767 : std::numeric_limits<qint32>::max();
        if (i < lo || i > hi)
            throw DbError(QStringLiteral("Value %1 is out of range for field '%2'").arg(i).arg(field));
        return QVariant(int(i));
    }
    case FieldType::Number: {
        if (!text)
            return QVariant(v.toDouble());
        return QVariant(textToFloat(v.toString(), field));
    }
    case FieldType::Logical: {
        if (!text)
            return QVariant(v.typeId() == QMetaType::Double ? v.toDouble() != 0 : v.toLongLong() != 0);
        bool ok;
        bool b = textToBool(v.toString(), &ok);
        if (!ok)
            badValue(v.toString(), QStringLiteral("boolean"), field);
        return QVariant(b);
    }
    case FieldType::Alpha:
    case FieldType::Memo: {
        QString s;
        if (v.typeId() == QMetaType::Bool)
            s = v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
            s = floatToString(v.toDouble());
        else
            s = v.toString();
        if (cut && type == FieldType::Alpha && size > 0 && s.size() > size)
            s.truncate(size);
        if (s.isEmpty())
            return QVariant();
        return QVariant(s);
    }
    }
    return QVariant();
}

namespace {

// A text as a message quotes it: short, and without characters that would
// end or break the message.
QString quoted(const QString& text)
{
    constexpr int kMostShown = 40;
    QString shown = text.size() > kMostShown ? text.left(kMostShown) + QStringLiteral("...") : text;
    for (QChar& c : shown)
        if (c.unicode() < 0x20 || c == QChar(0x7f))
            c = QLatin1Char('?');
    return QLatin1Char('\'') + shown + QLatin1Char('\'');
}

} // namespace

QString misfitOf(const QVariant& stored, FieldType type)
{
    if (isNull(stored))
        return QString();
    const bool text = type == FieldType::Alpha || type == FieldType::Memo;
    const bool whole = type == FieldType::Short || type == FieldType::Long || type == FieldType::AutoInc;
    const QString expected = text    ? QStringLiteral("text")
                             : whole ? QStringLiteral("a whole number")
                             : type == FieldType::Logical ? QStringLiteral("true or false")
                                                          : QStringLiteral("a number");
    if (stored.typeId() == QMetaType::QByteArray)
        return QStringLiteral("holds a blob of %1 bytes, where %2 is expected").arg(stored.toByteArray().size()).arg(expected);
    if (text)
        return QString();
    double number = 0;
    if (isNumber(stored)) {
        if (!whole)
            return QString();
        number = stored.typeId() == QMetaType::Double ? stored.toDouble() : double(stored.toLongLong());
    } else {
        const QString s = stored.toString().trimmed();
        // A blank is no value, as an entry left empty.
        if (s.isEmpty())
            return QString();
        bool ok = false;
        if (type == FieldType::Logical)
            textToBool(s, &ok);
        else
            number = s.toDouble(&ok);
        if (!ok)
            return QStringLiteral("holds the text %1, where %2 is expected").arg(quoted(s), expected);
        if (!whole)
            return QString();
    }
    if (std::isfinite(number) && number != std::trunc(number))
        return QStringLiteral("holds %1, not a whole number").arg(floatToString(number));
    const double lo = type == FieldType::Short ? -32768 : double(std::numeric_limits<qint32>::min());
    const double hi = type == FieldType::Short ? 32767 : double(std::numeric_limits<qint32>::max());
    if (!(number >= lo && number <= hi))
        return QStringLiteral("holds %1, beyond the %2 to %3 the field takes")
            .arg(floatToString(number), floatToString(lo), floatToString(hi));
    return QString();
}

QVariant fromStorage(const QVariant& v, FieldType type)
{
    if (isNull(v))
        return QVariant();
    switch (type) {
    case FieldType::Short:
    case FieldType::Long:
    case FieldType::AutoInc:
        if (v.typeId() == QMetaType::Double)
            return QVariant(int(std::nearbyint(v.toDouble())));
        if (isNumber(v))
            return QVariant(int(v.toLongLong()));
        else {
            bool ok = false;
            double d = v.toString().trimmed().toDouble(&ok);
            return ok ? QVariant(int(std::nearbyint(d))) : QVariant();
        }
    case FieldType::Number:
        if (isNumber(v))
            return QVariant(v.toDouble());
        else {
            bool ok = false;
            double d = v.toString().trimmed().toDouble(&ok);
            return ok ? QVariant(d) : QVariant();
        }
    case FieldType::Logical:
        if (isNumber(v))
            return QVariant(v.toDouble() != 0);
        else {
            bool ok;
            bool b = textToBool(v.toString(), &ok);
            return ok ? QVariant(b) : QVariant();
        }
    case FieldType::Alpha:
    case FieldType::Memo: {
        QString s = v.typeId() == QMetaType::Double ? floatToString(v.toDouble()) : v.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    }
    return QVariant();
}

QVariant toStorage(const QVariant& v, FieldType type)
{
    if (isNull(v))
        return QVariant();
    if (type == FieldType::Logical)
        return QVariant(v.toBool() ? 1 : 0);
    return v;
}

int compareValues(const QVariant& a, const QVariant& b, bool nocase)
{
    // The common cases first: both values of the same stored kind.
    const int ta = a.typeId(), tb = b.typeId();
    if (ta == tb && !a.isNull() && !b.isNull()) {
        if (ta == QMetaType::Double) {
            double x = *static_cast<const double*>(a.constData()), y = *static_cast<const double*>(b.constData());
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        if (ta == QMetaType::Int) {
            int x = *static_cast<const int*>(a.constData()), y = *static_cast<const int*>(b.constData());
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        if (ta == QMetaType::QString) {
            int c = QString::compare(*static_cast<const QString*>(a.constData()), *static_cast<const QString*>(b.constData()),
                                     nocase ? Qt::CaseInsensitive : Qt::CaseSensitive);
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
    }
    const bool an = isNull(a), bn = isNull(b);
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    const bool anum = isNumber(a), bnum = isNumber(b);
    if (anum && bnum) {
        if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double) {
            double x = a.toDouble(), y = b.toDouble();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        qint64 x = a.toLongLong(), y = b.toLongLong();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (anum != bnum)
        return anum ? -1 : 1;
    int c = QString::compare(a.toString(), b.toString(), nocase ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace db::detail
