#pragma once
// The minor-loss slots of a working row (K, Kid, KLocate, KDescription and
// KFlag of slot n) and the size-change losses coded into them: a change of
// pipe size at a node is kept as a negative K with KLocate "NA" and Kid 0.
#include <QString>

namespace db {
class Field;
class Table;
} // namespace db

struct LossSlotFields {
    db::Field* K = nullptr;
    db::Field* Kid = nullptr;
    db::Field* KLocate = nullptr;
    db::Field* KDescription = nullptr;
    db::Field* KFlag = nullptr;
};

// Slot 1-3 of WorkProfTable or WorkSuctionTable, 1-2 of WorkGatedTable.
LossSlotFields LossSlotOf(db::Table* table, int slot);

inline constexpr double kSuddenContraction = -1.0;
inline constexpr double kGradualContraction = -2.0;
inline constexpr double kSuddenEnlargement = -3.0;
inline constexpr double kGradualEnlargement = -4.0;

// "Contraction, Sudden" ... "Enlargement, Gradual 45 degree"; empty for any other K.
QString SizeChangeText(double code);

// Writes a size-change loss into the slot: K, Kid 0, KLocate "NA", its text.
void WriteSizeChange(const LossSlotFields& slot, double code);

// Empties the slot: KLocate, KDescription and KFlag empty, K 0; Kid emptied too
// when clearKid is set, else left alone.
void ClearLossSlot(const LossSlotFields& slot, bool clearKid);

// Where the size-change loss of an existing row goes, and whether the first
// item of the dialog's group is chosen before it shows. A slot is free when
// its KLocate is empty or "NA"; the third slot is taken when none is free.
// `emptyFirstSlotSelects` tells whether an empty first slot also gets the
// first item (profile rows) or opens without a choice (suction segments).
struct SizeChangeSlot {
    int slot = 1;
    bool selectFirst = true;
};
SizeChangeSlot ChooseSizeChangeSlot(db::Table* table, bool enlargement, bool emptyFirstSlotSelects);
