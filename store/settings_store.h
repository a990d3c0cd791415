#pragma once

// The settings store: registry handles over a backend, profile files, and the
// common functions every page uses. Uses nothing but the standard library and
// iconv.
#include "common_functions.h"
#include "ini_file.h"
#include "program_version.h"
#include "registry_handle.h"
#include "registry_tree.h"
#include "store_error.h"
#include "store_patterns.h"
#include "text_codec.h"
#include "wine_registry_files.h"
