#pragma once

// Times the completeness check on large bills of quantities: the whole check, F3 (the next
// open entry) from rows at various distances to it, and the status bar's count after an entry.
void BenchCheck();
