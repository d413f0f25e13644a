# Installs the libraries with an exported CMake package, so a host writes
#   find_package(vxQueryBuilder) and links vx::sql or vx::querybuilder.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Installed names match the in-tree aliases: vx::sql and vx::querybuilder.
set_target_properties(vxsql PROPERTIES EXPORT_NAME sql)
set(vx_install_targets vxsql)
if(TARGET vxquerybuilder)
  set_target_properties(vxquerybuilder PROPERTIES EXPORT_NAME querybuilder)
  list(APPEND vx_install_targets vxquerybuilder)
endif()
install(TARGETS ${vx_install_targets} EXPORT vxQueryBuilderTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vxQueryBuilder)
install(EXPORT vxQueryBuilderTargets NAMESPACE vx:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vxQueryBuilder)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/vxQueryBuilderConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/vxQueryBuilderConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vxQueryBuilder)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/vxQueryBuilderConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vxQueryBuilderConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/vxQueryBuilderConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vxQueryBuilder)

# The command-line tool, for hosts that check or format SQL in their own builds.
if(TARGET vxsql_cli)
  install(TARGETS vxsql_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
