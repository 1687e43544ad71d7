#pragma once
// The program's start: the application, the main window, the second window and the event loop.
#include <functional>

// Runs the start-up steps; an exception that escapes them is shown in the application's error
// box (one not of the framework's family with an empty message). Always returns 0.
int RunEntry(const std::function<void()> &steps);

// Initialises the application, creates Form1 (the main window) and Form2 and runs the event loop
// until the main window closes.
void StartStation(int &argc, char **argv);

// The whole program: StartStation through RunEntry, then the application's shutdown, so that every
// window and the Qt application are gone before main returns.
int StationMain(int &argc, char **argv);
