// Navigation against a real HTTP server.
#include <gtest/gtest.h>
