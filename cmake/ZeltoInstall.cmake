# `cmake --install` rules: the application in <prefix>/lib/zelto laid out like
# the build tree's bin/, a <prefix>/bin/zelto link to it, the desktop
# integration, and the SDK (headers under <prefix>/include/zelto, CMake
# package ZeltoCore). Plug-ins install themselves in zelto_add_plugin.
include(CMakePackageConfigHelpers)

# The executable and the libraries carry $ORIGIN-based RPATHs (set where they
# are defined), so the installed tree works under any prefix.
install(TARGETS zelto RUNTIME DESTINATION ${ZELTO_INSTALL_APPDIR} COMPONENT Runtime)
install(TARGETS ExtensionSystem EXPORT ZeltoCoreTargets
    LIBRARY DESTINATION ${ZELTO_INSTALL_APPDIR} COMPONENT Runtime
    RUNTIME DESTINATION ${ZELTO_INSTALL_APPDIR} COMPONENT Runtime)

# A relative link keeps the installed tree relocatable. QCoreApplication
# resolves it (/proc/self/exe), so applicationDirPath() is still lib/zelto.
if(UNIX)
    file(RELATIVE_PATH zelto_link_target ${CMAKE_INSTALL_PREFIX}/bin
         ${CMAKE_INSTALL_PREFIX}/${ZELTO_INSTALL_APPDIR}/zelto)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/bin)
    file(CREATE_LINK ${zelto_link_target} ${CMAKE_BINARY_DIR}/packaging/bin/zelto SYMBOLIC)
    install(FILES ${CMAKE_BINARY_DIR}/packaging/bin/zelto DESTINATION bin COMPONENT Runtime)
endif()

# Catalogues, styles and help documents are produced into bin/ by the build;
# the set of languages is whatever the build made.
install(DIRECTORY ${ZELTO_BIN_DIR}/translations ${ZELTO_BIN_DIR}/resources
    DESTINATION ${ZELTO_INSTALL_APPDIR} COMPONENT Runtime OPTIONAL)
install(CODE "
    file(GLOB zelto_help_documents \"${ZELTO_BIN_DIR}/zelto_help_*.pdf\")
    if(zelto_help_documents)
        file(INSTALL \${zelto_help_documents}
             DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${ZELTO_INSTALL_APPDIR}\")
    endif()" COMPONENT Runtime)

# The headers other plug-ins compile against, plus every header of this tree
# they include. The closure is taken at configure time, so a class that starts
# including another header cannot leave an installed header dangling.
set(ZELTO_SDK_HEADERS
    core/core_global.h
    core/isingleton.h
    core/iui.h
    core/icore.h
    core/coreids.h
    core/mainwindow.h
    core/actionmanager/context.h
    core/actionmanager/contextmanager.h
    core/actionmanager/contextaction.h
    core/actionmanager/proxyaction.h
    core/actionmanager/actioncontainer.h
    core/actionmanager/actionmanager.h
    core/documents/breakpoint.h
    core/documents/idocument.h
    core/documents/documentmanager.h
    core/documents/ieditor.h
    core/documents/editormanager.h
    core/documents/idocumentfactory.h
    core/documents/icreatedocumentdlg.h
    # One rule for files that must stay inside a folder: plug-ins check theirs with it.
    core/documents/pathcheck.h
    core/ui/ztnotificationbar.h
    # MainWindow::getMdiArea() hands out the work area.
    core/welcome/imainmdiarea.h
    core/welcome/websocketclientwrapper.h
    core/welcome/websockettransport.h
    # For plug-ins that read JSON from outside: checked before Qt's reader sees it.
    core/welcome/jsonkeyscanner.h
    core/i18n/languageinfo.h
    core/i18n/ilanguagemanager.h
    core/i18n/themesinfo.h
    core/i18n/ithemesmanager.h
    core/options/ioptionsdlg.h
    core/options/ioptionpage.h
    core/updater/qsimpleupdater.h
    extensionsystem/extensionsystem_global.h
    extensionsystem/iplugin.h
    # For plug-ins with command-line options that run without the window.
    extensionsystem/iwindowlesscommand.h
    extensionsystem/pluginmanager.h
    # PluginManager hands out PluginInfo records (loadQueue(), plugins()).
    extensionsystem/plugininfo.h
    extensionsystem/plugindependency.h
)

function(zelto_header_closure out)
    set(pending ${ARGN})
    set(seen)
    while(pending)
        list(POP_FRONT pending header)
        if(header IN_LIST seen)
            continue()
        endif()
        # A header named above that is not in the tree (yet) is reported and
        # skipped; the installed-headers check catches an include left dangling.
        if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${header})
            message(STATUS "SDK: ${header} is not in the tree; not installed")
            continue()
        endif()
        if(header MATCHES "_p\\.h$")
            message(FATAL_ERROR "The SDK header closure reached the private header ${header}")
        endif()
        list(APPEND seen ${header})
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${header})
        file(STRINGS ${CMAKE_SOURCE_DIR}/${header} includes
             REGEX "^[ \t]*#[ \t]*include[ \t]+\"(core|extensionsystem)/")
        foreach(line ${includes})
            string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" included "${line}")
            list(APPEND pending ${included})
        endforeach()
    endwhile()
    list(SORT seen)
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

zelto_header_closure(zelto_installed_headers ${ZELTO_SDK_HEADERS})
foreach(header ${zelto_installed_headers})
    get_filename_component(folder ${header} DIRECTORY)
    install(FILES ${CMAKE_SOURCE_DIR}/${header}
        DESTINATION ${ZELTO_INSTALL_INCLUDEDIR}/${folder} COMPONENT Development)
endforeach()
# The installed-headers check compiles each of these on its own.
string(REPLACE ";" "\n" zelto_header_list "${zelto_installed_headers}")
file(WRITE ${CMAKE_BINARY_DIR}/packaging/sdk-headers.txt "${zelto_header_list}\n")
install(FILES ${CMAKE_BINARY_DIR}/packaging/sdk-headers.txt
    DESTINATION ${ZELTO_INSTALL_CMAKEDIR} COMPONENT Development)

target_include_directories(ExtensionSystem INTERFACE $<INSTALL_INTERFACE:${ZELTO_INSTALL_INCLUDEDIR}>)
target_include_directories(Core INTERFACE $<INSTALL_INTERFACE:${ZELTO_INSTALL_INCLUDEDIR}>)

# Plug-ins name the core's plug-in version in their dependencies.
file(READ ${CMAKE_SOURCE_DIR}/core/core.json zelto_core_metadata)
string(JSON ZELTO_CORE_PLUGIN_VERSION GET "${zelto_core_metadata}" Version)

install(EXPORT ZeltoCoreTargets NAMESPACE Zelto::
    DESTINATION ${ZELTO_INSTALL_CMAKEDIR} COMPONENT Development)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/ZeltoCoreConfig.cmake.in
    ${CMAKE_BINARY_DIR}/packaging/ZeltoCoreConfig.cmake
    INSTALL_DESTINATION ${ZELTO_INSTALL_CMAKEDIR}
    PATH_VARS ZELTO_INSTALL_APPDIR ZELTO_INSTALL_PLUGINDIR ZELTO_INSTALL_INCLUDEDIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/ZeltoCoreConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES
    ${CMAKE_BINARY_DIR}/packaging/ZeltoCoreConfig.cmake
    ${CMAKE_BINARY_DIR}/packaging/ZeltoCoreConfigVersion.cmake
    DESTINATION ${ZELTO_INSTALL_CMAKEDIR} COMPONENT Development)
