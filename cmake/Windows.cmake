# mingw-w64 tree: everything, statically linked (no runtime DLLs beside the
# exe), with test programs that ctest runs under Wine.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
# Each function and datum in a section of its own, so that the linker keeps
# only what the program reaches: a smaller exe, less to load at start-up.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)

# Every Windows test program runs through the Wine wrapper, with a Wine
# prefix of this build tree's own.
set(QUICKDEX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh ${QUICKDEX_WINEPREFIX})

# GoogleTest: an installed one for this compiler (MSYS2's mingw-w64-gtest,
# vcpkg's), else Debian's sources built with the cross compilers.
find_package(GTest QUIET)
if(TARGET GTest::gtest AND TARGET GTest::gtest_main)
  add_library(gtest ALIAS GTest::gtest)
  add_library(gtest_main ALIAS GTest::gtest_main)
else()
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

add_library(quickdex_win32 STATIC
  platform/win32/Win32Platform.cpp
  platform/win32/Files.cpp
  platform/win32/Controls.cpp
  platform/win32/Dpi.cpp
  platform/win32/ErrorEdge.cpp
  platform/win32/Handles.cpp
  platform/win32/HotkeyRepeat.cpp
  platform/win32/KeyCapture.cpp
  platform/win32/KeyboardLayouts.cpp
  platform/win32/MessagePump.cpp
  platform/win32/SessionNotes.cpp
  platform/win32/Subclass.cpp
  platform/win32/SystemLibraries.cpp
  platform/win32/Text.cpp
  platform/win32/Window.cpp
  platform/win32/RunningPrograms.cpp
  platform/win32/LaunchQueue.cpp
)
target_link_libraries(quickdex_win32 PUBLIC quickdex_core comctl32 gdi32 winmm shell32 advapi32 user32 kernel32)

# The windows of the program, shared by quickdex.exe and the tests that
# drive them in-process.
add_library(quickdex_ui STATIC
  ui/Application.cpp
  ui/main/BindingList.cpp
  ui/main/main.cpp
  ui/main/AutoRun.cpp
  ui/tray/CoolTrayIcon.cpp
  ui/dialogs/AddOrChange.cpp
  ui/dialogs/DoList.cpp
  ui/dialogs/Sort.cpp
  ui/dialogs/psvDialogs.cpp
  ui/about/about.cpp
  ui/about/NetLabel.cpp
)
target_link_libraries(quickdex_ui PUBLIC quickdex_win32 quickdex_jpeg comdlg32 ole32)

set(QUICKDEX_RESOURCES ${CMAKE_SOURCE_DIR}/res/quickdex.rc)
# The compiler of the resources reports none of the files it reads: a
# picture drawn again, or the manifest changed, would leave the old one in
# the exe.
file(GLOB QUICKDEX_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/*.bmp
     ${CMAKE_SOURCE_DIR}/res/*.jpg ${CMAKE_SOURCE_DIR}/res/*.manifest ${CMAKE_SOURCE_DIR}/res/*.h)
set_source_files_properties(${QUICKDEX_RESOURCES} PROPERTIES OBJECT_DEPENDS "${QUICKDEX_RESOURCE_FILES}")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I ${CMAKE_SOURCE_DIR}/res")

add_executable(quickdex WIN32 app/WinMain.cpp app/SingleInstance.cpp ${QUICKDEX_RESOURCES})
target_link_libraries(quickdex PRIVATE quickdex_ui)
# Sections aligned in the file as in memory (4 KB): Wine can then map the
# image from the file, as Windows always does, instead of reading the whole
# exe into private memory when it starts. The floor of the bench is linked
# the same way.
target_link_options(quickdex PRIVATE -s -Wl,--file-alignment=4096)

# Size: the windows and the platform layer are compiled for size (they spend
# their life waiting for messages), and the tests and the bench link the same
# objects. The portable core runs on every hotkey press and reload: at -Os
# its dispatch took three times as long (331 against 105 ns in the bench) for
# 13 KB, so it stays at -O2. When an exception escapes everything, the C++
# runtime's default handler prints the exception's demangled type to stderr
# before it aborts; the exe has no console, and that handler brings the whole
# demangler (45 KB, and mingw's printf with it) along. The exe aborts at once
# instead. Every window procedure catches what it throws, so this only
# changes what a crash prints.
foreach(target quickdex_jpeg quickdex_win32 quickdex_ui quickdex)
  target_compile_options(${target} PRIVATE -Os)
endforeach()
target_compile_options(quickdex_core PRIVATE -O2)
target_link_options(quickdex PRIVATE -Wl,--defsym,_ZN9__gnu_cxx27__verbose_terminate_handlerEv=abort)

# A target for the live tests: it writes a file beside itself when run.
add_executable(marker tests/win/marker.cpp)
target_link_options(marker PRIVATE -mwindows)
# A library planted beside quickdex.exe under a system library's name: it
# writes a file beside itself when it is loaded.
add_library(planted SHARED tests/win/planted.cpp)
set_target_properties(planted PROPERTIES PREFIX "")
# A windowed target: it records its process and each activation beside itself.
add_executable(probe tests/win/probe.cpp)
target_link_options(probe PRIVATE -mwindows)
# A file held open by another process, as a scanner holds a new file.
add_executable(holder tests/win/holder.cpp)
target_link_options(holder PRIVATE -mwindows)

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
  tests/win/FaultTest.cpp
)
add_dependencies(win_platform_tests holder)
quickdex_win_test(win_engine_tests
  tests/win/HotkeyLiveTest.cpp
  tests/win/IfRunningTest.cpp
  tests/win/LaunchOptionsLiveTest.cpp
  tests/win/BlockedLookupTest.cpp
  tests/win/HelpFileTest.cpp
)
add_dependencies(win_engine_tests probe)


# The windows in-process, with the program's resources.
quickdex_win_test(win_ui_tests
  tests/win/MainFormTest.cpp
  tests/win/EditorTest.cpp
  tests/win/AboutTest.cpp
  tests/win/WindowLayerTest.cpp
  tests/win/ModalityTest.cpp
  tests/win/DpiTest.cpp
  app/SingleInstance.cpp
  ${QUICKDEX_RESOURCES}
)
target_link_libraries(win_ui_tests PRIVATE quickdex_ui oleaut32 uuid)

# quickdex.exe driven from another process.
quickdex_win_test(e2e_tests
  tests/e2e/QuickdexE2ETest.cpp
  tests/e2e/UserRoadsE2ETest.cpp
)
add_dependencies(e2e_tests quickdex planted)

# The help file, compiled beside the exe from help/ with a CHM compiler that
# runs here (Debian's fp-utils: chmcmd).
find_program(QUICKDEX_CHMCMD NAMES chmcmd chmcmd-3.2.2)
file(GLOB help_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
if(QUICKDEX_CHMCMD)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/help-src)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/help.chm
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/help-src
    COMMAND ${QUICKDEX_CHMCMD} help.hhp > chmcmd.log
    COMMAND ${CMAKE_COMMAND} -E copy help.chm ${CMAKE_BINARY_DIR}/help.chm
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/help-src
    DEPENDS ${help_sources}
    COMMENT "Compiling help.chm")
  add_custom_target(help_chm ALL DEPENDS ${CMAKE_BINARY_DIR}/help.chm)
  add_dependencies(win_engine_tests help_chm) # it checks the compiled file
else()
  message(WARNING "No CHM compiler (chmcmd from fp-utils): help.chm is not built")
endif()

# The release a Windows user downloads: cmake --build build/win --target package
install(TARGETS quickdex RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/help.chm ${CMAKE_SOURCE_DIR}/dist/readme.txt DESTINATION . OPTIONAL)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quickdex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

# Benchmarks (bench/, run by scripts/bench.sh), quickdex against a minimal
# program of the same kind, and the soak (scripts/soak.sh). Not tests: they
# print figures.
add_executable(baseline WIN32 bench/baseline.cpp)
target_link_libraries(baseline PRIVATE shell32 user32 kernel32)
target_link_options(baseline PRIVATE -s -Wl,--file-alignment=4096)
add_executable(quickdex_bench bench/quickdex_bench.cpp)
target_include_directories(quickdex_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(quickdex_bench PRIVATE quickdex_win32 psapi)
add_dependencies(quickdex_bench quickdex baseline marker probe)
# One checked write of hotkey.ini against the plain system write.
add_executable(write_bench bench/write_bench.cpp)
target_include_directories(write_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(write_bench PRIVATE quickdex_win32 psapi)
add_executable(soak bench/soak.cpp)
target_include_directories(soak PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(soak PRIVATE quickdex_win32 psapi)
add_dependencies(soak quickdex marker)
