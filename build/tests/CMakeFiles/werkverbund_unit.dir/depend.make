# Empty dependencies file for werkverbund_unit.
# This may be replaced when dependencies are built.
