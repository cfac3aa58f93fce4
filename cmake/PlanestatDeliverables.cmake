# planestat_add_host_variant(<variant> <mex api target> <output dir> <suffix>)
#
# Builds the shared code and one loadable module per function against one
# host's MEX API (our own host, GNU Octave, or MATLAB through matlab_add_mex). The same sources go into both:
#   planestat_gateway_<variant>  the entry-point frame
#   planestat_workers_<variant>  every function's worker and its declaration
#   <fn>_<variant>               the module <output dir>/<fn><suffix>, which
#                                exports mexFunction and nothing else
function(planestat_add_host_variant variant mex_api output_dir suffix)
  set(src ${PROJECT_SOURCE_DIR})
  add_library(planestat_gateway_${variant} STATIC
    ${src}/gateway/check_arity.cpp ${src}/gateway/frame.cpp
    ${src}/gateway/function_frames.cpp ${src}/gateway/input_checks.cpp)
  target_link_libraries(planestat_gateway_${variant} PUBLIC planestat_core ${mex_api})

  file(GLOB worker_sources CONFIGURE_DEPENDS
    ${src}/classifiers/*.cpp ${src}/maps/*.cpp ${src}/contours/*.cpp)
  add_library(planestat_workers_${variant} STATIC ${worker_sources})
  target_link_libraries(planestat_workers_${variant} PUBLIC planestat_gateway_${variant})
  set_target_properties(planestat_gateway_${variant} planestat_workers_${variant}
    PROPERTIES CXX_VISIBILITY_PRESET hidden)

  foreach(fn ${PLANESTAT_FUNCTIONS})
    # A function is built once its declaration exists.
    file(GLOB declared ${src}/classifiers/${fn}.cpp ${src}/maps/${fn}.cpp ${src}/contours/${fn}.cpp)
    if(NOT declared)
      continue()
    endif()
    if(variant STREQUAL "matlab")
      # MATLAB's own rules for naming, linking and exporting a MEX file.
      matlab_add_mex(NAME ${fn}_matlab MODULE SRC ${src}/gateway/mex_entry.cpp
                     OUTPUT_NAME ${fn} LINK_TO planestat_workers_matlab)
      set_target_properties(${fn}_matlab PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${output_dir})
    else()
      add_library(${fn}_${variant} MODULE ${src}/gateway/mex_entry.cpp)
      target_link_libraries(${fn}_${variant} PRIVATE planestat_workers_${variant})
      set_target_properties(${fn}_${variant} PROPERTIES
        OUTPUT_NAME ${fn} PREFIX "" SUFFIX ${suffix}
        LIBRARY_OUTPUT_DIRECTORY ${output_dir}
        CXX_VISIBILITY_PRESET hidden)
    endif()
    target_compile_definitions(${fn}_${variant} PRIVATE PLANESTAT_DELIVERABLE=${fn}_deliverable)
    set_property(GLOBAL APPEND PROPERTY PLANESTAT_MODULES_${variant} ${fn}_${variant})
  endforeach()
endfunction()
