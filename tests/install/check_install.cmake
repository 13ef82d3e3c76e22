# Installs the build into a fresh prefix and checks what a desktop needs from it.
# cmake -DBUILD_DIR=... -DPREFIX=... -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed: ${failed}")
endif()

foreach(path
    "bin/ゆらぎね"
    "share/yuragine/doc/nav.htm"
    "share/applications/yuragine.desktop"
    "share/icons/hicolor/48x48/apps/yuragine.png"
    "share/icons/hicolor/256x256/apps/yuragine.png"
    "share/yuragine/PICTURES-LICENSE.md")
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

set(entry "${PREFIX}/share/applications/yuragine.desktop")
execute_process(COMMAND desktop-file-validate "${entry}" RESULT_VARIABLE invalid
                OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(invalid OR NOT report STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate: ${report}")
endif()

# The entry must start the installed executable with the address, in every place it runs.
file(STRINGS "${entry}" execs ENCODING UTF-8 REGEX "^Exec=")
foreach(line ${execs})
  if(NOT line MATCHES "^Exec=\"${PREFIX}/bin/ゆらぎね\"( %u)?$")
    message(FATAL_ERROR "Exec does not name the installed program: ${line}")
  endif()
endforeach()
file(STRINGS "${entry}" opens ENCODING UTF-8 REGEX "^Exec=.* %u$")
list(LENGTH opens count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the main Exec line must pass the address (%u)")
endif()
file(REMOVE_RECURSE "${PREFIX}")
