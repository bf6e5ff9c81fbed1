// Built into every program and test of a sanitizer build: the leak checker reads the project's
// suppression file for third-party leaks, whoever starts the program (ctest, the build's own
// packing step, a developer). LSAN_OPTIONS in the environment still adds to or overrides this.
// Depends on: the sanitizer runtime (which calls the hook at start-up); DEMOSYS_LSAN_SUPPRESSIONS.
extern "C" const char* __lsan_default_options() { return "suppressions=" DEMOSYS_LSAN_SUPPRESSIONS; }
