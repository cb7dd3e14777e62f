#pragma once
// Which of the two designers is running: the few places where the gravity
// designer behaves differently ask here instead of naming its window.
enum class Program { Mersol, Dunstrow };

// Mersol until a gravity designer's window says otherwise.
Program RunningProgram();
void SetRunningProgram(Program program);
inline bool GravityDesignerRunning() { return RunningProgram() == Program::Dunstrow; }
