#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace platform {

class Application;

// The process's framework runtime: start, start-up callback, event loop, reports and end.
// Everything runs on the one GUI thread.

// Starts the runtime. Qt is handed only the program name, so the command line changes
// nothing. Where no display can be opened it prints one line saying so and ends the
// process with a non-zero status.
void RuntimeInit();

// Shuts the runtime down. The result is the process's exit status: the code given to
// Quit after a normal run, non-zero once an unhandled exception was reported.
std::int32_t RuntimeExit();

// Initialises the framework and calls the start-up step once, before any event loop
// runs. An exception from the step passes out to the caller.
void RunFrameworkInitialization(const std::function<void()>& startup);

// Runs the event loop until the application quits. An exception that escaped a handler
// ends the loop and is rethrown here, once.
void RuntimeRun();

// Reports an exception that nothing handled: a modal message box naming the exception's
// class and message, and one line on standard error.
void RuntimeUnhandledException(std::exception_ptr exception);

// Makes the framework's own classes ready (fonts, application-wide behaviour).
void RuntimeInitExternalClasses();

// The table of plug-in entry points; this system has none.
using PluginEntrypointsTable = std::vector<void*>;
std::shared_ptr<PluginEntrypointsTable> RuntimeAllocatePluginEntrypointsTable(std::int32_t entries);

// Registers a class with the runtime: its name and its base's name. This runtime has no
// introspection, so the registration is only the step the start-up order names.
void RuntimeRegisterClass(std::string_view name, std::string_view base);

// The application object: nothing before the registration.
void RuntimeRegisterAppObject(std::shared_ptr<Application> application);
std::shared_ptr<Application> getAppObject();

// Makes an object of a class without running its Constructor operation.
template <class T>
std::shared_ptr<T> RuntimeNewObject() {
  return std::make_shared<T>();
}

// Finalisation: the framework's lists, released in the order the shutdown needs.
void RuntimeReleaseImplicitWindowList();  // the open instance of each window class
void RuntimeReleaseWindowLists();         // every window still open, and the windows being closed
void RuntimeReleaseIntrospectionMaps();   // the registered classes

// True while RuntimeRun's event loop runs.
bool RuntimeIsRunning();

}  // namespace platform
