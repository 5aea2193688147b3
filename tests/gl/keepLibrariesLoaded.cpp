// Preloaded into the drawing tests of the sanitizer build: no library is ever
// unloaded, so every leak report can name the library that allocated.
extern "C" int dlclose(void*) { return 0; }
