# Every third-party library the project links, as imported targets.
# scripts/install-deps installs them all from Debian's packages.

find_package(PkgConfig REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)
find_package(Threads REQUIRED)

pkg_check_modules(SDL12     REQUIRED IMPORTED_TARGET sdl12_compat)
pkg_check_modules(GLEW      REQUIRED IMPORTED_TARGET glew)
pkg_check_modules(GLU       REQUIRED IMPORTED_TARGET glu)
pkg_check_modules(DEVIL     REQUIRED IMPORTED_TARGET IL)
pkg_check_modules(LIBARCHIVE REQUIRED IMPORTED_TARGET libarchive)
pkg_check_modules(SNDFILE   REQUIRED IMPORTED_TARGET sndfile)
pkg_check_modules(OPENMPT   REQUIRED IMPORTED_TARGET libopenmpt)
pkg_check_modules(KISSFFT   REQUIRED IMPORTED_TARGET kissfft-float)
pkg_check_modules(ASSIMP    REQUIRED IMPORTED_TARGET assimp)
pkg_check_modules(FREETYPE  REQUIRED IMPORTED_TARGET freetype2)

# FLTK ships no pkg-config file; ask fltk-config.
find_program(FLTK_CONFIG fltk-config REQUIRED)
execute_process(COMMAND ${FLTK_CONFIG} --cxxflags OUTPUT_VARIABLE FLTK_CXXFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${FLTK_CONFIG} --use-images --ldflags OUTPUT_VARIABLE FLTK_LDFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(FLTK_CXXFLAGS UNIX_COMMAND "${FLTK_CXXFLAGS}")
separate_arguments(FLTK_LDFLAGS UNIX_COMMAND "${FLTK_LDFLAGS}")
add_library(demosys_fltk INTERFACE)
target_compile_options(demosys_fltk INTERFACE ${FLTK_CXXFLAGS})
target_link_libraries(demosys_fltk INTERFACE ${FLTK_LDFLAGS})

if(DEMOSYS_TESTS)
  find_package(GTest REQUIRED)
endif()
if(DEMOSYS_BENCH)
  find_package(benchmark REQUIRED)
endif()
