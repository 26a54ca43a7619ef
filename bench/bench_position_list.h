#pragma once

// Times the filling of the position list from large bills of quantities: into the grid
// without a window, into the Qt model with its tree view, and the first paint of the view.
// Needs no display (the offscreen platform is used when none is set).
void BenchPositionList(int argc, char* argv[]);
