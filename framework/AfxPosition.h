// POSITION: the opaque iterator of the framework's list and map collections.
#pragma once

struct __POSITION {};
typedef __POSITION* POSITION;

// Marks the start of a map iteration before the first element is found.
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1))
