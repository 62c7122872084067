# The releases: made by scripts/package from the Windows trees the other tests
# run, made again from nothing in a folder of their own and compared byte for
# byte, and the installers installed, used and removed under Wine. The files
# published beside them, and signing them, are checked on what scripts/package
# made, without building again.
set(TAVOLIN_RELEASE_TESTS ${CMAKE_CURRENT_LIST_DIR})

add_test(NAME release.package COMMAND ${CMAKE_SOURCE_DIR}/scripts/package)
set_tests_properties(release.package PROPERTIES FIXTURES_SETUP releases TIMEOUT 300)

add_test(NAME release.reproducible
    COMMAND ${TAVOLIN_RELEASE_TESTS}/reproducible_test.sh ${TAVOLIN_WINDOWS_BUILD}
            ${CMAKE_BINARY_DIR}/reproducible ${PROJECT_VERSION})
set_tests_properties(release.reproducible PROPERTIES FIXTURES_REQUIRED releases TIMEOUT 600)

# A Wine session, prefix and display of its own: it runs beside the others.
add_test(NAME release.install
    COMMAND ${TAVOLIN_RELEASE_TESTS}/install_test.sh ${CMAKE_BINARY_DIR}/install
            ${TAVOLIN_WINDOWS_BUILD} ${TAVOLIN_WINDOWS32_BUILD} ${PROJECT_VERSION})
set_tests_properties(release.install PROPERTIES FIXTURES_REQUIRED releases TIMEOUT 400)

add_test(NAME release.files
    COMMAND python3 ${TAVOLIN_RELEASE_TESTS}/files_test.py ${CMAKE_SOURCE_DIR}/build/release
            ${TAVOLIN_WINDOWS_BUILD} ${TAVOLIN_WINDOWS32_BUILD} ${PROJECT_VERSION})
add_test(NAME release.sign
    COMMAND ${TAVOLIN_RELEASE_TESTS}/sign_test.sh ${CMAKE_BINARY_DIR}/sign
            ${TAVOLIN_WINDOWS_BUILD} ${TAVOLIN_WINDOWS32_BUILD} ${PROJECT_VERSION})
set_tests_properties(release.files release.sign PROPERTIES FIXTURES_REQUIRED releases TIMEOUT 60)
