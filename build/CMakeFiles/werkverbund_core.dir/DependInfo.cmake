
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/src/control/closing.cpp" "CMakeFiles/werkverbund_core.dir/src/control/closing.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/control/closing.cpp.o.d"
  "/work/main/src/control/options.cpp" "CMakeFiles/werkverbund_core.dir/src/control/options.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/control/options.cpp.o.d"
  "/work/main/src/control/readme.cpp" "CMakeFiles/werkverbund_core.dir/src/control/readme.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/control/readme.cpp.o.d"
  "/work/main/src/control/run.cpp" "CMakeFiles/werkverbund_core.dir/src/control/run.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/control/run.cpp.o.d"
  "/work/main/src/input/ask.cpp" "CMakeFiles/werkverbund_core.dir/src/input/ask.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/input/ask.cpp.o.d"
  "/work/main/src/input/console.cpp" "CMakeFiles/werkverbund_core.dir/src/input/console.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/input/console.cpp.o.d"
  "/work/main/src/input/dialogue.cpp" "CMakeFiles/werkverbund_core.dir/src/input/dialogue.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/input/dialogue.cpp.o.d"
  "/work/main/src/input/echo.cpp" "CMakeFiles/werkverbund_core.dir/src/input/echo.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/input/echo.cpp.o.d"
  "/work/main/src/report/diagnostics.cpp" "CMakeFiles/werkverbund_core.dir/src/report/diagnostics.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/report/diagnostics.cpp.o.d"
  "/work/main/src/report/files.cpp" "CMakeFiles/werkverbund_core.dir/src/report/files.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/report/files.cpp.o.d"
  "/work/main/src/report/sales.cpp" "CMakeFiles/werkverbund_core.dir/src/report/sales.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/report/sales.cpp.o.d"
  "/work/main/src/supply/crystals.cpp" "CMakeFiles/werkverbund_core.dir/src/supply/crystals.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/supply/crystals.cpp.o.d"
  "/work/main/src/supply/energy.cpp" "CMakeFiles/werkverbund_core.dir/src/supply/energy.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/supply/energy.cpp.o.d"
  "/work/main/src/supply/food.cpp" "CMakeFiles/werkverbund_core.dir/src/supply/food.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/supply/food.cpp.o.d"
  "/work/main/src/supply/ore.cpp" "CMakeFiles/werkverbund_core.dir/src/supply/ore.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/supply/ore.cpp.o.d"
  "/work/main/src/supply/silicon.cpp" "CMakeFiles/werkverbund_core.dir/src/supply/silicon.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/supply/silicon.cpp.o.d"
  "/work/main/src/supply/surplus.cpp" "CMakeFiles/werkverbund_core.dir/src/supply/surplus.cpp.o" "gcc" "CMakeFiles/werkverbund_core.dir/src/supply/surplus.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
