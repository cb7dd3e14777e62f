#include "engine/fullflowcalc1.h"

TFFlow* FFlow = nullptr;

void CreateFullFlowObject()
{
    if (!FFlow) FFlow = new TFFlow;
}

void DeleteFullFlowObject()
{
    delete FFlow;
    FFlow = nullptr;
}
