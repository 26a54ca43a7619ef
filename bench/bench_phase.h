#pragma once

#include <string>
#include <vector>

// `orvak-bench --phase ...`: one operation in this process, run by the benchmark as a child
// process. Prints "phase SECONDS", the processor time of the measured part alone:
//   write IN OUT        opens IN as orvak-cli does, then times writing OUT (by its extension)
//   list-model IN       opens IN, then times filling the position list's Qt model (tree view
//                       attached, offscreen) as the main window does after an open
// Returns the exit status (0, or 1 after a message).
int RunPhase(int argc, char* argv[], const std::vector<std::string>& args);
