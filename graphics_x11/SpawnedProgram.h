// SpawnedProgram: starts a helper program (such as xdg-open) without a shell and without waiting
// for it, and reaps the ones that have finished so none is left as a zombie. Only our own
// children are waited for, never the host's.
#pragma once

// Starts program (looked up in PATH) with one argument; true when it started.
bool SpawnProgram(const char* program, const char* argument);
// Reaps the finished programs this module started; answers how many still run.
int ReapSpawnedPrograms();
