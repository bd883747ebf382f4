# Install rules: cmake --install <build> --prefix <dir> lays out
#   bin/MorvaCommonU.dll, bin/<culture>/MorvaCommonResU.dll
#   lib/libMorvaCommonU.dll.a
#   include/MorvaCommon/<folder>/*.h   (included as "listctrl/SECListCtrl.h")
#   lib/cmake/MorvaCommon/             (package configuration, version file, targets)
# so that find_package(MorvaCommon CONFIG) gives the target MorvaCommon::MorvaCommon
# and the function morva_copy_runtime.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(MORVA_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/MorvaCommon)

install(TARGETS MorvaCommonU EXPORT MorvaCommonTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
foreach(culture file IN ZIP_LISTS MORVA_CULTURES MORVA_RESOURCE_FILES)
  install(FILES ${file} DESTINATION ${CMAKE_INSTALL_BINDIR}/${culture})
endforeach()

# Every header of the product folders, in its folder; the resource numbers too,
# for hosts that name the library's resources.
foreach(dir ${MORVA_PRODUCT_DIRS})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/MorvaCommon/${dir}
          FILES_MATCHING PATTERN "*.h")
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/MorvaResourceIds.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/MorvaCommon/resources)
install(FILES ${PROJECT_BINARY_DIR}/generated/MorvaVersion.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/MorvaCommon)

install(EXPORT MorvaCommonTargets NAMESPACE MorvaCommon:: DESTINATION ${MORVA_CONFIG_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/MorvaCommonConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/MorvaCommonConfig.cmake
                              INSTALL_DESTINATION ${MORVA_CONFIG_DIR}
                              PATH_VARS CMAKE_INSTALL_BINDIR)
# A host built against 1.x takes any later 1.x.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/MorvaCommonConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/MorvaCommonConfig.cmake ${PROJECT_BINARY_DIR}/MorvaCommonConfigVersion.cmake
              ${PROJECT_SOURCE_DIR}/cmake/MorvaCommonRuntime.cmake
        DESTINATION ${MORVA_CONFIG_DIR})
