# pm_generate(<out-var> MODE library|host OUT <dir> [CATALOGUE] [ENUMS files...] [MODELS files...]
#             [HOST_ENUMS files...] [EXTERN_ENUMS files...] [EXTERN_MODELS files...] [NAMES file])
# Runs the model generator at build time and sets <out-var> to the C++ sources it writes.
# The list of outputs is taken from the generator when CMake configures; adding a
# description file re-runs the configuration.

find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(PM_GENERATOR ${CMAKE_SOURCE_DIR}/generator/pmgen.py)
set(PM_GENERATOR_SOURCES ${CMAKE_SOURCE_DIR}/generator/pmgen.py ${CMAKE_SOURCE_DIR}/generator/descriptions.py
                         ${CMAKE_SOURCE_DIR}/generator/wiretypes.py ${CMAKE_SOURCE_DIR}/generator/webmodule.py)

function(pm_generate out_var)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "CATALOGUE" "MODE;OUT;NAMES" "ENUMS;MODELS;HOST_ENUMS;EXTERN_ENUMS;EXTERN_MODELS")
  set(args --out ${ARG_OUT} --mode ${ARG_MODE})
  if(ARG_CATALOGUE)
    list(APPEND args --catalogue)
  endif()
  if(ARG_ENUMS)
    list(APPEND args --enums ${ARG_ENUMS})
  endif()
  if(ARG_MODELS)
    list(APPEND args --models ${ARG_MODELS})
  endif()
  if(ARG_HOST_ENUMS)
    list(APPEND args --host-enums ${ARG_HOST_ENUMS})
  endif()
  foreach(kind EXTERN_ENUMS EXTERN_MODELS)
    if(ARG_${kind})
      string(TOLOWER ${kind} opt)
      string(REPLACE "_" "-" opt ${opt})
      list(APPEND args --${opt} ${ARG_${kind}})
    endif()
  endforeach()
  set(inputs ${ARG_ENUMS} ${ARG_MODELS} ${ARG_HOST_ENUMS} ${ARG_EXTERN_ENUMS} ${ARG_EXTERN_MODELS})
  if(ARG_NAMES)
    list(APPEND args --names ${ARG_NAMES})
    list(APPEND inputs ${ARG_NAMES})
  endif()

  execute_process(
    COMMAND ${Python3_EXECUTABLE} ${PM_GENERATOR} ${args} --list-outputs
    OUTPUT_VARIABLE outputs ERROR_VARIABLE errors RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Model descriptions do not generate:\n${errors}")
  endif()
  string(STRIP "${outputs}" outputs)
  string(REPLACE "\n" ";" outputs "${outputs}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${inputs} ${PM_GENERATOR_SOURCES})

  set(stamp ${ARG_OUT}/generated.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    BYPRODUCTS ${outputs}
    COMMAND ${Python3_EXECUTABLE} ${PM_GENERATOR} ${args}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${inputs} ${PM_GENERATOR_SOURCES}
    COMMENT "Generating ${ARG_MODE} code from descriptions"
    VERBATIM)
  set(sources ${stamp})
  foreach(f IN LISTS outputs)
    if(f MATCHES "\\.cpp$")
      list(APPEND sources ${f})
    endif()
  endforeach()
  set(${out_var} ${sources} PARENT_SCOPE)
endfunction()
