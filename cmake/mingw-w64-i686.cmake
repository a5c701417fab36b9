# Cross toolchain for 32-bit Windows. Its programs run under the emulated
# 32-bit Wine (scripts/bootstrap-wine32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(MINGW_WINE_RUN wine32-run)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
