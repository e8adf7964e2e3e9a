# Cross build for 64-bit Windows with Debian's MinGW-w64 compiler (the POSIX thread model,
# which gives std::thread and std::mutex). Programs link the C and C++ runtimes
# statically, so a built .exe runs on a Windows machine, or under Wine, without DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KESTRIO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KESTRIO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRIO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRIO_MINGW_TRIPLE}-windres)

# Libraries and headers come from the cross tree only; programs (cmake's own helpers)
# from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${KESTRIO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
