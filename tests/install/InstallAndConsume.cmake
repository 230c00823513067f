# Installs the built library into a scratch prefix, then configures, builds and
# runs a small consumer against it, once through find_package and once through
# pkg-config when it is available.
foreach(var KZ_BUILD_DIR KZ_CONSUMER_SOURCE KZ_WORK_DIR KZ_CXX_COMPILER)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

set(prefix ${KZ_WORK_DIR}/prefix)
file(REMOVE_RECURSE ${KZ_WORK_DIR})
file(MAKE_DIRECTORY ${KZ_WORK_DIR})

function(run_step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "step failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
endfunction()

run_step(${CMAKE_COMMAND} --install ${KZ_BUILD_DIR} --prefix ${prefix})

# Consumer through the exported CMake package.
run_step(${CMAKE_COMMAND} -S ${KZ_CONSUMER_SOURCE} -B ${KZ_WORK_DIR}/build
         -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${KZ_CXX_COMPILER})
run_step(${CMAKE_COMMAND} --build ${KZ_WORK_DIR}/build)
run_step(${KZ_WORK_DIR}/build/kz_consumer)

# Consumer through pkg-config.
find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
  file(GLOB_RECURSE pcfile ${prefix}/*/kzcommon12r.pc)
  get_filename_component(pcdir "${pcfile}" DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} ${pcdir})
  execute_process(COMMAND ${PKG_CONFIG} --cflags --libs kzcommon12r
                  OUTPUT_VARIABLE flags RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know kzcommon12r")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  execute_process(COMMAND ${PKG_CONFIG} --variable=libdir kzcommon12r
                  OUTPUT_VARIABLE libdir OUTPUT_STRIP_TRAILING_WHITESPACE)
  run_step(${KZ_CXX_COMPILER} -std=c++17 ${KZ_CONSUMER_SOURCE}/consumer.cpp ${flags}
           -Wl,-rpath,${libdir} -o ${KZ_WORK_DIR}/kz_consumer_pc)
  run_step(${KZ_WORK_DIR}/kz_consumer_pc)
endif()
