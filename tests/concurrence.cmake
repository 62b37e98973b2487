# The server's hardening: its functions, bounded waits, passwords, saves cut at their commit.
if(NOT TARGET testserveursur)
    brevanta_test(testserveursur testserveursur.cpp)
    target_link_libraries(testserveursur PRIVATE brevanta_testsupport)
endif()
target_sources(testserveursur PRIVATE support/relais.cpp support/relais.h)
target_compile_definitions(testserveursur PRIVATE DEMARRAGE_ENFANT="$<TARGET_FILE:demarrage_enfant>")
add_dependencies(testserveursur demarrage_enfant brevanta-db)
brevanta_test_serveur(testserveursur)
