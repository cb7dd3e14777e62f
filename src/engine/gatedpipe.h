#pragma once
// The gated-pipe run. One instance, Gated, lives from start-up to the main
// window's close.
class TGated {
};

extern TGated* Gated;
void CreateGatedObject();
void DeleteGatedObject();
