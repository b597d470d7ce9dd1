#pragma once
// Sample for the include check: each include below is one offence.
#include <QString>
#include <X11/Xlib.h>
#include <unistd.h>
#  include <windows.h>
#include <iconv.h>
#include <stdio.h>
#include "platform/x11/x11_platform.h"
#include "core/../qt/main_window.h"
#include "core/run/missing.h"
#include "core/run/allowed.h"
