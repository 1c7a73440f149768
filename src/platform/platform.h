// The seam between the library's logic and Windows: one thin wrapper per Windows operation,
// with the same arguments and results. win32/ calls Windows; sim/ simulates it.
#pragma once

#include "types.h"
#include "last_error.h"
#include "memory.h"
#include "startup.h"
#include "files.h"
#include "file_identity.h"
#include "process.h"
#include "environment.h"
#include "clipboard.h"
#include "shell.h"
#include "registry.h"
#include "version.h"
#include "keyboard.h"
#include "sleep.h"
#include "desktop.h"
#include "dialogs.h"
#include "module.h"
#include "console.h"
#include "code_page.h"
#include "program.h"
