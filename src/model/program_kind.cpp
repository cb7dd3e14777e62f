#include "model/program_kind.h"

namespace {
Program running = Program::Mersol;
}

Program RunningProgram() { return running; }
void SetRunningProgram(Program program) { running = program; }
