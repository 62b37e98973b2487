# The windows' layouts, print and PDF. The tests run on an offscreen
# screen of a laptop's size (1366 x 768), the layout test once more on a desktop's (1920 x 1080).
foreach(name testdisposition testimpression)
    add_executable(${name} fenetres/${name}.cpp)
    target_link_libraries(${name} PRIVATE brevanta_testsupport)
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/fenetres)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS sqlite TIMEOUT 300 ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_SOURCE_DIR}/fenetres/ecran-1366.json;LC_ALL=C.UTF-8;TZ=Europe/Paris")
endforeach()
add_test(NAME testdisposition_1920 COMMAND testdisposition)
set_tests_properties(testdisposition_1920 PROPERTIES LABELS sqlite TIMEOUT 300 ENVIRONMENT
    "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_SOURCE_DIR}/fenetres/ecran-1920.json;LC_ALL=C.UTF-8;TZ=Europe/Paris")

# The windows remember their sizes in the configuration folder: each test gets its own, never the
# user's.
get_property(BREVANTA_TOUS_LES_TESTS DIRECTORY PROPERTY TESTS)
foreach(name ${BREVANTA_TOUS_LES_TESTS})
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/config-essais/${name}")
endforeach()
