#pragma once

// The states of the system's start-up that tests begin from.
namespace velmora_test {

// What start-up sets up before any window: the framework's classes, the application
// object with the menu bar, and the application's menu handlers.
void StartApplication();

// As after the splash: the About window exists, hidden, before the calculator comes up.
void AfterSplash();

}  // namespace velmora_test
