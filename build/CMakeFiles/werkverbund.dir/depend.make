# Empty dependencies file for werkverbund.
# This may be replaced when dependencies are built.
