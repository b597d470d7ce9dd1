#pragma once
// Sample for the include check: every line here is allowed.
#include <cstdint>
#include <string>
#  include <filesystem>
#include "core/run/allowed.h"
