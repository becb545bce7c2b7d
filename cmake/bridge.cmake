# The host bridge: liblumeko.so (the static core plus the JNI code of src/bridge/jni), the
# host's Java classes (lumeko-sdk.jar) and, with the tests, liblumeko_testhooks.so and the JVM
# tests. Included from the top-level CMakeLists.txt when a JDK and jni.h are found.

include(UseJava)

# --- liblumeko.so -----------------------------------------------------------------------------

file(GLOB LUMEKO_JNI_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/bridge/jni/*.cpp)

# The JNI code once, for the shipped library and the test hooks library.
add_library(lumeko_jni OBJECT ${LUMEKO_JNI_SOURCES})
target_link_libraries(lumeko_jni PUBLIC lumeko_core JNI::JNI PRIVATE lumeko_warnings)
set_target_properties(lumeko_jni PROPERTIES
  POSITION_INDEPENDENT_CODE ON
  C_VISIBILITY_PRESET hidden
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)

# The version script: everything local but the names of src/bridge/exports.txt and the
# C-linkage kernels that the core marks for export (found in the built archive).
set(LUMEKO_EXPORTS_FILE ${PROJECT_SOURCE_DIR}/src/bridge/exports.txt)
find_program(LUMEKO_NM NAMES nm REQUIRED)
find_program(LUMEKO_READELF NAMES readelf REQUIRED)

function(lumeko_version_script target map)
  add_custom_command(TARGET ${target} PRE_LINK
    COMMAND ${CMAKE_COMMAND} -DEXPORTS=${LUMEKO_EXPORTS_FILE} -DCORE=$<TARGET_FILE:lumeko_core>
      -DREADELF=${LUMEKO_READELF} -DOUT=${map} "-DEXTRA=${ARGN}"
      -P ${PROJECT_SOURCE_DIR}/cmake/write_version_script.cmake
    VERBATIM)
  target_link_options(${target} PRIVATE -Wl,--version-script=${map})
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${LUMEKO_EXPORTS_FILE})
endfunction()

set(LUMEKO_SHARED_LINK_OPTIONS -Wl,-z,max-page-size=16384)

# The whole core goes in, so that the image kernels that nothing in the bridge calls are there
# for the host too.
add_library(lumeko SHARED $<TARGET_OBJECTS:lumeko_jni>)
target_link_libraries(lumeko PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,lumeko_core>")
target_link_options(lumeko PRIVATE ${LUMEKO_SHARED_LINK_OPTIONS})
lumeko_version_script(lumeko ${PROJECT_BINARY_DIR}/lumeko.map)

# --- The host's Java classes --------------------------------------------------------------------

file(GLOB LUMEKO_SDK_JAVA CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/bridge/java/com/talvora/lumeko/sdk/*.java)
add_jar(lumeko_sdk SOURCES ${LUMEKO_SDK_JAVA} OUTPUT_NAME lumeko-sdk)

# --- Install: liblumeko.so, the host jar and a CMake package config -----------------------------

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)
set(LUMEKO_CONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/lumeko)
install(TARGETS lumeko LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install_jar(lumeko_sdk DESTINATION ${CMAKE_INSTALL_DATADIR}/java)
get_target_property(lumeko_sdk_jar_file lumeko_sdk JAR_FILE)
get_filename_component(lumeko_sdk_jar_name ${lumeko_sdk_jar_file} NAME)
set(LUMEKO_INSTALL_JAR ${CMAKE_INSTALL_DATADIR}/java/${lumeko_sdk_jar_name})
set(LUMEKO_INSTALL_LIBRARY
  ${CMAKE_INSTALL_LIBDIR}/${CMAKE_SHARED_LIBRARY_PREFIX}lumeko${CMAKE_SHARED_LIBRARY_SUFFIX})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/lumekoConfig.cmake.in
  ${PROJECT_BINARY_DIR}/lumekoConfig.cmake
  INSTALL_DESTINATION ${LUMEKO_CONFIG_DIR}
  PATH_VARS LUMEKO_INSTALL_LIBRARY LUMEKO_INSTALL_JAR)
install(FILES ${PROJECT_BINARY_DIR}/lumekoConfig.cmake DESTINATION ${LUMEKO_CONFIG_DIR})

# A job stream in, its pages' pictures out (the tests' stream walker and the PNG file code),
# for the JVM tests and the host example, when the tests or the examples are built.
set(LUMEKO_STREAM_PICTURE OFF)
if(TARGET lumeko_raster_stream)
  set(LUMEKO_STREAM_PICTURE ON)
  add_executable(lumeko_stream_picture
    ${PROJECT_SOURCE_DIR}/tests/bridge/tools/stream_picture.cpp)
  target_include_directories(lumeko_stream_picture PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  include(${PROJECT_SOURCE_DIR}/cmake/png_file.cmake)
  target_link_libraries(lumeko_stream_picture PRIVATE lumeko_core lumeko_raster_stream
    lumeko_png_file lumeko_warnings)
endif()

# In a sanitizer build the JVM is not instrumented: its process preloads the sanitizer runtime
# that the libraries were built against (the JVM handles its own SEGV signals).
set(LUMEKO_JVM_ENV)
if(LUMEKO_SANITIZE)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set(asan_name libasan.so)
  else()
    set(asan_name libclang_rt.asan-${CMAKE_SYSTEM_PROCESSOR}.so)
  endif()
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${asan_name}
    OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  list(APPEND LUMEKO_JVM_ENV "LD_PRELOAD=${asan_runtime}"
    "ASAN_OPTIONS=handle_segv=0:allow_user_segv_handler=1:detect_leaks=0")
endif()

if(LUMEKO_STREAM_PICTURE)
  # The host example: a Java program that prints a PNG picture through liblumeko.so to a
  # simulated printer and to a print file and writes preview pictures of both.
  add_jar(lumeko_host_example SOURCES ${PROJECT_SOURCE_DIR}/examples/host/HostExample.java
    INCLUDE_JARS lumeko_sdk OUTPUT_NAME lumeko-host-example)
  get_target_property(lumeko_sdk_jar lumeko_sdk JAR_FILE)
  get_target_property(lumeko_example_jar lumeko_host_example JAR_FILE)
  add_custom_target(run_host_example
    COMMAND ${CMAKE_COMMAND} -E env ${LUMEKO_JVM_ENV}
      ${Java_JAVA_EXECUTABLE} -Dlumeko.library=$<TARGET_FILE:lumeko>
        -Dlumeko.streamPicture=$<TARGET_FILE:lumeko_stream_picture>
        -cp ${lumeko_example_jar}:${lumeko_sdk_jar} HostExample
        ${PROJECT_SOURCE_DIR}/examples/host/picture.png ${PROJECT_BINARY_DIR}/host-example
    DEPENDS lumeko lumeko_host_example lumeko_stream_picture
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    VERBATIM)
endif()

if(NOT LUMEKO_TESTS)
  return()
endif()

# --- Test hooks and JVM tests -------------------------------------------------------------------

set(LUMEKO_JUNIT_CONSOLE /usr/share/java/junit-platform-console-standalone.jar)
if(NOT EXISTS ${LUMEKO_JUNIT_CONSOLE})
  message(WARNING "junit5 is not installed: the JVM tests of the host bridge are left out")
  return()
endif()

# liblumeko_testhooks.so: the bridge plus the natives of the test class TestHooks.
file(GLOB LUMEKO_HOOK_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/bridge/hooks/*.cpp)
add_library(lumeko_testhooks SHARED $<TARGET_OBJECTS:lumeko_jni> ${LUMEKO_HOOK_SOURCES})
target_include_directories(lumeko_testhooks PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(lumeko_testhooks PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,lumeko_core>" JNI::JNI
  lumeko_warnings)
target_link_options(lumeko_testhooks PRIVATE ${LUMEKO_SHARED_LINK_OPTIONS})
lumeko_version_script(lumeko_testhooks ${PROJECT_BINARY_DIR}/lumeko_testhooks.map
  Java_com_talvora_lumeko_test_TestHooks_*)
set_target_properties(lumeko_testhooks PROPERTIES
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)

# The catalogue as the C++ side sees it, for the all-models comparison of the JVM tests.
add_executable(lumeko_catalogue_dump ${PROJECT_SOURCE_DIR}/tests/bridge/tools/catalogue_dump.cpp)
target_link_libraries(lumeko_catalogue_dump PRIVATE lumeko_core lumeko_warnings)

file(GLOB LUMEKO_JVM_TEST_JAVA CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/tests/bridge/java/*.java
  ${PROJECT_SOURCE_DIR}/tests/support/java/*.java)
add_jar(lumeko_jvm_tests SOURCES ${LUMEKO_JVM_TEST_JAVA}
  INCLUDE_JARS lumeko_sdk ${LUMEKO_JUNIT_CONSOLE}
  OUTPUT_NAME lumeko-jvm-tests)
add_dependencies(lumeko_jvm_tests lumeko lumeko_testhooks lumeko_catalogue_dump)
set(stream_picture_property)
if(LUMEKO_STREAM_PICTURE)
  add_dependencies(lumeko_jvm_tests lumeko_stream_picture)
  set(stream_picture_property -Dlumeko.streamPicture=$<TARGET_FILE:lumeko_stream_picture>)
endif()

get_target_property(lumeko_sdk_jar lumeko_sdk JAR_FILE)
get_target_property(lumeko_tests_jar lumeko_jvm_tests JAR_FILE)

# A host jar without JNIStatus, TemplateInfo and CustomPaperInfoCommandData and with another
# Paper constructor, for TrimmedHostTest.
set(trimmed_dir ${PROJECT_BINARY_DIR}/lumeko-sdk-trimmed)
set(trimmed_jar ${PROJECT_BINARY_DIR}/lumeko-sdk-trimmed.jar)
set(trimmed_paper ${PROJECT_SOURCE_DIR}/tests/bridge/java/trimmed/Paper.java)
add_custom_command(OUTPUT ${trimmed_jar}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${trimmed_dir}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${trimmed_dir}
  COMMAND ${CMAKE_COMMAND} -E chdir ${trimmed_dir} ${Java_JAR_EXECUTABLE} xf ${lumeko_sdk_jar}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${trimmed_dir}/com/talvora/lumeko/sdk/JNIStatus.class
    ${trimmed_dir}/com/talvora/lumeko/sdk/Paper.class
    ${trimmed_dir}/com/talvora/lumeko/sdk/CustomPaperInfoCommandData.class
    ${trimmed_dir}/com/talvora/lumeko/sdk/TemplateInfo.class
  COMMAND ${Java_JAVAC_EXECUTABLE} -d ${trimmed_dir} ${trimmed_paper}
  COMMAND ${Java_JAR_EXECUTABLE} cf ${trimmed_jar} -C ${trimmed_dir} .
  DEPENDS lumeko_sdk ${lumeko_sdk_jar} ${trimmed_paper}
  VERBATIM)
add_custom_target(lumeko_sdk_trimmed ALL DEPENDS ${trimmed_jar})

# Runs one test class in a fresh JVM under -Xcheck:jni. The launcher exits 0 despite JNI
# warnings, so the output decides.
set(LUMEKO_JVM_FAILURES
  "WARNING in native method;WARNING: JNI local refs;FATAL ERROR in native method;hs_err_pid;AddressSanitizer;runtime error:")
function(lumeko_jvm_test name test_class library host_jar)
  add_test(NAME ${name}
    COMMAND ${Java_JAVA_EXECUTABLE} -Xcheck:jni
      -Djava.library.path=$<TARGET_FILE_DIR:lumeko>
      -Dlumeko.library=${library}
      -Dlumeko.catalogueDump=$<TARGET_FILE:lumeko_catalogue_dump>
      ${stream_picture_property}
      -jar ${LUMEKO_JUNIT_CONSOLE} --disable-banner --disable-ansi-colors --fail-if-no-tests
      -cp ${lumeko_tests_jar}:${host_jar}
      --select-class com.talvora.lumeko.test.${test_class})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${LUMEKO_JVM_ENV}"
    FAIL_REGULAR_EXPRESSION "${LUMEKO_JVM_FAILURES}")
endfunction()

# One CTest test per test class. Classes that use TestHooks load the hooks library.
file(GLOB LUMEKO_JVM_TEST_CLASSES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/bridge/java/*Test.java)
foreach(source IN LISTS LUMEKO_JVM_TEST_CLASSES)
  get_filename_component(test_class ${source} NAME_WE)
  file(STRINGS ${source} uses_hooks REGEX "TestHooks\\.")
  if(uses_hooks)
    set(library $<TARGET_FILE:lumeko_testhooks>)
  else()
    set(library $<TARGET_FILE:lumeko>)
  endif()
  set(host_jar ${lumeko_sdk_jar})
  if(test_class STREQUAL "TrimmedHostTest")
    set(host_jar ${trimmed_jar})
  endif()
  lumeko_jvm_test(bridge.java.${test_class} ${test_class} ${library} ${host_jar})
endforeach()

# The harness itself: a run that provokes a JNI warning must fail.
lumeko_jvm_test(bridge.harness.JniWarningFailsTheRun JniWarningProbe
  $<TARGET_FILE:lumeko_testhooks> ${lumeko_sdk_jar})
set_tests_properties(bridge.harness.JniWarningFailsTheRun PROPERTIES WILL_FAIL TRUE)

# The shipped library exports exactly the names of exports.txt and the kernels the core marks
# for export, and its LOAD segments are aligned to 16 KiB.
add_test(NAME bridge.exports
  COMMAND ${CMAKE_COMMAND}
    -DLIBRARY=$<TARGET_FILE:lumeko>
    -DCORE=$<TARGET_FILE:lumeko_core>
    -DEXPORTS=${LUMEKO_EXPORTS_FILE}
    -DNM=${LUMEKO_NM}
    -DREADELF=${LUMEKO_READELF}
    -P ${PROJECT_SOURCE_DIR}/tests/bridge/check_exports.cmake)
