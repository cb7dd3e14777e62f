#pragma once
// The stand-alone manifold calculator.
// Created by its opener with the opener as owner, shown modally, deleted.
// Its controls are not built yet: it opens as an empty dialog with its caption.
#include "platform/ui/form.h"

class TManifoldDlg : public ui::Form {
    Q_OBJECT
public:
    explicit TManifoldDlg(QWidget* owner) : ui::Form(owner)
    {
        setObjectName(QStringLiteral("ManifoldDlg"));
        SetCaption(QStringLiteral("Manafold Calculator"));
        SetPosition(ui::Position::OwnerCenter);
    }
};

inline TManifoldDlg* ManifoldDlg = nullptr;
