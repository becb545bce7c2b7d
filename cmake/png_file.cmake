# lumeko_png_file: PNG pictures and previews for the examples and the test tools, through
# libpng. The library itself links no image library.
include_guard(GLOBAL)

find_package(PNG REQUIRED)
add_library(lumeko_png_file STATIC ${PROJECT_SOURCE_DIR}/tests/support/png/png_file.cpp)
target_include_directories(lumeko_png_file PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(lumeko_png_file PRIVATE PNG::PNG lumeko_warnings)
