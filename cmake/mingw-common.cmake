# Cross build for Windows with mingw-w64 for CMAKE_SYSTEM_PROCESSOR (posix thread model:
# GoogleTest needs std::mutex). Included by the toolchain file of each bitness.
set(CMAKE_SYSTEM_NAME Windows)
set(QUILLANE_MINGW ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${QUILLANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLANE_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLANE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
