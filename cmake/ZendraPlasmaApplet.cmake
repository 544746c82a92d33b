# The Plasma applet (plasma/) is a CMake project of its own: it builds against Qt 5 and KDE Frameworks 5,
# whose CMake packages must not meet Qt 6's in one project. It is built as an external project when KF5
# Plasma and Qt 5 Quick are installed (ZENDRA_PLASMA_APPLET=AUTO), always (ON, failing without them) or
# never (OFF), and installed with the rest. ZENDRA_PLASMA_APPLET_BUILD_DIR names its build folder, where
# the QML module (qml/) and the plasmoid package (share/) sit as they are installed.
set(ZENDRA_PLASMA_APPLET AUTO CACHE STRING "Build the Plasma applet: AUTO, ON or OFF")
set_property(CACHE ZENDRA_PLASMA_APPLET PROPERTY STRINGS AUTO ON OFF)

# Looked up as files, not with find_package, which would bring Qt 5 into this project.
find_file(ZENDRA_KF5_PLASMA_CONFIG KF5PlasmaConfig.cmake
    PATH_SUFFIXES lib/${CMAKE_LIBRARY_ARCHITECTURE}/cmake/KF5Plasma lib/cmake/KF5Plasma)
find_file(ZENDRA_QT5_QUICK_CONFIG Qt5QuickConfig.cmake
    PATH_SUFFIXES lib/${CMAKE_LIBRARY_ARCHITECTURE}/cmake/Qt5Quick lib/cmake/Qt5Quick)
find_file(ZENDRA_QT5_DBUS_CONFIG Qt5DBusConfig.cmake
    PATH_SUFFIXES lib/${CMAKE_LIBRARY_ARCHITECTURE}/cmake/Qt5DBus lib/cmake/Qt5DBus)
set(plasma_found FALSE)
if(ZENDRA_KF5_PLASMA_CONFIG AND ZENDRA_QT5_QUICK_CONFIG AND ZENDRA_QT5_DBUS_CONFIG)
    set(plasma_found TRUE)
endif()

if(ZENDRA_PLASMA_APPLET STREQUAL "OFF" OR (ZENDRA_PLASMA_APPLET STREQUAL "AUTO" AND NOT plasma_found))
    if(NOT ZENDRA_PLASMA_APPLET STREQUAL "OFF")
        message(STATUS "Plasma applet: not built (needs libkf5plasma-dev and qtdeclarative5-dev)")
    endif()
    return()
endif()

include(ExternalProject)
set(ZENDRA_PLASMA_APPLET_BUILD_DIR ${CMAKE_BINARY_DIR}/plasma)
ExternalProject_Add(zendra_plasma_applet
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/plasma
    BINARY_DIR ${ZENDRA_PLASMA_APPLET_BUILD_DIR}
    CMAKE_ARGS
        -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
        -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER}
        -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
        -DZENDRA_WERROR=${ZENDRA_WERROR}
        -DZENDRA_HOST=${ZENDRA_HOST}
    # Its own build decides what is out of date.
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD OFF)

# Installed by the applet project's own rules into the same prefix (and DESTDIR, which the child
# process inherits), so that `cmake --install` carries it; the package builds it into a package of
# its own (component `plasma`), since it brings Qt 5 that the rest does not need.
install(CODE "
    set(strip)
    if(CMAKE_INSTALL_DO_STRIP)
        set(strip --strip)
    endif()
    execute_process(COMMAND \"${CMAKE_COMMAND}\" --install \"${ZENDRA_PLASMA_APPLET_BUILD_DIR}\"
                            --prefix \"\${CMAKE_INSTALL_PREFIX}\" \${strip}
                    RESULT_VARIABLE applet_install_result)
    if(applet_install_result)
        message(FATAL_ERROR \"installing the Plasma applet failed\")
    endif()
" COMPONENT plasma)
