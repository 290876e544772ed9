# The installed package: headers, static libraries, start objects and a config file, so that an
# application does find_package(Vexel) and links Vexel::vexel.
#
# Windows builds only: the native build holds just the portable core (no windows, no skinning)
# and is built with sanitizers for the tests, so a package of it would serve no application.

# Windows libraries have no place in the host's /usr/local: without --prefix they go beside the
# build.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX ${CMAKE_BINARY_DIR}/install CACHE PATH "Install prefix" FORCE)
endif()
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Everything a skinned application needs; Vexel::vexel in the build tree too.
set(vx_package_libraries framework_core framework_graphics framework_ui vexel_graphics vexel_theme vexel_skin
  vexel_msstyles vexel_controls vexel_forms vexel_menus vexel_edits)
# Found by the installed config with find_dependency; a Find<Name>.cmake in cmake/ is shipped
# beside it.
set(vx_package_dependencies ZLIB PNG LibDeflate)

add_library(vexel INTERFACE)
target_link_libraries(vexel INTERFACE ${vx_package_libraries})
add_library(Vexel::vexel ALIAS vexel)

# The headers use C++20 and were compiled for the build's Windows version, without the min and
# max macros; an application must see the same declarations. How much of windows.h it wants is
# its own choice.
target_compile_features(framework_core PUBLIC cxx_std_20)
get_directory_property(vx_definitions DIRECTORY ${PROJECT_SOURCE_DIR} COMPILE_DEFINITIONS)
list(REMOVE_ITEM vx_definitions WIN32_LEAN_AND_MEAN)
target_compile_definitions(framework_core INTERFACE "$<INSTALL_INTERFACE:${vx_definitions}>")

# A library's start objects (registrations the linker would otherwise drop, and the .rc glyphs)
# stand in its link interface as $<TARGET_OBJECTS:...> (vexel/CMakeLists.txt). That stays for the
# build tree; the package installs them as object files and links them the same way through their
# imported targets, so that every start object added there reaches the package by itself.
set(vx_start_objects "")
foreach(library IN LISTS vx_package_libraries)
  get_target_property(links ${library} INTERFACE_LINK_LIBRARIES)
  if(NOT links)
    continue()
  endif()
  set(rewritten "")
  foreach(item IN LISTS links)
    if(item MATCHES "^\\$<TARGET_OBJECTS:([A-Za-z0-9_]+)>$")
      list(APPEND vx_start_objects ${CMAKE_MATCH_1})
      set(item "$<BUILD_INTERFACE:${item}>;$<INSTALL_INTERFACE:$<TARGET_OBJECTS:Vexel::${CMAKE_MATCH_1}>>")
    endif()
    list(APPEND rewritten "${item}")
  endforeach()
  set_target_properties(${library} PROPERTIES INTERFACE_LINK_LIBRARIES "${rewritten}")
endforeach()

install(TARGETS ${vx_package_libraries} ${vx_start_objects} vexel EXPORT VexelTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  OBJECTS DESTINATION ${CMAKE_INSTALL_LIBDIR}/vexel
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
foreach(folder framework vexel)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${folder}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${folder}
    FILES_MATCHING PATTERN "*.h")
endforeach()
install(TARGETS skintool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(vx_config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Vexel)
install(EXPORT VexelTargets NAMESPACE Vexel:: DESTINATION ${vx_config_dir})
# Dependencies cross-built into .cache (no MinGW package of them exists) travel with the package:
# an application's toolchain has no such folder. The config points the find module's cache
# variables at the copies, unless the application chose its own.
set(vx_bundled_settings "")
function(vx_bundle_dependency library_variable include_variable)
  set(library ${${library_variable}})
  if(NOT library MATCHES "^${PROJECT_SOURCE_DIR}/\\.cache/")
    return()
  endif()
  # The archive itself, not a symbolic link to it.
  get_filename_component(library ${library} REALPATH)
  get_filename_component(library_name ${library} NAME)
  install(FILES ${library} DESTINATION ${CMAKE_INSTALL_LIBDIR})
  foreach(header IN LISTS ARGN)
    install(FILES ${${include_variable}}/${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  endforeach()
  string(APPEND vx_bundled_settings
    "if(NOT DEFINED ${library_variable})\n"
    "  set(${library_variable} \"\${PACKAGE_PREFIX_DIR}/${CMAKE_INSTALL_LIBDIR}/${library_name}\" CACHE FILEPATH \"\")\n"
    "  set(${include_variable} \"\${PACKAGE_PREFIX_DIR}/${CMAKE_INSTALL_INCLUDEDIR}\" CACHE PATH \"\")\n"
    "endif()\n")
  set(vx_bundled_settings "${vx_bundled_settings}" PARENT_SCOPE)
endfunction()
vx_bundle_dependency(PNG_LIBRARY_RELEASE PNG_PNG_INCLUDE_DIR png.h pngconf.h pnglibconf.h)
vx_bundle_dependency(LibDeflate_LIBRARY LibDeflate_INCLUDE_DIR libdeflate.h)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VexelConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/VexelConfig.cmake INSTALL_DESTINATION ${vx_config_dir})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VexelConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VexelConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/VexelConfigVersion.cmake
  DESTINATION ${vx_config_dir})
foreach(dependency IN LISTS vx_package_dependencies)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/Find${dependency}.cmake)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/Find${dependency}.cmake DESTINATION ${vx_config_dir})
  endif()
endforeach()
