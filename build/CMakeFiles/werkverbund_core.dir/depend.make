# Empty dependencies file for werkverbund_core.
# This may be replaced when dependencies are built.
