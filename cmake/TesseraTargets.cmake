# Helpers that keep the per-folder CMakeLists.txt files short.

# tessera_add_library(NAME DEPS...): a static library of every .cpp in the calling folder
# (not its ui/ subfolder), with src/ on the include path.
function(tessera_add_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/src/platform/empty_unit.cpp)
  endif()
  add_library(tessera_${name} STATIC ${sources})
  target_include_directories(tessera_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(tessera_${name} PUBLIC ${ARGN})
  target_compile_definitions(tessera_${name} PUBLIC TESSERA_VERSION="${PROJECT_VERSION}")
endfunction()

# tessera_add_ui_library(NAME DEPS...): the Qt widgets of a subsystem's ui/ folder, when it has any.
function(tessera_add_ui_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp)
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/src/platform/empty_unit.cpp)
  endif()
  add_library(tessera_${name}_ui STATIC ${sources})
  target_include_directories(tessera_${name}_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(tessera_${name}_ui PUBLIC tessera_${name} Qt6::Widgets ${ARGN})
endfunction()

# tessera_add_test_folder(SUBSYSTEM [LIBRARIES...]): one test program per kind of test file in
# tests/SUBSYSTEM, linked against LIBRARIES (default: the whole program with its Qt widgets):
#   *_test.cpp          label unit
#   *_itest.cpp         label integration (real SQLite/ODBC, GNU Go, HTTP on 127.0.0.1, zip)
#   *_guitest.cpp       label gui (Qt widgets on the offscreen platform)
#   *_corpus_test.cpp   label corpus (the records in ../shared/corpus; skipped when absent)
function(tessera_add_test_folder sub)
  set(kinds unit integration gui corpus)
  set(patterns "*_test.cpp" "*_itest.cpp" "*_guitest.cpp" "*_corpus_test.cpp")
  foreach(i RANGE 3)
    list(GET kinds ${i} kind)
    list(GET patterns ${i} pattern)
    file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
    if(kind STREQUAL "unit")
      list(FILTER files EXCLUDE REGEX "_corpus_test\\.cpp$")
    endif()
    if(NOT files)
      continue()
    endif()
    set(target ${sub}_${kind}_tests)
    add_executable(${target} ${files} ${PROJECT_SOURCE_DIR}/tests/support/lsan_suppressions.cpp)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    set(libraries ${ARGN})
    if(NOT libraries)
      set(libraries tessera_gui_test_support)
    endif()
    target_link_libraries(${target} PRIVATE ${libraries} tessera_test_support GTest::gtest GTest::gmock)
    # One environment entry only: discovery splits a list into separate properties. The test
    # programs find the shared corpus through a compiled-in default (TESSERA_SHARED_DIR overrides).
    gtest_discover_tests(${target}
      DISCOVERY_MODE PRE_TEST
      PROPERTIES LABELS ${kind} ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endforeach()
endfunction()
