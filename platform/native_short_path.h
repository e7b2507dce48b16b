#pragma once
// The short-path resolver of the system the program runs on: the backend in
// platform/linux/ or platform/win32/, whichever library the build links.
// Shared code that needs real paths (tests over real files) takes it from
// here instead of naming a backend.

#include "common/short_path.h"

namespace platform {

common::ShortPathResolver& nativeShortPathResolver();

}  // namespace platform
