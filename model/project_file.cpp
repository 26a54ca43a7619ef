#include "model/project_file.h"

#include "common/code_page.h"
#include "common/safe_file.h"
#include "model/display_tree.h"

#include <cstdint>
#include <cstring>

namespace {

template <typename T> void PutLittle(std::string& out, T value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T)); // the targets are little-endian
    out.append(reinterpret_cast<const char*>(bytes), sizeof(T));
}

template <typename T> bool GetLittle(const std::string& data, size_t& pos, T& value) {
    if (pos > data.size() || data.size() - pos < sizeof(T)) return false;
    std::memcpy(&value, data.data() + pos, sizeof(T));
    pos += sizeof(T);
    return true;
}

void PutText(std::string& out, const std::string& text) {
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

bool GetLength(const std::string& data, size_t& pos, uint32_t& n, bool& utf16, bool allowUtf16) {
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

bool GetText(const std::string& data, size_t& pos, std::string& text) {
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
        text.assign(data, pos, n);
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
            PutText(out, list.GetText(index, field));
            break;
        }
    }
}

void SaveRecords(const CAngebotList& list, std::string& out) {
    const CDisplayTree tree(list);
    for (int index : tree.Order())
        WriteRecord(list, index, out);
}

bool SaveProjectFile(const CAngebotList& list, const std::string& path, std::string* error) {
    std::string data;
    SaveRecords(list, data);
    return WriteFileReplacing(path, data, error);
}

bool ReadRecord(CAngebotList& list, int index, const std::string& data, size_t& pos) {
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

int LoadRecords(CAngebotList& list, const std::string& path) {
    list.RemoveAll();
    std::string data;
    if (!ReadWholeFile(path, data)) return -1;
    size_t pos = 0;
    int count = 0;
    while (pos < data.size()) {
        const int index = list.AddRecord();
        if (!ReadRecord(list, index, data, pos)) {
            list.RemoveAll();
            return -1;
        }
        ++count;
    }
    return count;
}
