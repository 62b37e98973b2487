# The core (database layer, data classes): no widget. Shared by the application's build and by the
# fuzzer's, which compiles it again with clang's instrumentation.
find_package(PkgConfig REQUIRED)
pkg_check_modules(PQ REQUIRED IMPORTED_TARGET libpq)
file(GLOB_RECURSE BREVANTA_CORE_SOURCES CONFIGURE_DEPENDS
    ${BREVANTA_RACINE}/src/core/*.cpp ${BREVANTA_RACINE}/src/core/*.h
    ${BREVANTA_RACINE}/src/data/*.cpp ${BREVANTA_RACINE}/src/data/*.h)
add_library(brevanta_core STATIC ${BREVANTA_CORE_SOURCES})
target_include_directories(brevanta_core PUBLIC ${BREVANTA_RACINE}/src)
target_link_libraries(brevanta_core PUBLIC Qt6::Core Qt6::Sql SQLite::SQLite3 PRIVATE PkgConfig::PQ)
