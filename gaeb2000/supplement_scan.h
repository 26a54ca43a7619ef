#pragma once

// Where a walk over the text supplements of a long text stands. A supplement reads
// "[Tknn[text]]" (escaped in the file as "&#91;Tknn&#91;text&#93;&#93;", or as nested RTF
// bookmarks): the marker with kind and number, the opening of the text, the text up to
// its close, and the outer close.
enum class SupplementScan { Marker, TextOpen, Text, OuterClose };
