#pragma once

#include "common/io_result.h"

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

// Largest file the readers take in (1 GiB); anything larger cannot be a bill of quantities.
constexpr std::size_t kMaxInputFileSize = std::size_t{1} << 30;

// Writes `data` to `path` through a temporary file in the same folder that replaces
// the target only when it was written completely, so that a failed save never
// destroys the previous file. On failure the temporary file is removed and the
// result names the cause ("Datenträger voll", "Zugriff verweigert", ...).
CIoResult WriteFileReplacing(const std::string& path, const std::string& data);

// The same written in pieces, for a writer that would otherwise hold a whole file in memory:
// Write appends (stdio buffers it), Commit finishes and replaces the target. A file that was
// not committed (a failed write, or the object destroyed before Commit) is removed again and
// the target stays as it was.
class CReplacingFile {
public:
    explicit CReplacingFile(const std::string& path);
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;

    // False once a write has failed; later writes are ignored and Commit names the cause.
    bool Write(std::string_view data);
    CIoResult Commit();

private:
    CIoResult Fail(int error);

    std::string m_target;
    std::string m_temp;
    std::FILE* m_file = nullptr;
    int m_error = 0;
    // Committed, or failed and cleaned up: nothing left for the destructor.
    bool m_finished = false;
};

// Whether `path` is a regular file the readers may take in, with its size: devices, pipes
// and folders are refused, so that a reader never waits for input that does not end.
CIoResult CheckInputFile(const std::string& path, std::size_t& size, std::size_t maxSize = kMaxInputFileSize);

// Reads a whole regular file as bytes. Devices, pipes and folders are refused, so that a
// reader never waits for input that does not end.
CIoResult ReadWholeFile(const std::string& path, std::string& data, std::size_t maxSize = kMaxInputFileSize);

// Reads a regular file (checked as above) in blocks and hands `consume` its lines: each call
// gets whole lines ending in '\n', the last one what follows the last '\n'. A reader of lines
// thus never holds the whole file beside what it builds from it. A false from `consume` stops
// the read; the result is then a success and the consumer knows why it stopped.
CIoResult ReadFileLines(const std::string& path, const std::function<bool(std::string_view lines)>& consume,
                        std::size_t maxSize = kMaxInputFileSize);

// A German text for an error number of the system (errno), for the reasons above.
std::string SystemErrorText(int error);

// The file beside `path` with the same base name and the given extension (".d84"): the
// exact spelling first, else the same extension in any letter case, because the files come
// from a platform whose file names ignore case. "" when there is none.
std::string FindFileBeside(const std::string& path, const std::string& extension);
