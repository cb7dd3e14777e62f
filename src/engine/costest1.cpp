#include "engine/costest1.h"

TCost* Cost = nullptr;

void CreateCostObject()
{
    if (!Cost) Cost = new TCost;
}

void DeleteCostObject()
{
    delete Cost;
    Cost = nullptr;
}
