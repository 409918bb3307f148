// Compiles the test precompiled headers; the tests reuse them.
