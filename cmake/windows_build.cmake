# The Windows build: the Win32 back end of platform/ and its tests, built
# with the mingw-w64 cross compiler and linked statically, so a program
# needs no DLL beside it but the system's. No SQLite, iconv or Qt here:
# text crosses the Win32 API as UTF-16.
enable_language(RC)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release CACHE STRING "" FORCE)
endif()

set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
# GCC 12 warns falsely about std::string concatenation (its bug 105329).
add_compile_options(-Wall -Wextra -Werror -Wno-error=deprecated-declarations -Wno-restrict)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00
                        _POSIX_THREAD_SAFE_FUNCTIONS)
add_link_options(-static -static-libgcc -static-libstdc++)

set(src ${PROJECT_SOURCE_DIR})
add_library(platform_win32 STATIC
  ${src}/platform/private_profile.cpp
  ${src}/platform/profile_cache.cpp
  ${src}/platform/profile_grammar.cpp
  ${src}/platform/win32/atomic_file_win32.cpp
  ${src}/platform/win32/file_facts_win32.cpp
  ${src}/platform/target_system/registry_key_path.cpp
  ${src}/platform/target_system/registry_batch.cpp
  ${src}/platform/target_system/registry_value.cpp
  ${src}/platform/target_system/drive.cpp
  ${src}/platform/status.cpp
  ${src}/platform/target_system/windows_path.cpp
  ${src}/platform/win32/cp932_win32.cpp
  ${src}/platform/win32/drive_map_win32.cpp
  ${src}/platform/win32/wide_text.cpp
  ${src}/platform/win32/win32_files.cpp
  ${src}/platform/win32/win32_registry.cpp
  ${src}/platform/win32/win32_shell.cpp
  ${src}/platform/win32/win32_system.cpp)
target_include_directories(platform_win32 PUBLIC ${src})
target_link_libraries(platform_win32 PUBLIC advapi32 shell32 ole32 uuid)

# GoogleTest from Debian's sources, built with the cross compiler.
set(gtest_root /usr/src/googletest/googletest)
add_library(gtest_win32 STATIC ${gtest_root}/src/gtest-all.cc ${gtest_root}/src/gtest_main.cc)
target_include_directories(gtest_win32 SYSTEM PUBLIC ${gtest_root}/include PRIVATE ${gtest_root})
target_compile_options(gtest_win32 PRIVATE -w)

file(GLOB win32_tests CONFIGURE_DEPENDS ${src}/platform/win32/*_test.cpp)
# The platform's own tests of what the Windows build implements anew: the
# same rules hold on both.
add_executable(win32_tests ${win32_tests} ${src}/platform/cp932_test.cpp
  ${src}/platform/private_profile_test.cpp ${src}/platform/profile_grammar_test.cpp)
# The tests use the ordinary main of GoogleTest, not wmain.
target_link_options(win32_tests PRIVATE -mconsole)
target_link_libraries(win32_tests PRIVATE setup_engines_win32 platform_win32 gtest_win32)

# The engines, the wizard model and the script reader: the same sources as
# the Linux build; what they reach of the platform comes from the Win32 back
# end above.
file(GLOB engine_sources CONFIGURE_DEPENDS
  ${src}/setup/core/*.cpp
  ${src}/setup/wizard/*.cpp ${src}/setup/wizard/model/*.cpp
  ${src}/setup/wizard/engine/*.cpp ${src}/setup/wizard/record/*.cpp)
list(FILTER engine_sources EXCLUDE REGEX "(_test|_main)\\.cpp$")
add_library(setup_engines_win32 STATIC ${engine_sources}
  ${src}/platform/utf8.cpp
  ${src}/platform/target_system/name_folding.cpp
  ${src}/platform/target_system/registry_text.cpp
  ${src}/platform/target_system/shell_link.cpp
  ${src}/platform/win32/shell_link_file_win32.cpp
  ${src}/platform/win32/short_path_win32.cpp
  ${src}/platform/win32/shell_notify_win32.cpp
  ${src}/platform/win32/known_folder_win32.cpp
  ${src}/platform/target_system/utf16.cpp
  ${src}/platform/win32/link_guard_win32.cpp
  ${src}/platform/win32/open_folder_win32.cpp)
target_link_libraries(setup_engines_win32 PUBLIC platform_win32)

# Setup.exe: unattended only until the Windows windows exist. The manifest
# asks for administrator rights, common controls 6, the supported Windows
# versions and per-monitor DPI awareness.
add_executable(Setup WIN32
  ${src}/setup/app/default_answer_prompter.cpp
  ${src}/setup/app/engine_binding.cpp
  ${src}/setup/app/invocation.cpp
  ${src}/setup/app/mode_checks.cpp
  ${src}/setup/app/start_log.cpp
  ${src}/setup/app/unattended_driver.cpp
  ${src}/setup/app/win32/setup_win32_main.cpp
  ${src}/setup/app/win32/setup.rc
  ${src}/setup/app/win32/win32_program_launcher.cpp
  ${src}/setup/app/win32/win32_setup_program.cpp)
target_link_options(Setup PRIVATE -municode)
target_link_libraries(Setup PRIVATE setup_engines_win32)
