# Compiler flags shared by every target of the project: warnings, the
# optional sanitizer build, and a helper that builds one layer's library
# from all sources of its folder.

add_library(demosys_options INTERFACE)
target_compile_options(demosys_options INTERFACE -Wall -Wextra)
if(DEMOSYS_WERROR)
  target_compile_options(demosys_options INTERFACE -Werror)
endif()
# Every header is included as "layer/Name.h" from the project root.
target_include_directories(demosys_options INTERFACE ${PROJECT_SOURCE_DIR})

if(DEMOSYS_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # Every target using the project's options compiles the leak checker's default options in, so
  # the third-party suppressions apply to each program however it is started.
  target_sources(demosys_options INTERFACE ${PROJECT_SOURCE_DIR}/cmake/SanitizerOptions.cpp)
  find_file(DEMOSYS_GL_DRIVER_FILE swrast_dri.so
    PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri /usr/lib/dri NO_DEFAULT_PATH)
  if(NOT DEMOSYS_GL_DRIVER_FILE)
    set(DEMOSYS_GL_DRIVER_FILE "")
  endif()
  target_compile_definitions(demosys_options INTERFACE
    DEMOSYS_LSAN_SUPPRESSIONS="${PROJECT_SOURCE_DIR}/cmake/lsan.supp"
    DEMOSYS_GL_DRIVER="${DEMOSYS_GL_DRIVER_FILE}")
endif()

# demosys_add_layer(NAME DIR) : static library NAME from every .cpp under DIR.
function(demosys_add_layer name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${dir}/*.h)
  add_library(${name} STATIC ${sources} ${headers})
  target_link_libraries(${name} PUBLIC demosys_options)
endfunction()
