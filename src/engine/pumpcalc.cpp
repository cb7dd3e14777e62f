#include "engine/pumpcalc.h"

TPump* Pump = nullptr;

void CreatePumpObject()
{
    if (!Pump) Pump = new TPump;
}

void DeletePumpObject()
{
    delete Pump;
    Pump = nullptr;
}
