# Cross build for Windows x86-64 with MinGW-w64 (the -posix compilers, as Qt for Windows
# was built with them), against the Qt that scripts/qt-windows builds.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DWC_QT_WINDOWS=$(scripts/qt-windows)
# scripts/windows-run does this.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(WC_QT_WINDOWS "" CACHE PATH "Qt for Windows (the folder scripts/qt-windows prints)")
if(NOT WC_QT_WINDOWS AND DEFINED ENV{WC_QT_WINDOWS})
  set(WC_QT_WINDOWS "$ENV{WC_QT_WINDOWS}" CACHE PATH "" FORCE)
endif()
# try_compile projects load this file again and need the folder too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES WC_QT_WINDOWS)
if(NOT EXISTS "${WC_QT_WINDOWS}/lib/cmake/Qt5/Qt5Config.cmake")
  message(FATAL_ERROR "No Qt for Windows in '${WC_QT_WINDOWS}': pass -DWC_QT_WINDOWS=$(scripts/qt-windows)")
endif()

# Libraries, headers and packages only from MinGW's and that Qt's folders; programs (moc,
# uic, rcc) are the host's.
set(CMAKE_FIND_ROOT_PATH "${WC_QT_WINDOWS}" /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_PREFIX_PATH "${WC_QT_WINDOWS}")
