#pragma once
// The stand-alone gated-pipe calculator.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TGatedToolDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TGatedToolDlg(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("GatedToolDlg"));
        SetCaption(QStringLiteral("Gated Pipe Calculator"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TGatedToolDlg* GatedToolDlg = nullptr;
