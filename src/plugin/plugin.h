#pragma once

namespace dravelquin {

// Binds the plug-in to the host: logger, settings, census clock, the two
// hooks, the timer callback and the console commands "debugspawn",
// "dravelquin.reload" and "dravelquin.status", in that order. Raises
// whatever the settings reader or the host raise; what was bound before the
// error stays bound until PluginStop.
void PluginStart();

// Unbinds, in order, the two hooks, the console commands in the reverse of
// their binding order and the timer callback: each only when it is bound.
// Needs no engine memory: the names of the commands and the timer are those
// made when they were bound.
void PluginStop();

}  // namespace dravelquin
