# SPDX-License-Identifier: GPL-3.0-or-later
kovra_add_test(test_assistance SOURCES test_assistance.cpp LIBS kovra_ui)

# Installing into a temporary prefix and building the Debian package.
add_test(NAME install_and_package COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/install_check.sh"
  "${CMAKE_BINARY_DIR}" "${PROJECT_SOURCE_DIR}" "${PROJECT_VERSION}")
set_tests_properties(install_and_package PROPERTIES ENVIRONMENT "${KOVRA_TEST_ENVIRONMENT}" TIMEOUT 300)
kovra_add_test(test_player SOURCES test_player.cpp LIBS kovra_ui)

# Every source, script and build file names its licence.
add_test(NAME licence_lines COMMAND bash "${PROJECT_SOURCE_DIR}/tools/spdx" --check)
