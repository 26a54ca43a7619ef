#include "common/safe_file.h"

#include "common/text_util.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

std::string SystemErrorText(int error) {
    switch (error) {
    case ENOSPC:
        return "Datentr\xe4ger voll";
#ifdef EDQUOT
    case EDQUOT:
        return "Speicherkontingent des Benutzers ersch\xf6pft";
#endif
    case EACCES:
    case EPERM:
        return "Zugriff verweigert";
    case EROFS:
        return "Datentr\xe4ger ist schreibgesch\xfctzt";
    case ENOENT:
        return "Datei oder Ordner nicht vorhanden";
    case ENOTDIR:
        return "Ein Teil des Pfades ist kein Ordner";
    case EISDIR:
        return "Der Pfad bezeichnet einen Ordner";
    case ENAMETOOLONG:
        return "Dateiname zu lang";
    case EMFILE:
    case ENFILE:
        return "Zu viele ge\xf6"
               "ffnete Dateien";
    case EIO:
        return "Ein-/Ausgabefehler des Datentr\xe4gers";
    case ENOMEM:
        return "Nicht gen\xfcgend Arbeitsspeicher";
    case EBUSY:
    case ETXTBSY:
        return "Datei ist in Benutzung";
    default:
        return "Systemfehler " + std::to_string(error);
    }
}

CIoResult WriteFileReplacing(const std::string& path, const std::string& data) {
    static std::atomic<unsigned> counter{0};
    const fs::path target(path);
    fs::path temp = target;
    temp += ".tmp" + std::to_string(counter++);
    std::error_code ec;
    if (fs::is_directory(target, ec)) return CIoResult::Failure(SystemErrorText(EISDIR));

    errno = 0;
    FilePtr out(std::fopen(temp.c_str(), "wb"));
    if (!out) return CIoResult::Failure(SystemErrorText(errno != 0 ? errno : EIO));
    errno = 0;
    const bool written =
        std::fwrite(data.data(), 1, data.size(), out.get()) == data.size() && std::fflush(out.get()) == 0;
    int error = errno;
    const bool closed = std::fclose(out.release()) == 0;
    if (!closed && error == 0) error = errno;
    if (!written || !closed) {
        fs::remove(temp, ec);
        return CIoResult::Failure(SystemErrorText(error != 0 ? error : EIO));
    }
    fs::rename(temp, target, ec);
    if (ec) {
        const int renameError = ec.value();
        fs::remove(temp, ec);
        return CIoResult::Failure(SystemErrorText(renameError));
    }
    return CIoResult::Success();
}

CIoResult CheckInputFile(const std::string& path, std::size_t& size, std::size_t maxSize) {
    size = 0;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return CIoResult::Failure("Datei nicht vorhanden");
    if (fs::is_directory(status)) return CIoResult::Failure("Der Pfad bezeichnet einen Ordner");
    if (!fs::is_regular_file(status))
        return CIoResult::Failure("Keine gew\xf6hnliche Datei (Ger\xe4t oder Pipe)");
    const auto bytes = fs::file_size(path, ec);
    if (ec) return CIoResult::Failure(SystemErrorText(ec.value()));
    if (bytes > maxSize) return CIoResult::Failure("Datei zu gro\xdf");
    size = static_cast<std::size_t>(bytes);
    return CIoResult::Success();
}

CIoResult ReadWholeFile(const std::string& path, std::string& data, std::size_t maxSize) {
    data.clear();
    std::size_t size = 0;
    if (CIoResult checked = CheckInputFile(path, size, maxSize); !checked) return checked;

    errno = 0;
    FilePtr in(std::fopen(path.c_str(), "rb"));
    if (!in) return CIoResult::Failure(SystemErrorText(errno != 0 ? errno : EIO));
    // Read straight into the string; a file that grew since its size was taken is read on.
    data.resize(size);
    std::size_t got = std::fread(data.data(), 1, size, in.get());
    data.resize(got);
    if (got == size && !std::ferror(in.get())) {
        char buffer[65536];
        while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) {
            if (data.size() + got > maxSize) {
                data.clear();
                return CIoResult::Failure("Datei zu gro\xdf");
            }
            data.append(buffer, got);
        }
    }
    if (std::ferror(in.get())) {
        const int error = errno;
        data.clear();
        return CIoResult::Failure(SystemErrorText(error != 0 ? error : EIO));
    }
    return CIoResult::Success();
}

CIoResult ReadFileLines(const std::string& path, const std::function<bool(std::string_view lines)>& consume,
                        std::size_t maxSize) {
    std::size_t size = 0;
    if (CIoResult checked = CheckInputFile(path, size, maxSize); !checked) return checked;
    errno = 0;
    FilePtr in(std::fopen(path.c_str(), "rb"));
    if (!in) return CIoResult::Failure(SystemErrorText(errno != 0 ? errno : EIO));

    constexpr std::size_t kBlock = std::size_t{1} << 20;
    std::string buffer; // the unfinished line of the previous block, then the next block
    std::size_t total = 0;
    for (;;) {
        const std::size_t kept = buffer.size();
        buffer.resize(kept + kBlock);
        const std::size_t got = std::fread(buffer.data() + kept, 1, kBlock, in.get());
        buffer.resize(kept + got);
        total += got;
        if (total > maxSize) return CIoResult::Failure("Datei zu gro\xdf");
        const bool atEnd = got < kBlock;
        if (atEnd && std::ferror(in.get()))
            return CIoResult::Failure(SystemErrorText(errno != 0 ? errno : EIO));
        const std::size_t lastNewline = buffer.rfind('\n');
        const std::size_t complete = atEnd                              ? buffer.size()
                                     : lastNewline == std::string::npos ? 0
                                                                        : lastNewline + 1;
        if (complete > 0 && !consume(std::string_view(buffer).substr(0, complete)))
            return CIoResult::Success();
        if (atEnd) return CIoResult::Success();
        buffer.erase(0, complete);
    }
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
