#pragma once
// Runs a test's code as one of the two programs would, without its window,
// and puts back the program that was running when it goes (also when the
// test fails part way).
//
//   testsupport::RunningAs gravity(Program::Dunstrow);
#include "model/program_kind.h"

namespace testsupport {

class RunningAs {
public:
    explicit RunningAs(Program program) : before_(RunningProgram()) { SetRunningProgram(program); }
    ~RunningAs() { SetRunningProgram(before_); }
    RunningAs(const RunningAs&) = delete;
    RunningAs& operator=(const RunningAs&) = delete;

private:
    Program before_;
};

} // namespace testsupport
