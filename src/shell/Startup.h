#pragma once

#include <memory>

namespace velmora {

class HandleAboutMenu;

// The life of the process, from the runtime's start to its shutdown.

// Registers the system's classes with the runtime.
void initialize();
// Hands the start-up step to the framework, runs the event loop, and reports an
// exception that escapes either.
void Main();
// The start-up step, called back once by the framework before the event loop.
void Startup();
void InitPluginEntrypoints();
void InitFileTypes();
void NewAppInstance();
void MakeDefaultView();
// Releases what the system owns, in the order the shutdown needs.
void finalize();

// The registered application object, or nothing before its registration.
std::shared_ptr<HandleAboutMenu> App();

}  // namespace velmora
