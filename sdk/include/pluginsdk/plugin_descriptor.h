// The record a plugin module exports under the name `exports`, which tells
// the host's loader what the module is and how to make its plugin.
#pragma once

#include <cstddef>
#include <cstdint>

// The build of the plugin interface this SDK speaks. A loader refuses a
// module whose descriptor names another.
inline constexpr std::int32_t kPluginApiBuild = 95;

// Little-endian, 8-byte pointers, 64 bytes with every gap spelled out and zero.
struct PluginDescriptor {
  std::int32_t apiBuild;       // kPluginApiBuild
  std::uint32_t padding0;      // zero
  const char* sourceFileName;  // main source file, as the compiler recorded it
  const char* pluginClass;     // class name of the plugin
  const char* displayName;     // name shown to users
  const char* versionText;     // "major.minor.patch.build"
  std::uint32_t typeFlags;     // what kind of plugin this is; the host's to read
  std::uint32_t padding1;      // zero
  // Makes the plugin on first use and returns the address of the module's
  // std::shared_ptr<BakkesModPlugin> that owns it. Called by the loader on
  // one thread at a time.
  std::uintptr_t (*createEntry)();
  // Drops the module's ownership of the plugin; the object lives on while
  // the host holds copies of the handle.
  void (*deleteEntry)();
};

static_assert(sizeof(void*) == 8, "plugin modules are 64-bit");
static_assert(sizeof(PluginDescriptor) == 64);
static_assert(offsetof(PluginDescriptor, apiBuild) == 0);
static_assert(offsetof(PluginDescriptor, padding0) == 4);
static_assert(offsetof(PluginDescriptor, sourceFileName) == 8);
static_assert(offsetof(PluginDescriptor, pluginClass) == 16);
static_assert(offsetof(PluginDescriptor, displayName) == 24);
static_assert(offsetof(PluginDescriptor, versionText) == 32);
static_assert(offsetof(PluginDescriptor, typeFlags) == 40);
static_assert(offsetof(PluginDescriptor, padding1) == 44);
static_assert(offsetof(PluginDescriptor, createEntry) == 48);
static_assert(offsetof(PluginDescriptor, deleteEntry) == 56);
