#pragma once

#include <QIcon>

// The resources of the application (icons, help page) live in the static Qt library; this
// registers them once, before the first use.
void EnsureOrvakResources();

// Icon n of the row icon strip (0 to 6: X, O, L, T, P, B, S), a null icon out of range.
QIcon RowIcon(int image);
