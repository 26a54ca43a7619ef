#include "model/project_file.h"

#include "common/code_page.h"
#include "common/safe_file.h"
#include "model/display_tree.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

template <typename T> void PutLittle(std::string& out, T value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T)); // the targets are little-endian
    out.append(reinterpret_cast<const char*>(bytes), sizeof(T));
}

template <typename T> bool GetLittle(std::string_view data, size_t& pos, T& value) {
    if (pos > data.size() || data.size() - pos < sizeof(T)) return false;
    std::memcpy(&value, data.data() + pos, sizeof(T));
    pos += sizeof(T);
    return true;
}

void PutText(std::string& out, std::string_view text) {
    const size_t n = text.size();
    if (n < 255) {
        out.push_back(static_cast<char>(n));
    } else if (n < 0xFFFE) {
        out.push_back(static_cast<char>(0xFF));
        PutLittle<uint16_t>(out, static_cast<uint16_t>(n));
    } else {
        out.push_back(static_cast<char>(0xFF));
        PutLittle<uint16_t>(out, 0xFFFF);
        PutLittle<uint32_t>(out, static_cast<uint32_t>(n));
    }
    out += text;
}

bool GetLength(std::string_view data, size_t& pos, uint32_t& n, bool& utf16, bool allowUtf16) {
    uint8_t b = 0;
    if (!GetLittle(data, pos, b)) return false;
    if (b < 0xFF) {
        n = b;
        return true;
    }
    uint16_t w = 0;
    if (!GetLittle(data, pos, w)) return false;
    if (w == 0xFFFE) {
        if (!allowUtf16) return false;
        utf16 = true;
        return GetLength(data, pos, n, utf16, false);
    }
    if (w < 0xFFFF) {
        n = w;
        return true;
    }
    return GetLittle(data, pos, n);
}

bool GetText(std::string_view data, size_t& pos, std::string& text) {
    uint32_t n = 0;
    bool utf16 = false;
    if (!GetLength(data, pos, n, utf16, true)) return false;
    const uint64_t bytes = utf16 ? uint64_t{n} * 2 : n;
    if (bytes > data.size() - pos) return false;
    if (utf16) {
        std::u16string wide(n, u'\0');
        for (uint32_t i = 0; i < n; ++i)
            wide[i] = static_cast<char16_t>(static_cast<uint8_t>(data[pos + 2 * i]) |
                                            static_cast<uint8_t>(data[pos + 2 * i + 1]) << 8);
        text = Utf16ToCp1252(wide);
    } else {
        text.assign(data.substr(pos, n));
    }
    pos += static_cast<size_t>(bytes);
    return true;
}

} // namespace

void WriteRecord(const CAngebotList& list, int index, std::string& out) {
    for (int n = 0; n < kFieldCount; ++n) {
        const Fld field = FieldOf(n);
        switch (TypeOfField(field)) {
        case FieldType::Double:
            PutLittle<double>(out, list.GetDouble(index, field));
            break;
        case FieldType::Int:
            PutLittle<int32_t>(out, list.GetInt(index, field));
            break;
        case FieldType::Text:
            PutText(out, list.GetTextView(index, field));
            break;
        }
    }
}

void SaveRecords(const CAngebotList& list, std::string& out) {
    const CDisplayTree tree(list);
    // The buffer is reserved once: numbers, level and each text with its longest length prefix.
    size_t size = out.size();
    for (int index : tree.Order()) {
        size += 12 * sizeof(double) + sizeof(int32_t);
        for (int n = 0; n < kFieldCount; ++n)
            if (TypeOfField(FieldOf(n)) == FieldType::Text)
                size += 7 + list.GetTextView(index, FieldOf(n)).size();
    }
    out.reserve(size);
    for (int index : tree.Order())
        WriteRecord(list, index, out);
}

CIoResult SaveProjectFile(const CAngebotList& list, const std::string& path) {
    std::string data;
    SaveRecords(list, data);
    return WriteFileReplacing(path, data);
}

bool ReadRecord(CAngebotList& list, int index, std::string_view data, size_t& pos) {
    for (int n = 0; n < kFieldCount; ++n) {
        const Fld field = FieldOf(n);
        switch (TypeOfField(field)) {
        case FieldType::Double: {
            double d = 0.0;
            if (!GetLittle(data, pos, d)) return false;
            list.SetDouble(index, field, d);
            break;
        }
        case FieldType::Int: {
            int32_t i = 0;
            if (!GetLittle(data, pos, i)) return false;
            list.SetInt(index, field, i);
            break;
        }
        case FieldType::Text: {
            std::string text;
            if (!GetText(data, pos, text)) return false;
            list.SetText(index, field, std::move(text));
            break;
        }
        }
    }
    return true;
}

namespace {

constexpr double kMaxNumber = 1e12;
constexpr int32_t kMaxLevel = 1000;

std::string RecordPrefix(int index) {
    return "Datensatz " + std::to_string(index + 1) + ": ";
}

// What makes record `index` unusable, or "" when it is sound. A VAT rate of a position
// outside 0..100 is set to 0 and noted.
std::string CheckRecord(CAngebotList& list, int index, std::vector<std::string>* notes) {
    const std::string kind = list.GetText(index, Fld::Kind);
    if (kind.size() != 1 || std::string_view("XOLETPBSK").find(kind[0]) == std::string_view::npos)
        return "unbekannte Satzart \"" + kind.substr(0, 8) + "\"";
    const int32_t level = list.GetInt(index, Fld::Level);
    if (level < 0 || level > kMaxLevel) return "Gliederungsebene " + std::to_string(level) + " ung\xfcltig";
    for (int n = 0; n < kFieldCount; ++n) {
        const Fld field = FieldOf(n);
        if (TypeOfField(field) != FieldType::Double) continue;
        const double value = list.GetDouble(index, field);
        if (!std::isfinite(value) || std::fabs(value) >= kMaxNumber)
            return "Feld " + std::to_string(n) + " ist keine g\xfcltige Zahl oder zu gro\xdf";
    }
    const double vat = list.GetDouble(index, Fld::VatPct);
    if (kind[0] == Kind::Position && (vat < 0.0 || vat > 100.0)) {
        list.SetDouble(index, Fld::VatPct, 0.0);
        if (notes)
            notes->push_back(RecordPrefix(index) + "MWSt.-Satz au\xdf"
                                                   "erhalb von 0 bis 100, nicht \xfc"
                                                   "bernommen");
    }
    return std::string();
}

} // namespace

CIoResult LoadRecordsFromData(CAngebotList& list, std::string_view data, std::vector<std::string>* notes) {
    list.RemoveAll();
    size_t pos = 0;
    while (pos < data.size()) {
        const int index = list.AddRecord();
        std::string problem;
        if (!ReadRecord(list, index, data, pos))
            problem = "Die Datei endet mitten im Datensatz";
        else
            problem = CheckRecord(list, index, notes);
        if (!problem.empty()) {
            list.RemoveAll();
            return CIoResult::Failure(RecordPrefix(index) + problem);
        }
    }
    if (list.Count() == 0) return CIoResult::Failure("Die Datei ist leer");
    return CIoResult::Success();
}

CIoResult LoadRecords(CAngebotList& list, const std::string& path, std::vector<std::string>* notes) {
    list.RemoveAll();
    std::string data;
    if (CIoResult read = ReadWholeFile(path, data); !read) return read;
    return LoadRecordsFromData(list, data, notes);
}
