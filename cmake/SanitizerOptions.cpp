// Built into every program and test of a sanitizer build: the leak checker reads the project's
// suppression file for third-party leaks, whoever starts the program (ctest, the build's own
// packing step, a developer). LSAN_OPTIONS in the environment still adds to or overrides this.
// The GL driver is unloaded when the window closes, and a leak in a library no longer mapped at
// exit names no library, so no suppression can match it: the driver libraries are loaded once
// more here with RTLD_NODELETE, which keeps them mapped until the leak check has run.
// Depends on: the sanitizer runtime (which calls the hook at start-up); DEMOSYS_LSAN_SUPPRESSIONS;
// DEMOSYS_GL_DRIVER (the software driver's path, empty when the build found none); libdl.
#include <dlfcn.h>

#include <initializer_list>

// The list of suppressions used is not printed: it would end up in the output that tests compare.
extern "C" const char* __lsan_default_options() {
  return "suppressions=" DEMOSYS_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

namespace {

__attribute__((constructor)) void keepGLDriverMapped() {
  for (const char* library : {"libGLX_mesa.so.0", DEMOSYS_GL_DRIVER}) {
    if (library[0] != '\0') dlopen(library, RTLD_LAZY | RTLD_NODELETE);
  }
}

}  // namespace
