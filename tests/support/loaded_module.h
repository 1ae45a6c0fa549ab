// A plugin module loaded through the platform's own loader (dlopen here,
// LoadLibrary on Windows), as a host loads it.
#pragma once

#include <string>

namespace quillmark::test {

class LoadedModule {
 public:
  // Loads the module file at `path`; throws std::runtime_error naming the
  // path and the loader's reason when it cannot.
  explicit LoadedModule(std::string path);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  // The address the module exports under `name`; throws naming the symbol
  // and the module when there is none.
  void* symbol(const char* name) const;
  template <typename T>
  T* symbolAs(const char* name) const {
    return reinterpret_cast<T*>(symbol(name));
  }

  // Unloads the module; later calls do nothing.
  void unload();

  // Whether the process still has the module at `path` loaded, asked without
  // loading it.
  static bool isLoaded(const std::string& path);

 private:
  std::string path_;
  void* handle_ = nullptr;
};

}  // namespace quillmark::test
