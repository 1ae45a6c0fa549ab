#include "module_loader.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace quillmark::host {

namespace {

#if defined(_WIN32)
void* openLibrary(const std::string& path, std::string& error) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) error = "Windows error " + std::to_string(GetLastError());
  return reinterpret_cast<void*>(module);
}
void* findSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void closeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
#else
void* openLibrary(const std::string& path, std::string& error) {
  // A path without a slash would make dlopen search the library path.
  const std::string explicitPath = path.find('/') == std::string::npos ? "./" + path : path;
  void* library = dlopen(explicitPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* message = dlerror();
    error = message != nullptr ? message : "unknown loader error";
  }
  return library;
}
void* findSymbol(void* library, const char* name) { return dlsym(library, name); }
void closeLibrary(void* library) { dlclose(library); }
#endif

}  // namespace

LoadedModule::LoadedModule(const std::string& path, BuildCheck check) : path_(path) {
  std::error_code ignored;
  if (!std::filesystem::exists(path, ignored)) {
    throw ModuleError(path + ": no such plugin module");
  }
  if (std::filesystem::is_directory(path, ignored)) {
    throw ModuleError(path + ": is a directory, not a plugin module");
  }
  std::string error;
  handle_ = openLibrary(path, error);
  if (handle_ == nullptr) throw ModuleError(path + ": not a loadable module: " + error);
  descriptor_ = static_cast<const PluginDescriptor*>(findSymbol(handle_, "exports"));
  if (descriptor_ == nullptr) {
    closeLibrary(handle_);
    throw ModuleError(path + ": module has no `exports` descriptor");
  }
  if (check == BuildCheck::Require && descriptor_->apiBuild != kPluginApiBuild) {
    const std::int32_t found = descriptor_->apiBuild;
    closeLibrary(handle_);
    throw ModuleError(path + ": module is for plugin API build " + std::to_string(found) +
                      ", this host speaks build " + std::to_string(kPluginApiBuild));
  }
  if (descriptor_->createEntry == nullptr || descriptor_->deleteEntry == nullptr) {
    closeLibrary(handle_);
    throw ModuleError(path + ": module's descriptor lacks createEntry or deleteEntry");
  }
}

LoadedModule::~LoadedModule() { closeLibrary(handle_); }

}  // namespace quillmark::host
