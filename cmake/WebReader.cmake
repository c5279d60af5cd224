# The web reader of the wire text: the module generated beside the schema from every
# description (${WIRE_TYPES_DIR}/web/presmodel.ts: types and tables) and the engine that reads
# and writes by its tables (web/wire.ts), compiled by tsc with their declarations into a
# package folder, build/web/presmodel (package.json, README.md, presmodel.js, presmodel.d.ts,
# wire.js, wire.d.ts), with the viewer page (viewer.html: web/viewer.html and web/viewer.ts, the
# reader inside it). Included where the wire types are generated (tools/pmtool); sets
# WEB_READER_DIR for the install rules and the tests.

find_program(PM_TSC tsc)
if(NOT PM_TSC)
  message(WARNING "tsc not found (Debian's node-typescript, scripts/setup.sh): the web reader is not built")
  return()
endif()

set(WEB_READER_DIR ${CMAKE_BINARY_DIR}/web/presmodel)
set(web_src ${CMAKE_BINARY_DIR}/web/src)
set(web_js ${CMAKE_BINARY_DIR}/web/js)
set(web_sources ${CMAKE_SOURCE_DIR}/web/wire.ts ${CMAKE_SOURCE_DIR}/web/viewer.ts)
set(web_package presmodel.js presmodel.d.ts wire.js wire.d.ts)
list(TRANSFORM web_package PREPEND ${WEB_READER_DIR}/ OUTPUT_VARIABLE web_outputs)

configure_file(${CMAKE_SOURCE_DIR}/web/package.json.in ${WEB_READER_DIR}/package.json @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/web/README.md ${WEB_READER_DIR}/README.md COPYONLY)
add_custom_command(
  OUTPUT ${web_outputs} ${web_js}/viewer.js
  COMMAND ${CMAKE_COMMAND} -E make_directory ${web_src}
  COMMAND ${CMAKE_COMMAND} -E copy ${WIRE_TYPES_DIR}/web/presmodel.ts ${web_sources} ${web_src}
  COMMAND ${PM_TSC} --strict --noUnusedLocals --target es2020 --module es2020 --lib es2020,dom --declaration
          --outDir ${web_js} ${web_src}/presmodel.ts ${web_src}/wire.ts ${web_src}/viewer.ts
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${web_js}/presmodel.js ${web_js}/presmodel.d.ts ${web_js}/wire.js
          ${web_js}/wire.d.ts ${WEB_READER_DIR}
  DEPENDS ${WIRE_TYPES_DIR}/generated.stamp ${web_sources}
  COMMENT "Compiling the web reader"
  VERBATIM)
add_custom_command(
  OUTPUT ${WEB_READER_DIR}/viewer.html
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/web/bundle.py ${CMAKE_SOURCE_DIR}/web/viewer.html
          ${WEB_READER_DIR}/viewer.html ${web_js}/wire.js ${web_js}/presmodel.js ${web_js}/viewer.js
  DEPENDS ${CMAKE_SOURCE_DIR}/web/bundle.py ${CMAKE_SOURCE_DIR}/web/viewer.html ${web_outputs} ${web_js}/viewer.js
  COMMENT "Making the wire text viewer page"
  VERBATIM)
add_custom_target(web_reader ALL DEPENDS ${web_outputs} ${WEB_READER_DIR}/viewer.html)

# The benchmark of reading and writing the benchmarks' 2.5 MB document beside JSON.parse and
# JSON.stringify of the same text (medians of 5).
find_program(PM_NODE NAMES node nodejs)
if(PM_NODE)
  add_custom_target(bench-web
    COMMAND $<TARGET_FILE:pmtool> demo --text 2.5MB > ${CMAKE_BINARY_DIR}/web/document-2.5MB.txt
    COMMAND ${PM_NODE} ${CMAKE_SOURCE_DIR}/bench/WebReaderBench.mjs ${WEB_READER_DIR}
            ${CMAKE_BINARY_DIR}/web/document-2.5MB.txt
    DEPENDS web_reader pmtool
    USES_TERMINAL
    VERBATIM)
endif()

set(WEB_READER_DIR ${WEB_READER_DIR} PARENT_SCOPE)
