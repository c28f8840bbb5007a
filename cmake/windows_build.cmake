# The Windows build: the Win32 back end of platform/ and its tests, built
# with the mingw-w64 cross compiler and linked statically, so a program
# needs no DLL beside it but the system's. No SQLite, iconv or Qt here:
# text crosses the Win32 API as UTF-16.
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
  ${src}/platform/win32/atomic_file_win32.cpp
  ${src}/platform/win32/file_facts_win32.cpp
  ${src}/platform/target_system/registry_key_path.cpp
  ${src}/platform/target_system/registry_batch.cpp
  ${src}/platform/target_system/registry_value.cpp
  ${src}/platform/target_system/drive.cpp
  ${src}/platform/target_system/status.cpp
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
  ${src}/platform/private_profile_test.cpp)
# The tests use the ordinary main of GoogleTest, not wmain.
target_link_options(win32_tests PRIVATE -mconsole)
target_link_libraries(win32_tests PRIVATE platform_win32 gtest_win32)
