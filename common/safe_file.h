#pragma once

#include <string>

// Writes `data` to `path` through a temporary file in the same folder that replaces
// the target only when it was written completely, so that a failed save never
// destroys the previous file. On failure the temporary file is removed and
// *error (when given) names the cause.
bool WriteFileReplacing(const std::string& path, const std::string& data, std::string* error = nullptr);

// Reads a whole file as bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& data);

// The file beside `path` with the same base name and the given extension (".d84"): the
// exact spelling first, else the same extension in any letter case, because the files come
// from a platform whose file names ignore case. "" when there is none.
std::string FindFileBeside(const std::string& path, const std::string& extension);
