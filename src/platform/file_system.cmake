# The system calls under the list files (create exclusively, flush to disk,
# replace or write in place, file facts, wide paths): one implementation per
# system behind core/interfaces/file_system.h. Link it wherever the core's
# file functions are used.
if(WIN32)
  add_library(tavorin_file_system STATIC ${CMAKE_CURRENT_LIST_DIR}/win32/win32_file_system.cpp)
else()
  add_library(tavorin_file_system STATIC ${CMAKE_CURRENT_LIST_DIR}/posix/posix_file_system.cpp)
endif()
target_include_directories(tavorin_file_system PUBLIC ${PROJECT_SOURCE_DIR}/src)
