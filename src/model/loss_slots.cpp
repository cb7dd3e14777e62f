#include "model/loss_slots.h"

#include "platform/db/db.h"

LossSlotFields LossSlotOf(db::Table* table, int slot)
{
    const QString n = QString::number(slot);
    LossSlotFields s;
    s.K = table->FieldByName(QStringLiteral("K") + n);
    s.Kid = table->FieldByName(QStringLiteral("Kid") + n);
    s.KLocate = table->FieldByName(QStringLiteral("KLocate") + n);
    s.KDescription = table->FieldByName(QStringLiteral("KDescription") + n);
    s.KFlag = table->FieldByName(QStringLiteral("KFlag") + n);
    return s;
}

QString SizeChangeText(double code)
{
    if (code == kSuddenContraction)
        return QStringLiteral("Contraction, Sudden");
    if (code == kGradualContraction)
        return QStringLiteral("Contraction, Gradual 45 degree");
    if (code == kSuddenEnlargement)
        return QStringLiteral("Enlargement, Sudden");
    if (code == kGradualEnlargement)
        return QStringLiteral("Enlargement, Gradual 45 degree");
    return {};
}

void WriteSizeChange(const LossSlotFields& slot, double code)
{
    slot.K->SetAsFloat(code);
    slot.Kid->SetAsFloat(0.0);
    slot.KLocate->SetAsString(QStringLiteral("NA"));
    slot.KDescription->SetAsString(SizeChangeText(code));
}

void ClearLossSlot(const LossSlotFields& slot, bool clearKid)
{
    slot.KLocate->SetAsString(QString());
    slot.K->SetAsFloat(0.0);
    if (clearKid)
        slot.Kid->Clear();
    slot.KDescription->SetAsString(QString());
    slot.KFlag->SetAsString(QString());
}

SizeChangeSlot ChooseSizeChangeSlot(db::Table* table, bool enlargement, bool emptyFirstSlotSelects)
{
    const QString l1 = LossSlotOf(table, 1).KLocate->AsString();
    const QString l2 = LossSlotOf(table, 2).KLocate->AsString();
    const QString l3 = LossSlotOf(table, 3).KLocate->AsString();
    const QString na = QStringLiteral("NA");
    if (l1.isEmpty())
        return {1, emptyFirstSlotSelects};
    if (l1 == na)
        return {1, true};
    if (l2.isEmpty())
        return {2, false};
    if (l2 == na)
        return {2, true};
    if (enlargement ? l3 == na : l3.isEmpty())
        return {3, false};
    return {3, true};
}
