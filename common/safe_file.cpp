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

CReplacingFile::CReplacingFile(const std::string& path) : m_target(path) {
    static std::atomic<unsigned> counter{0};
    m_temp = path + ".tmp" + std::to_string(counter++);
    std::error_code ec;
    if (fs::is_directory(fs::path(path), ec)) {
        m_error = EISDIR;
        return;
    }
    errno = 0;
    m_file = std::fopen(m_temp.c_str(), "wb");
    if (!m_file) m_error = errno != 0 ? errno : EIO;
}

CReplacingFile::~CReplacingFile() {
    // Only a temporary file this object made is removed.
    if (m_finished || !m_file) return;
    std::fclose(m_file);
    std::error_code ec;
    fs::remove(m_temp, ec);
}

bool CReplacingFile::Write(std::string_view data) {
    if (!m_file || m_error != 0) return false;
    errno = 0;
    if (std::fwrite(data.data(), 1, data.size(), m_file) == data.size()) return true;
    m_error = errno != 0 ? errno : EIO;
    return false;
}

CIoResult CReplacingFile::Fail(int error) {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    std::error_code ec;
    fs::remove(m_temp, ec);
    m_finished = true;
    return CIoResult::Failure(SystemErrorText(error != 0 ? error : EIO));
}

CIoResult CReplacingFile::Commit() {
    if (m_finished) return CIoResult::Failure(SystemErrorText(EINVAL));
    if (!m_file) {
        m_finished = true;
        return CIoResult::Failure(SystemErrorText(m_error != 0 ? m_error : EIO));
    }
    if (m_error != 0) return Fail(m_error);
    errno = 0;
    if (std::fflush(m_file) != 0) return Fail(errno);
    errno = 0;
    const bool closed = std::fclose(m_file) == 0;
    const int closeError = errno;
    m_file = nullptr;
    if (!closed) return Fail(closeError);
    std::error_code ec;
    fs::rename(m_temp, m_target, ec);
    if (ec) return Fail(ec.value());
    m_finished = true;
    return CIoResult::Success();
}

CIoResult WriteFileReplacing(const std::string& path, const std::string& data) {
    CReplacingFile file(path);
    file.Write(data);
    return file.Commit();
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
