// The sanitizers' settings for the test programs of the sanitizer build:
// any finding ends the program, so the test that made it fails.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=1:abort_on_error=1";
}

extern "C" const char* __ubsan_default_options()
{
    return "print_stacktrace=1:halt_on_error=1";
}

// Leaks of system libraries the program cannot free: fontconfig keeps its
// configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
