# The windows' layouts on an offscreen screen of a laptop's size (1366 x 768), and once more on a
# desktop's (1920 x 1080).
add_executable(testdisposition fenetres/testdisposition.cpp)
target_link_libraries(testdisposition PRIVATE brevanta_testsupport)
foreach(ecran 1366 1920)
    set(essai testdisposition)
    if(ecran EQUAL 1920)
        set(essai testdisposition_1920)
    endif()
    add_test(NAME ${essai} COMMAND testdisposition)
    set_tests_properties(${essai} PROPERTIES LABELS sqlite TIMEOUT 300 ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_SOURCE_DIR}/fenetres/ecran-${ecran}.json;LC_ALL=C.UTF-8;TZ=Europe/Paris")
endforeach()

# The windows remember their sizes in the configuration folder: each test gets its own, never the
# user's.
get_property(BREVANTA_TOUS_LES_TESTS DIRECTORY PROPERTY TESTS)
foreach(name ${BREVANTA_TOUS_LES_TESTS})
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/config-essais/${name}")
endforeach()
