#pragma once
// The dialog that deletes stored jobs.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TRemoveJobsDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TRemoveJobsDlg(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("RemoveJobsDlg"));
        SetCaption(QStringLiteral("Remove Jobs"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TRemoveJobsDlg* RemoveJobsDlg = nullptr;
