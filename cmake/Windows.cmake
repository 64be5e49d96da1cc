# mingw-w64 tree: everything, statically linked (no runtime DLLs beside the
# exe), with test programs that ctest runs under Wine.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)

# Every Windows test program runs through the Wine wrapper, with a Wine
# prefix of this build tree's own.
set(QUICKDEX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${QUICKDEX_WINEPREFIX})

# GoogleTest from Debian's sources, built with the cross compilers.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(quickdex_win32 STATIC
  platform/win32/Win32Platform.cpp
  platform/win32/Window.cpp
)
target_link_libraries(quickdex_win32 PUBLIC quickdex_core comctl32 gdi32 winmm shell32 advapi32 user32 kernel32)

# The windows of the program, shared by quickdex.exe and the tests that
# drive them in-process.
add_library(quickdex_ui STATIC
  app/Application.cpp
  ui/main/main.cpp
  ui/main/AutoRun.cpp
  ui/tray/CoolTrayIcon.cpp
  ui/dialogs/AddOrChange.cpp
  ui/dialogs/DoList.cpp
  ui/dialogs/Sort.cpp
  ui/dialogs/psvDialogs.cpp
)
target_link_libraries(quickdex_ui PUBLIC quickdex_win32 comdlg32 ole32)

set(QUICKDEX_RESOURCES ${CMAKE_SOURCE_DIR}/res/quickdex.rc)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I ${CMAKE_SOURCE_DIR}/res")

add_executable(quickdex WIN32 app/WinMain.cpp ${QUICKDEX_RESOURCES})
target_link_libraries(quickdex PRIVATE quickdex_ui)
target_link_options(quickdex PRIVATE -s)

# A target for the live tests: it writes a file beside itself when run.
add_executable(marker tests/win/marker.cpp)
target_link_options(marker PRIVATE -mwindows)

function(quickdex_win_test name)
  add_executable(${name} ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE quickdex_win32 gtest gtest_main)
  add_dependencies(${name} marker)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()

quickdex_win_test(win_platform_tests
  tests/win/ProfileTest.cpp
  tests/win/IniDifferentialTest.cpp
)
quickdex_win_test(win_engine_tests
  tests/win/HotkeyLiveTest.cpp
)

# The windows in-process, with the program's resources.
quickdex_win_test(win_ui_tests
  tests/win/MainFormTest.cpp
  tests/win/EditorTest.cpp
  ${QUICKDEX_RESOURCES}
)
target_link_libraries(win_ui_tests PRIVATE quickdex_ui)

# quickdex.exe driven from another process.
quickdex_win_test(e2e_tests
  tests/e2e/QuickdexE2ETest.cpp
)
add_dependencies(e2e_tests quickdex)
