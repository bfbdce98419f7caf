# The real-browser check: pages of the sample pictures, loaded in Debian's
# chromium through playwright-core. Skipped only where node or chromium is
# missing; CI installs both.
add_test(NAME page_check.samples_load_in_chromium
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/run_page_check.sh
    $<TARGET_FILE:pixdeck-cli> ${PROJECT_SOURCE_DIR}/samples ${CMAKE_CURRENT_BINARY_DIR}/page_check)
set_tests_properties(page_check.samples_load_in_chromium PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 240 LABELS browser)
