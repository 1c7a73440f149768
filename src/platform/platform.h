// The seam between the library's logic and Windows: one thin wrapper per Windows operation the
// library uses, with the same arguments and results. win32/ calls Windows; sim/ simulates it.
#pragma once

#include "types.h"
#include "memory.h"
#include "files.h"
#include "process.h"
#include "environment.h"
#include "clipboard.h"
#include "shell.h"
#include "registry.h"
#include "keyboard.h"
#include "ui.h"
