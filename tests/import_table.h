// Replaces a call that the program under test makes to the system, for the whole test
// program, through its import table: mingw-w64 reaches each imported function through a
// writable __imp_ pointer. FUNCTION_system keeps the system's own for the stand-in to call.
#pragma once

#include <utility>

#define REPLACE_IMPORT(function, ...)              \
  extern "C" decltype(&function) __imp_##function; \
  const decltype(&function) function##_system = std::exchange(__imp_##function, +__VA_ARGS__)
