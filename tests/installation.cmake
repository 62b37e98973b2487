# The program as installed: the child of testdemarrage that answers the start-up choices, the build
# without tests, the package.
add_executable(choix_enfant support/demarrage_enfant.cpp)
target_link_libraries(choix_enfant PRIVATE brevanta_app)
# Beside brevanta-db, as brevanta is, which runs it to create a base.
set_target_properties(choix_enfant PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_test(NAME installation_sans_tests
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/installation.sh options ${BREVANTA_RACINE})
add_test(NAME installation_paquet COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/installation.sh paquet ${CMAKE_BINARY_DIR})
set_tests_properties(installation_sans_tests installation_paquet PROPERTIES LABELS installation TIMEOUT 600)
