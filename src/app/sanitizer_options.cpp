// Sanitizer settings built into the sanitizer builds of the program and its tests, so that every
// run (also one started by hand or by a test) reports our faults and not those of the system's
// libraries. Mesa's driver, the X and D-Bus libraries and SDL keep allocations until exit, and
// freeglut does not free some X input extension replies it asks for.
#ifdef RAMPIX_SANITIZE
extern "C" {
const char* __asan_default_options() {
    return "detect_leaks=1:strict_string_checks=1:abort_on_error=0";
}
const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
const char* __lsan_default_options() {
    return "print_suppressions=0";
}
const char* __lsan_default_suppressions() {
    return "leak:swrast_dri.so\n"
           "leak:libGLX_mesa.so\n"
           "leak:libEGL_mesa.so\n"
           "leak:libglapi.so\n"
           "leak:libLLVM\n"
           "leak:libX11.so\n"
           "leak:libXi.so\n"
           "leak:libdbus\n"
           "leak:libSDL2\n"
           "leak:libasound.so\n";
}
}
#endif
