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
# The compiler cache serves the cross build as it serves the Linux one
# (paths hashed relative to the checkout, so every checkout shares it).
find_program(PLAKATO_CCACHE ccache)
if(PLAKATO_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=true
      ${PLAKATO_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_C_COMPILER_LAUNCHER})
endif()

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
# The test framework and the test programs' own code are compiled without
# optimisation: they only drive the optimised libraries.
target_compile_options(gtest_win32 PRIVATE -w -O0)

file(GLOB win32_tests CONFIGURE_DEPENDS ${src}/platform/win32/*_test.cpp)
# The platform's own tests of what the Windows build implements anew: the
# same rules hold on both.
add_executable(win32_tests ${win32_tests} ${src}/platform/cp932_test.cpp
  ${src}/platform/private_profile_test.cpp ${src}/platform/profile_grammar_test.cpp)
# The tests use the ordinary main of GoogleTest, not wmain.
target_link_options(win32_tests PRIVATE -mconsole)
target_compile_options(win32_tests PRIVATE -O0)
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

# Setup.exe's program and windows without its start, shared with the test
# program of the windows.
add_library(setup_app_win32 STATIC
  ${src}/setup/app/default_answer_prompter.cpp
  ${src}/setup/app/engine_binding.cpp
  ${src}/setup/app/invocation.cpp
  ${src}/setup/app/mode_checks.cpp
  ${src}/setup/app/mode_start.cpp
  ${src}/setup/app/start_log.cpp
  ${src}/setup/app/unattended_driver.cpp
  ${src}/setup/app/wizard_exit_status.cpp
  ${src}/setup/app/work_box_layout.cpp
  ${src}/setup/app/win32/wizard/win32_artwork.cpp
  ${src}/setup/app/win32/win32_program_launcher.cpp
  ${src}/setup/app/win32/win32_setup_program.cpp
  ${src}/setup/app/win32/wizard/win32_wizard_front.cpp
  ${src}/setup/app/win32/wizard/win32_work_box.cpp
  ${src}/setup/app/win32/wizard/win32_work_box_refresh.cpp)
target_link_libraries(setup_app_win32 PUBLIC setup_engines_win32 comctl32 comdlg32 gdi32)

# Setup.exe. The manifest asks for administrator rights, common controls 6,
# the supported Windows versions and per-monitor DPI awareness.
add_executable(Setup WIN32
  ${src}/setup/app/win32/setup_win32_main.cpp
  ${src}/setup/app/win32/setup.rc)
target_link_options(Setup PRIVATE -municode)
target_link_libraries(Setup PRIVATE setup_app_win32)

# A helper of the Wine tests (scripts/windows-faults.sh): a registry key the
# user may not write.
add_executable(lock_key ${src}/platform/win32/tools/lock_key_main.cpp)
target_link_options(lock_key PRIVATE -municode -mconsole)
target_link_libraries(lock_key PRIVATE advapi32)

# Painting shared with the toolkit's windows: pixel buffers, the artwork
# drawn in code, the background plan.
file(GLOB paint_sources CONFIGURE_DEPENDS ${src}/setup/app/paint/*.cpp)
list(FILTER paint_sources EXCLUDE REGEX "(_test|_main)\\.cpp$")
add_library(setup_paint_win32 STATIC ${paint_sources})
target_link_libraries(setup_paint_win32 PUBLIC setup_engines_win32)

# Setup.exe's windows: the background window painted with GDI, the message
# boxes, the shell's folder picker.
add_library(setup_views_win32 STATIC
  ${src}/setup/app/browse_options.cpp
  ${src}/setup/app/win32/backgrd_form_win32.cpp
  ${src}/setup/app/win32/gdi_background.cpp
  ${src}/setup/app/win32/pixel_bitmap_win32.cpp
  ${src}/setup/app/win32/wic_picture.cpp
  ${src}/setup/app/win32/win32_browse_dialog.cpp
  ${src}/setup/app/win32/win32_prompter.cpp)
target_link_libraries(setup_views_win32 PUBLIC setup_paint_win32 windowscodecs gdi32 user32 shell32 ole32 uuid)

file(GLOB setup_win32_tests CONFIGURE_DEPENDS ${src}/setup/app/win32/*_test.cpp)
add_executable(setup_win32_tests ${setup_win32_tests})
target_link_options(setup_win32_tests PRIVATE -mconsole)
target_compile_options(setup_win32_tests PRIVATE -O0)
target_link_libraries(setup_win32_tests PRIVATE setup_views_win32 gtest_win32)

# Paints the background cases with GDI into BMP files, for the comparison
# with the toolkit's painting, and takes screenshots of the window.
add_executable(background_probe ${src}/setup/app/win32/background_probe_main.cpp)
target_link_options(background_probe PRIVATE -mconsole -municode)
target_link_libraries(background_probe PRIVATE setup_views_win32)

# The wizard and the program use the windows above.
target_link_libraries(setup_app_win32 PUBLIC setup_views_win32)

# Screenshots of the wizard's pages under Wine (scripts/windows-screenshots.sh).
add_executable(wizard_screenshots ${src}/setup/app/win32/wizard/wizard_screenshots_main.cpp)
target_link_options(wizard_screenshots PRIVATE -municode -mconsole)
target_link_libraries(wizard_screenshots PRIVATE setup_app_win32)

# The wizard window driven by control identifier under Wine, on a prefix
# that scripts/test-windows.sh prepares.
file(GLOB wizard_window_tests CONFIGURE_DEPENDS ${src}/setup/app/win32/wizard/*_test.cpp)
add_executable(win32_wizard_tests ${wizard_window_tests})
target_link_options(win32_wizard_tests PRIVATE -mconsole)
target_compile_options(win32_wizard_tests PRIVATE -O0)
target_link_libraries(win32_wizard_tests PRIVATE setup_app_win32 gtest_win32)
