#include "engine/gatedpipe.h"

TGated* Gated = nullptr;

void CreateGatedObject()
{
    if (!Gated) Gated = new TGated;
}

void DeleteGatedObject()
{
    delete Gated;
    Gated = nullptr;
}
