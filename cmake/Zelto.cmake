# Helpers shared by the libraries, plug-ins, tests and benchmarks.

# Where `cmake --install` puts things, relative to the prefix. The application
# folder looks like the build tree's bin/: the code finds plug-ins, catalogues,
# styles and help files next to QCoreApplication::applicationDirPath().
set(ZELTO_INSTALL_APPDIR lib/zelto)
set(ZELTO_INSTALL_PLUGINDIR ${ZELTO_INSTALL_APPDIR}/plugins)
set(ZELTO_INSTALL_INCLUDEDIR include/zelto)
set(ZELTO_INSTALL_CMAKEDIR lib/cmake/ZeltoCore)
# The plug-ins other plug-ins link to; the SDK exports them as Zelto::<name>.
set(ZELTO_SDK_PLUGINS Core)

# zelto_add_plugin(<target> SOURCES ... [LIBS ...])
# A plug-in is a shared library in bin/plugins that the host finds by its metadata.
function(zelto_add_plugin target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${target} SHARED ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ExtensionSystem ${ARG_LIBS})
    set_target_properties(${target} PROPERTIES
        LIBRARY_OUTPUT_DIRECTORY ${ZELTO_PLUGIN_DIR}
        RUNTIME_OUTPUT_DIRECTORY ${ZELTO_PLUGIN_DIR}
        BUILD_RPATH "$ORIGIN;$ORIGIN/.."
        INSTALL_RPATH "$ORIGIN;$ORIGIN/..")
    if(target IN_LIST ZELTO_SDK_PLUGINS)
        install(TARGETS ${target} EXPORT ZeltoCoreTargets
            LIBRARY DESTINATION ${ZELTO_INSTALL_PLUGINDIR} COMPONENT Runtime
            RUNTIME DESTINATION ${ZELTO_INSTALL_PLUGINDIR} COMPONENT Runtime)
    else()
        install(TARGETS ${target}
            LIBRARY DESTINATION ${ZELTO_INSTALL_PLUGINDIR} COMPONENT Runtime
            RUNTIME DESTINATION ${ZELTO_INSTALL_PLUGINDIR} COMPONENT Runtime)
    endif()
endfunction()
