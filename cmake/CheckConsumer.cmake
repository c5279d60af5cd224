# Installs the build into a fresh prefix, then configures, builds and runs the consumer
# project (examples/consumer) against the installed package, and runs the installed pmtool.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -DCXX=... -DBUILD_TYPE=... -P CheckConsumer.cmake

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${out}\n${err}")
  endif()
  message(STATUS "${what}: ok")
  set(OUTPUT "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run("configure the consumer" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/consumer -B ${WORK_DIR}/build -G Ninja
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    -DCMAKE_FIND_PACKAGE_NO_PACKAGE_REGISTRY=ON)
run("build the consumer" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run("run the consumer" ${WORK_DIR}/build/consumer)
message(STATUS "${OUTPUT}")
run("run the installed pmtool" ${prefix}/bin/pmtool model ZoneVisibilityFromFieldPresModel)
