#include "loaded_module.h"

#include <stdexcept>
#include <utility>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace quillmark::test {

namespace {

#if defined(_WIN32)
std::string lastError() { return "Windows error " + std::to_string(GetLastError()); }
#else
std::string lastError() {
  const char* reason = dlerror();
  return reason != nullptr ? reason : "no reason given";
}
#endif

}  // namespace

LoadedModule::LoadedModule(std::string path) : path_(std::move(path)) {
#if defined(_WIN32)
  handle_ = LoadLibraryA(path_.c_str());
#else
  handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
  if (handle_ == nullptr) {
    throw std::runtime_error("cannot load module " + path_ + ": " + lastError());
  }
}

LoadedModule::~LoadedModule() { unload(); }

void* LoadedModule::symbol(const char* name) const {
  if (handle_ == nullptr) {
    throw std::runtime_error(std::string("symbol ") + name + " asked of unloaded module " + path_);
  }
#if defined(_WIN32)
  void* address = reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
  void* address = dlsym(handle_, name);
#endif
  if (address == nullptr) {
    throw std::runtime_error(std::string("module ") + path_ + " exports no " + name + ": " +
                             lastError());
  }
  return address;
}

void LoadedModule::unload() {
  if (handle_ == nullptr) return;
#if defined(_WIN32)
  FreeLibrary(static_cast<HMODULE>(handle_));
#else
  dlclose(handle_);
#endif
  handle_ = nullptr;
}

bool LoadedModule::isLoaded(const std::string& path) {
#if defined(_WIN32)
  // By full path, and by base name, which is how the loader lists a module
  // it has mapped.
  if (GetModuleHandleA(path.c_str()) != nullptr) return true;
  const std::string::size_type slash = path.find_last_of("/\\");
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  return GetModuleHandleA(base.c_str()) != nullptr;
#else
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);  // RTLD_NOLOAD still counted a reference
  return true;
#endif
}

}  // namespace quillmark::test
