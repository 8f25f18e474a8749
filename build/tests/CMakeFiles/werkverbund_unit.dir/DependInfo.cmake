
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/unit/console_test.cpp" "tests/CMakeFiles/werkverbund_unit.dir/unit/console_test.cpp.o" "gcc" "tests/CMakeFiles/werkverbund_unit.dir/unit/console_test.cpp.o.d"
  "/work/main/tests/unit/numbers_test.cpp" "tests/CMakeFiles/werkverbund_unit.dir/unit/numbers_test.cpp.o" "gcc" "tests/CMakeFiles/werkverbund_unit.dir/unit/numbers_test.cpp.o.d"
  "/work/main/tests/unit/options_test.cpp" "tests/CMakeFiles/werkverbund_unit.dir/unit/options_test.cpp.o" "gcc" "tests/CMakeFiles/werkverbund_unit.dir/unit/options_test.cpp.o.d"
  "/work/main/tests/unit/scanf_compare_test.cpp" "tests/CMakeFiles/werkverbund_unit.dir/unit/scanf_compare_test.cpp.o" "gcc" "tests/CMakeFiles/werkverbund_unit.dir/unit/scanf_compare_test.cpp.o.d"
  "/work/main/tests/unit/supply_test.cpp" "tests/CMakeFiles/werkverbund_unit.dir/unit/supply_test.cpp.o" "gcc" "tests/CMakeFiles/werkverbund_unit.dir/unit/supply_test.cpp.o.d"
  "/work/main/tests/unit/surplus_test.cpp" "tests/CMakeFiles/werkverbund_unit.dir/unit/surplus_test.cpp.o" "gcc" "tests/CMakeFiles/werkverbund_unit.dir/unit/surplus_test.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build/CMakeFiles/werkverbund_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
