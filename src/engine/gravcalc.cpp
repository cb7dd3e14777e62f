#include "engine/gravcalc.h"

TGrav* Grav = nullptr;

void CreateGravObject()
{
    if (!Grav) Grav = new TGrav;
}

void DeleteGravObject()
{
    delete Grav;
    Grav = nullptr;
}
