#pragma once
// The editor of the local defaults.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TDefLocDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TDefLocDlg(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("DefLocDlg"));
        SetCaption(QStringLiteral("Local Default Values"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TDefLocDlg* DefLocDlg = nullptr;
