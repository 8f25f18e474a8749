set(  werkverbund_unit_TESTS)
