#pragma once

#include <QPair>

// A breakpoint value and whether it is enabled. What the value means belongs
// to the document types of other plug-ins; the core only stores it.
using Breakpoint = QPair<int, bool>;
