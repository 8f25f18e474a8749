file(REMOVE_RECURSE
  "CMakeFiles/werkverbund.dir/src/main.cpp.o"
  "CMakeFiles/werkverbund.dir/src/main.cpp.o.d"
  "werkverbund"
  "werkverbund.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/werkverbund.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
