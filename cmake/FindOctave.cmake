# Finds GNU Octave's MEX build support through mkoctfile and defines:
#   Octave_FOUND, OCTAVE_CLI (the octave-cli program), Octave_VERSION
#   Octave::mex  an interface target with the include paths and libraries a
#                .mex file needs (what `mkoctfile --mex` would use)
find_program(OCTAVE_MKOCTFILE mkoctfile)
find_program(OCTAVE_CLI octave-cli)

if(OCTAVE_MKOCTFILE)
  foreach(var OCTINCLUDEDIR OCTLIBDIR)
    execute_process(COMMAND ${OCTAVE_MKOCTFILE} -p ${var} OUTPUT_VARIABLE Octave_${var}
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endforeach()
  execute_process(COMMAND ${OCTAVE_MKOCTFILE} --version OUTPUT_VARIABLE _octave_version_text
                  ERROR_VARIABLE _octave_version_text)
  string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+" Octave_VERSION "${_octave_version_text}")
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Octave
  REQUIRED_VARS OCTAVE_MKOCTFILE OCTAVE_CLI Octave_OCTINCLUDEDIR Octave_OCTLIBDIR
  VERSION_VAR Octave_VERSION)

if(Octave_FOUND AND NOT TARGET Octave::mex)
  add_library(Octave::mex INTERFACE IMPORTED)
  get_filename_component(_octave_include_parent "${Octave_OCTINCLUDEDIR}" DIRECTORY)
  set_target_properties(Octave::mex PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${Octave_OCTINCLUDEDIR};${_octave_include_parent}"
    INTERFACE_LINK_DIRECTORIES "${Octave_OCTLIBDIR}"
    INTERFACE_LINK_LIBRARIES "octinterp;octave"
    INTERFACE_LINK_OPTIONS "-Wl,-Bsymbolic")
endif()
