# Installs into a scratch prefix and checks that the program, its desktop
# entry and its icon land where desktops look for them.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path
        bin/Varvik141
        share/applications/${APP_ID}.desktop
        share/icons/hicolor/32x32/apps/${APP_ID}.png
        share/varvik/background@2x.png
        share/metainfo/${APP_ID}.metainfo.xml
        share/icons/hicolor/16x16/apps/${APP_ID}.png
        share/icons/hicolor/256x256/apps/${APP_ID}.png
        share/man/man6/Varvik141.6.gz
        share/doc/varvik/changelog.gz)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(STRINGS "${PREFIX}/share/applications/${APP_ID}.desktop" icon_line REGEX "^Icon=")
if(NOT icon_line STREQUAL "Icon=${APP_ID}")
    message(FATAL_ERROR "the desktop entry names the icon '${icon_line}'")
endif()
file(STRINGS "${PREFIX}/share/applications/${APP_ID}.desktop" class_line REGEX "^StartupWMClass=")
if(NOT class_line STREQUAL "StartupWMClass=Varvik141")
    message(FATAL_ERROR "the desktop entry names the window class '${class_line}'")
endif()
file(REMOVE_RECURSE "${PREFIX}")
