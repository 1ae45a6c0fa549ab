// The entry points and descriptor of a deliberately broken test module, so
// each broken plugin's source holds only what is wrong with it.
#pragma once

#include <cstdint>
#include <memory>

#include "pluginsdk/plugin.h"
#include "pluginsdk/plugin_descriptor.h"

// Defines `exports` (with this apiBuild) and the entry points for PluginClass.
#define QUILLMARK_TEST_MODULE(PluginClass, apiBuildNumber)                                         \
  namespace {                                                                                      \
  std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> testInstance;                                \
  std::uintptr_t testCreate() {                                                                    \
    if (!testInstance) testInstance = std::make_shared<PluginClass>();                             \
    return reinterpret_cast<std::uintptr_t>(&testInstance);                                        \
  }                                                                                                \
  void testDelete() { testInstance.reset(); }                                                      \
  }                                                                                                \
  extern "C" PLUGIN_EXPORT const PluginDescriptor exports;                                         \
  extern "C" const PluginDescriptor exports = {apiBuildNumber, 0,          __FILE__, #PluginClass, \
                                               #PluginClass,   "0.0.0.1",  0x10,     0,            \
                                               &testCreate,    &testDelete}
