# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix-thread
# variant: std::thread and std::mutex need it). Executables are linked
# statically, so they run beside their data files with no MinGW DLLs, and
# run under Wine (wine-run.sh) wherever the build needs to run them: the data
# files are written by the cross-built writer, and every test runs there.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TONGSHU_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TONGSHU_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TONGSHU_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TONGSHU_MINGW_TRIPLE}-windres)

# TONGSHU_QT_WINDOWS: the static Qt of tools/build-qt-windows.sh, found as a
# second root beside MinGW-w64's; Debian's host Qt gives moc, rcc and uic.
set(TONGSHU_QT_WINDOWS "" CACHE PATH "Static Qt for Windows (tools/build-qt-windows.sh --print-prefix)")
set(CMAKE_FIND_ROOT_PATH /usr/${TONGSHU_MINGW_TRIPLE} ${TONGSHU_QT_WINDOWS})
if(TONGSHU_QT_WINDOWS)
  set(QT_HOST_PATH /usr CACHE PATH "")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ZLIB_USE_STATIC_LIBS ON)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The Wine prefix lives in the build tree: <build>/wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
