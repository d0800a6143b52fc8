#pragma once

/**
 * @file
 * The core library's export macro and the product name.
 */

#include <QtGlobal>

/**
 * @def CORE_EXPORT
 * Exports a class from the core plug-in's library, and imports it everywhere
 * else; plug-ins never define CORE_LIBRARY.
 */
#if defined(CORE_LIBRARY)
#  define CORE_EXPORT Q_DECL_EXPORT
#else
#  define CORE_EXPORT Q_DECL_IMPORT
#endif

/**
 * The product name: title of every message box and part of the window caption.
 * It is a name, not a sentence, so it is never translated.
 */
#define ZELTO_APP_TITLE "Zelto Rideved"
