// Broken on purpose: a loadable module without the `exports` descriptor.
extern "C" __attribute__((visibility("default"))) int notAPlugin() { return 0; }
