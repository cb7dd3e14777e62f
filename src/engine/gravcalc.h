#pragma once
// The known-flow gravity run. One instance, Grav, lives from start-up to the
// main window's close.
class TGrav {
};

extern TGrav* Grav;
void CreateGravObject();
void DeleteGravObject();
