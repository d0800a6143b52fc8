#pragma once

/**
 * @file
 * The export macro of the plug-in host library.
 */

#include <QtGlobal>

/**
 * @def EXTENSIONSYSTEM_EXPORT
 * Exports a class from the plug-in host library, and imports it everywhere
 * else; plug-ins never define EXTENSIONSYSTEM_LIBRARY.
 */
#if defined(EXTENSIONSYSTEM_LIBRARY)
#  define EXTENSIONSYSTEM_EXPORT Q_DECL_EXPORT
#else
#  define EXTENSIONSYSTEM_EXPORT Q_DECL_IMPORT
#endif
