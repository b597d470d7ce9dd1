# Cross-builds static 64-bit Windows programs with MinGW-w64 (posix threads,
# which std::thread and std::mutex need) and runs them under Wine, so that
# ctest (and its GoogleTest discovery) work from Linux.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVORIN_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVORIN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVORIN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVORIN_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVORIN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that needs no MinGW runtime next to it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Every Windows program built here runs through the Wine wrapper, in a prefix
# of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine_run.sh ${CMAKE_BINARY_DIR}/wineprefix)
