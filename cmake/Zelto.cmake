# Helpers shared by the libraries, plug-ins, tests and benchmarks.

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
endfunction()
