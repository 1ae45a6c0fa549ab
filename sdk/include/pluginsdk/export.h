// Export and import markers for the SDK library and for plugin modules.
#pragma once

// PLUGINSDK_API marks what the pluginsdk library itself exports.
#if defined(_WIN32)
#if defined(PLUGINSDK_BUILDING_LIBRARY)
#define PLUGINSDK_API __declspec(dllexport)
#else
#define PLUGINSDK_API __declspec(dllimport)
#endif
#else
#define PLUGINSDK_API __attribute__((visibility("default")))
#endif

// PLUGIN_EXPORT marks what a plugin module exports to the host's loader. A
// module is built with hidden symbols by default, so only names carrying this
// marker leave it. Hosts see the same declarations without the marker: they
// reach the module through its descriptor, never by linking to it.
#if defined(_WIN32)
#if defined(PLUGINSDK_BUILDING_PLUGIN)
#define PLUGIN_EXPORT __declspec(dllexport)
#else
#define PLUGIN_EXPORT
#endif
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#endif
