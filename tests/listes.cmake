# The action lists read as they are seen, on the file and on the server.
if(NOT TARGET testlecturelistes)
    brevanta_test(testlecturelistes ${CMAKE_CURRENT_SOURCE_DIR}/testlecturelistes.cpp)
    target_link_libraries(testlecturelistes PRIVATE brevanta_testsupport)
endif()
brevanta_test_serveur(testlecturelistes)
