# cmake -DSOURCE_DIR=... -DSTAGE_DIR=... -DTARBALL=... -DVERSION=... -P make_octave_package.cmake
# Lays out the Octave package (DESCRIPTION, COPYING, INDEX, inst/, src/) and
# packs it into the tarball that `pkg install` takes.
set(root ${STAGE_DIR}/planestat)
file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${root}/inst ${root}/src)

set(PROJECT_VERSION ${VERSION})
configure_file(${SOURCE_DIR}/package/DESCRIPTION.in ${root}/DESCRIPTION @ONLY)
file(COPY ${SOURCE_DIR}/COPYING ${SOURCE_DIR}/package/INDEX ${SOURCE_DIR}/package/post_install.m
     DESTINATION ${root})
file(GLOB help_twins ${SOURCE_DIR}/inst/*.m)
file(COPY ${help_twins} DESTINATION ${root}/inst)
file(COPY ${SOURCE_DIR}/package/Makefile DESTINATION ${root}/src)
foreach(dir gateway window_stats classifiers maps contours)
  file(COPY ${SOURCE_DIR}/${dir} DESTINATION ${root}/src FILES_MATCHING PATTERN "*.cpp" PATTERN "*.h")
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E tar czf ${TARBALL} planestat
                WORKING_DIRECTORY ${STAGE_DIR} RESULT_VARIABLE packed)
if(NOT packed EQUAL 0)
  message(FATAL_ERROR "could not pack ${TARBALL}")
endif()
