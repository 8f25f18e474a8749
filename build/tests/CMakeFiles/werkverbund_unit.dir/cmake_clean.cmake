file(REMOVE_RECURSE
  "CMakeFiles/werkverbund_unit.dir/unit/console_test.cpp.o"
  "CMakeFiles/werkverbund_unit.dir/unit/console_test.cpp.o.d"
  "CMakeFiles/werkverbund_unit.dir/unit/numbers_test.cpp.o"
  "CMakeFiles/werkverbund_unit.dir/unit/numbers_test.cpp.o.d"
  "CMakeFiles/werkverbund_unit.dir/unit/options_test.cpp.o"
  "CMakeFiles/werkverbund_unit.dir/unit/options_test.cpp.o.d"
  "CMakeFiles/werkverbund_unit.dir/unit/scanf_compare_test.cpp.o"
  "CMakeFiles/werkverbund_unit.dir/unit/scanf_compare_test.cpp.o.d"
  "CMakeFiles/werkverbund_unit.dir/unit/supply_test.cpp.o"
  "CMakeFiles/werkverbund_unit.dir/unit/supply_test.cpp.o.d"
  "CMakeFiles/werkverbund_unit.dir/unit/surplus_test.cpp.o"
  "CMakeFiles/werkverbund_unit.dir/unit/surplus_test.cpp.o.d"
  "werkverbund_unit"
  "werkverbund_unit.pdb"
  "werkverbund_unit[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/werkverbund_unit.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
