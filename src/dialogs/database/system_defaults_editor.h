#pragma once
// The editor of the system defaults.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TDefSysDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TDefSysDlg(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("DefSysDlg"));
        SetCaption(QStringLiteral("System Default Values"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TDefSysDlg* DefSysDlg = nullptr;
