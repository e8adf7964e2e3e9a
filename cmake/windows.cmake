# What the Windows cross build (cmake/mingw-w64-x86_64.cmake) needs beyond the native
# one: test programs run under Wine, GoogleTest built from source for the target, and
# the header-only matching and graph libraries taken from the build machine.

# Numbers in the reports: libstdc++ for MinGW builds with __USE_MINGW_ANSI_STDIO, so the
# printf family rounds from the exact binary value as glibc does, not as the Windows C
# runtime does; WindowsReportsMatchNative holds the two builds' files to the byte.

# Every test program, and the test discovery after each link, runs through wine-run.
set(KESTRIO_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
               GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# Debian ships GoogleTest as source for any compiler; build it here for Windows.
set(KESTRIO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${KESTRIO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest's own sources are not held to this project's warnings.
foreach(target gtest gtest_main)
  target_compile_options(${target} PRIVATE -w)
endforeach()

# LEMON's matching and Boost.Graph's edge colouring are header-only. The build machine's
# /usr/include must not go on the cross compiler's path (its C library headers would
# shadow Windows'), so only those two folders are linked into a folder of their own.
set(KESTRIO_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${KESTRIO_HOST_HEADERS})
foreach(library lemon boost)
  if(EXISTS /usr/include/${library})
    file(CREATE_LINK /usr/include/${library} ${KESTRIO_HOST_HEADERS}/${library} SYMBOLIC)
  endif()
endforeach()
