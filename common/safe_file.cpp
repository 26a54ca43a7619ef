#include "common/safe_file.h"

#include "common/text_util.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

bool WriteFileReplacing(const std::string& path, const std::string& data, std::string* error) {
    static std::atomic<unsigned> counter{0};
    const fs::path target(path);
    fs::path temp = target;
    temp += ".tmp" + std::to_string(counter++);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            if (error) *error = "cannot create";
            return false;
        }
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(temp, ec);
            if (error) *error = "write error";
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        if (error) *error = "cannot replace";
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& data) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    data.clear();
    if (!ec) data.reserve(static_cast<size_t>(size));
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        data.append(buffer, static_cast<size_t>(in.gcount()));
    return !in.bad();
}

std::string FindFileBeside(const std::string& path, const std::string& extension) {
    std::error_code ec;
    const fs::path original(path);
    const fs::path folder = original.parent_path();
    const fs::path stem = original.stem();
    const fs::path exact = folder / fs::path(stem.string() + extension);
    if (fs::is_regular_file(exact, ec)) return exact.string();

    std::string found;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const fs::path& candidate = it->path();
        if (candidate.stem() != stem || !EqualsNoCase(candidate.extension().string(), extension)) continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        // Several spellings can coexist on a case-sensitive file system; take the first by name.
        const std::string name = (folder / candidate.filename()).string();
        if (found.empty() || name < found) found = name;
    }
    return found;
}
