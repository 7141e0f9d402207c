# Installs the build into PREFIX and checks what the desktop's menu needs.
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch folder> -P installcheck.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed with ${rc}")
endif()

include(GNUInstallDirs)
set(entry "${PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/statorium.desktop")
set(icon "${PREFIX}/${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps/statorium.svg")
foreach(path "${PREFIX}/${CMAKE_INSTALL_BINDIR}/statorium"
             "${PREFIX}/${CMAKE_INSTALL_BINDIR}/statorium-cli" "${entry}" "${icon}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

# The entry must start the installed program and name the installed icon.
file(STRINGS "${entry}" lines)
foreach(required "[Desktop Entry]" "Type=Application" "Exec=statorium" "Icon=statorium")
  list(FIND lines "${required}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry lacks the line \"${required}\"")
  endif()
endforeach()
file(READ "${icon}" svg LIMIT 4096)
if(NOT svg MATCHES "<svg")
  message(FATAL_ERROR "the icon is not an SVG picture")
endif()
file(REMOVE_RECURSE "${PREFIX}")
