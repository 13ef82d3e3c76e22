# Tests of the system services.
