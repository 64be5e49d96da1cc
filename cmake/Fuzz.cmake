# libFuzzer targets, built with clang in their own tree (build/fuzz):
#   cmake -S . -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUICKDEX_FUZZ=ON
# Every target replays its committed corpus and regression cases as a test;
# scripts/fuzz.sh runs them for real.
set(fuzz_flags -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
target_compile_options(quickdex_core PRIVATE ${fuzz_flags})
target_compile_options(quickdex_jpeg PRIVATE ${fuzz_flags})

foreach(target IniFile SectionName HotkeyLoad SetIni Jpeg)
  add_executable(${target}Fuzz ${CMAKE_SOURCE_DIR}/fuzz/${target}Fuzz.cpp)
  target_include_directories(${target}Fuzz PRIVATE ${CMAKE_SOURCE_DIR}/fuzz ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(${target}Fuzz PRIVATE ${fuzz_flags})
  target_link_options(${target}Fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${target}Fuzz PRIVATE quickdex_core quickdex_jpeg)
  add_test(NAME ${target}Fuzz.replay
           COMMAND bash ${CMAKE_SOURCE_DIR}/fuzz/replay.sh $<TARGET_FILE:${target}Fuzz>
                   ${CMAKE_SOURCE_DIR}/fuzz/corpus/${target} ${CMAKE_SOURCE_DIR}/fuzz/regressions/${target})
endforeach()
