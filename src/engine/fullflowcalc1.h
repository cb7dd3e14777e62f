#pragma once
// The maximum-flow gravity run. One instance, FFlow, lives from start-up to
// the main window's close.
class TFFlow {
};

extern TFFlow* FFlow;
void CreateFullFlowObject();
void DeleteFullFlowObject();
