# The committed icons must match their XPM sources and be sound icon files
# for every IDI_ name the resource script uses.
add_test(NAME res.icons_up_to_date
    COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make-icons --check)
add_test(NAME res.icons_valid
    COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make-icons --validate)
