#pragma once
// The system's font configuration, loaded ahead of the first text a window measures or draws.

namespace gui {

// Starts loading the font configuration (every configuration file parsed, the font cache read) on
// a thread of its own; the first font the window uses then finds it loaded. Called once, at start.
void LoadFontConfigurationAhead();

}  // namespace gui
