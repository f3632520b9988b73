// Found first by the core's own sources (CMakeLists.txt): the core builds on every
// system, so the window system stays out of it. Code that needs it belongs to the
// platform adapters (tivorn_system) or to the ui and windows libraries.
#error "The portable core must not include <objbase.h>"
