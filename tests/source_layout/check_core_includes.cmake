# Fails when a file under a core folder includes anything but the C++
# standard library or another core file, so rules never come to depend on Qt,
# X11, POSIX or Windows. Run as:
#   cmake -DCORE_DIR=<folder> -DSOURCE_ROOT=<folder that holds core/> -P check_core_includes.cmake
# Each offending line is listed; the last line counts them.
cmake_minimum_required(VERSION 3.25)
if(NOT CORE_DIR OR NOT SOURCE_ROOT)
  message(FATAL_ERROR "CORE_DIR and SOURCE_ROOT must be given")
endif()
get_filename_component(CORE_DIR "${CORE_DIR}" ABSOLUTE)
get_filename_component(SOURCE_ROOT "${SOURCE_ROOT}" ABSOLUTE)

# The headers of ISO C++20, the C ones in their <cxxx> form only.
set(standard_headers
  algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv chrono
  cinttypes climits clocale cmath codecvt compare complex concepts condition_variable coroutine
  csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype deque
  exception execution filesystem format forward_list fstream functional future initializer_list
  iomanip ios iosfwd iostream istream iterator latch limits list locale map memory memory_resource
  mutex new numbers numeric optional ostream queue random ranges ratio regex scoped_allocator
  semaphore set shared_mutex source_location span sstream stack stdexcept stop_token streambuf
  string string_view syncstream system_error thread tuple type_traits typeindex typeinfo
  unordered_map unordered_set utility valarray variant vector version)

file(GLOB_RECURSE files LIST_DIRECTORIES false "${CORE_DIR}/*.h" "${CORE_DIR}/*.hpp" "${CORE_DIR}/*.cpp"
     "${CORE_DIR}/*.cc" "${CORE_DIR}/*.inc")
list(SORT files)
set(count 0)
foreach(path IN LISTS files)
  file(STRINGS "${path}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    set(allowed FALSE)
    if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*<([^>]*)>")
      if(CMAKE_MATCH_1 IN_LIST standard_headers)
        set(allowed TRUE)
      endif()
    elseif(line MATCHES "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\"")
      # A quoted include names a core file by its path from the source root.
      set(header "${CMAKE_MATCH_1}")
      if(header MATCHES "^core/" AND NOT header MATCHES "\\.\\." AND EXISTS "${SOURCE_ROOT}/${header}")
        set(allowed TRUE)
      endif()
    endif()
    if(NOT allowed)
      file(RELATIVE_PATH name "${CORE_DIR}" "${path}")
      string(STRIP "${line}" line)
      message("forbidden include in ${name}: ${line}")
      math(EXPR count "${count} + 1")
    endif()
  endforeach()
endforeach()

message("${count} forbidden includes")
if(count GREATER 0)
  message(FATAL_ERROR "core files may include only the C++ standard library and other core files")
endif()
