# The package other CMake projects use:
#
#   find_package(PresentationModel CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE presmodel::presmodel)      # models, serializers, catalogue
#   target_link_libraries(app PRIVATE presmodel::wire)           # wire text (JSON) and back
#
# `cmake --install build --prefix DIR` puts the headers (library, framework, the platform
# stand-in and the generated ones) under include/presmodel, the shared libraries under lib,
# pmtool under bin, what readers of the wire text use (schema, TypeScript declarations,
# listing, and the web reader's package folder web/) under share/presmodel, and the package
# configuration under
# lib/cmake/PresentationModel. Qt is found by the package's own dependency lookup.

include(CMakePackageConfigHelpers)

set(PM_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/presmodel)
set(PM_DATA_DIR ${CMAKE_INSTALL_DATADIR}/presmodel)
set(PM_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/PresentationModel)

set_target_properties(presmodel PROPERTIES EXPORT_NAME presmodel)
set_target_properties(presmodelwire PROPERTIES EXPORT_NAME wire)
set_target_properties(vqxplatform PROPERTIES EXPORT_NAME platform)
foreach(target presmodel presmodelwire vqxplatform)
  target_include_directories(${target} INTERFACE $<INSTALL_INTERFACE:${PM_INCLUDE_DIR}>)
endforeach()
target_compile_features(vqxplatform PUBLIC cxx_std_20)
if(PM_SANITIZE)
  # Whatever links sanitized libraries needs the sanitizers' runtime.
  target_link_options(vqxplatform INTERFACE -fsanitize=address,undefined)
endif()

install(TARGETS presmodel presmodelwire vqxplatform EXPORT PresentationModelTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS pmtool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

foreach(dir framework wire presentation-model)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/${dir}/ DESTINATION ${PM_INCLUDE_DIR}/${dir} FILES_MATCHING PATTERN "*.h"
          PATTERN "TraceCursor.h" EXCLUDE)
endforeach()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/platform/ DESTINATION ${PM_INCLUDE_DIR}
        FILES_MATCHING PATTERN "*.h" PATTERN "enums" EXCLUDE)
install(DIRECTORY ${CMAKE_BINARY_DIR}/codegen/models ${CMAKE_BINARY_DIR}/codegen/enums
        DESTINATION ${PM_INCLUDE_DIR} FILES_MATCHING PATTERN "*.h")
install(DIRECTORY ${CMAKE_BINARY_DIR}/platform/generated/ DESTINATION ${PM_INCLUDE_DIR} FILES_MATCHING PATTERN "*.h")
install(FILES ${WIRE_TYPES_DIR}/presmodel.schema.json ${WIRE_TYPES_DIR}/presmodel.d.ts
              ${WIRE_TYPES_DIR}/presmodel.listing.json
        DESTINATION ${PM_DATA_DIR})
# The web reader: a folder with its package.json that a web project depends on, and the viewer.
set(PM_WEB_READER OFF)
if(WEB_READER_DIR)
  set(PM_WEB_READER ON)
  install(DIRECTORY ${WEB_READER_DIR}/ DESTINATION ${PM_DATA_DIR}/web)
endif()

install(EXPORT PresentationModelTargets NAMESPACE presmodel:: DESTINATION ${PM_CONFIG_DIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/PresentationModelConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/PresentationModelConfig.cmake
                              INSTALL_DESTINATION ${PM_CONFIG_DIR}
                              PATH_VARS PM_INCLUDE_DIR PM_DATA_DIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/PresentationModelConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/PresentationModelConfig.cmake
              ${CMAKE_BINARY_DIR}/PresentationModelConfigVersion.cmake
        DESTINATION ${PM_CONFIG_DIR})
