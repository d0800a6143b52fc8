#pragma once

/**
 * @file
 * The breakpoint record the DocumentManager stores.
 */

#include <QPair>

/**
 * A breakpoint value (first) and whether it is enabled (second). What the
 * value means belongs to the document types of other plug-ins; the core only
 * stores it (DocumentManager::getHBreakpoints()).
 */
using Breakpoint = QPair<int, bool>;
