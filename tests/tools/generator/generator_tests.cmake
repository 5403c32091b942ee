# The generator tests are registered here.
