#include "gaeb2000/rtf_plain_text.h"

#include "common/code_page.h"
#include "common/text_util.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

// Destinations whose contents are never shown as text, each between blanks.
constexpr std::string_view kHiddenDestinations =
    " aftncn aftnsep aftnsepc author bkmkend bkmkstart colorschememapping colortbl comment datastore docvar"
    " doccomm fldinst filetbl fonttbl footer footerf footerl footerr footnote ftncn ftnsep ftnsepc generator"
    " header headerf headerl headerr info keywords latentstyles listoverridetable listtable nonshppict object"
    " operator pgdsctbl pict pn private revtbl rsidtbl shprslt stylesheet subject themedata title userprops"
    " xmlnsbl ";

bool IsHiddenDestination(std::string_view word) {
    if (word.empty()) return false;
    for (size_t at = kHiddenDestinations.find(word); at != std::string_view::npos;
         at = kHiddenDestinations.find(word, at + 1))
        if (kHiddenDestinations[at - 1] == ' ' && kHiddenDestinations[at + word.size()] == ' ') return true;
    return false;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Character formatting and destination state of one group.
struct GroupState {
    bool skip = false;   // inside a destination without visible text
    bool hidden = false; // hidden text (\v)
    int32_t unicodeFallback = 1;
};

class RtfTextReader {
public:
    explicit RtfTextReader(std::string_view rtf) : m_in(rtf) {}

    std::string Read() {
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos];
            if (c == '{') {
                ++m_pos;
                m_fallbackLeft = 0;
                m_groups.push_back(m_state);
            } else if (c == '}') {
                ++m_pos;
                m_fallbackLeft = 0;
                if (m_groups.empty()) break;
                m_state = m_groups.back();
                m_groups.pop_back();
                // The document ends where its outermost group closes.
                if (m_groups.empty()) break;
            } else if (c == '\\') {
                ++m_pos;
                ReadControl();
            } else {
                ++m_pos;
                // Line ends in the source are not text.
                if (c != '\r' && c != '\n') Char(c);
            }
        }
        if (m_out.ends_with("\r\n")) m_out.resize(m_out.size() - 2);
        return std::move(m_out);
    }

private:
    void Put(char c) {
        if (!m_state.skip && !m_state.hidden) m_out.push_back(c);
    }

    void PutBreak() {
        Put('\r');
        Put('\n');
    }

    // A character of the text; the first characters after \uN are its fallback and dropped.
    void Char(char c) {
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return;
        }
        Put(c);
    }

    void Unicode(int64_t code) {
        if (code < 0) code += 65536;
        if (code >= 0xDC00 && code <= 0xDFFF)
            return; // second half of a pair: the first half already gave '?'
        const int byte = (code >= 0 && code <= 0x10FFFF) ? UnicodeToCp1252(static_cast<char32_t>(code)) : -1;
        Put(byte < 0 ? '?' : static_cast<char>(byte));
    }

    void ReadControl() {
        if (m_pos >= m_in.size()) return;
        const char c = m_in[m_pos];
        if (IsLetter(c)) {
            ReadControlWord();
            return;
        }
        ++m_pos;
        switch (c) {
        case '\'': {
            const int high = m_pos < m_in.size() ? HexValue(m_in[m_pos]) : -1;
            const int low = m_pos + 1 < m_in.size() ? HexValue(m_in[m_pos + 1]) : -1;
            if (high < 0 || low < 0) return;
            m_pos += 2;
            Char(static_cast<char>(high * 16 + low));
            return;
        }
        case '\\':
        case '{':
        case '}':
            Char(c);
            return;
        case '~':
            Char('\xa0');
            return;
        case '_':
            Char('-');
            return;
        case '*':
            m_state.skip = true;
            return;
        case '\r':
        case '\n':
            if (m_fallbackLeft > 0)
                --m_fallbackLeft;
            else
                PutBreak();
            return;
        default:
            // Optional hyphen and other symbols without visible text.
            if (m_fallbackLeft > 0) --m_fallbackLeft;
            return;
        }
    }

    void ReadControlWord() {
        const size_t start = m_pos;
        while (m_pos < m_in.size() && IsLetter(m_in[m_pos]))
            ++m_pos;
        const std::string_view word = m_in.substr(start, m_pos - start);

        bool hasParam = false;
        bool negative = false;
        int64_t param = 0;
        if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && IsDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_in.size() && IsDigit(m_in[m_pos])) {
            if (param < 1000000000) param = param * 10 + (m_in[m_pos] - '0');
            hasParam = true;
            ++m_pos;
        }
        if (negative) param = -param;
        if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;

        if (word == "bin") {
            // Binary data: skip its bytes whatever the state.
            const size_t count = hasParam && param > 0 ? static_cast<size_t>(param) : 0;
            m_pos += std::min(count, m_in.size() - m_pos);
            return;
        }
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return;
        }
        HandleWord(word, hasParam, param);
    }

    void HandleWord(std::string_view word, bool hasParam, int64_t param) {
        if (word == "u") {
            if (!hasParam) return;
            Unicode(param);
            m_fallbackLeft = m_state.unicodeFallback;
        } else if (word == "uc") {
            m_state.unicodeFallback =
                hasParam ? static_cast<int32_t>(std::clamp<int64_t>(param, 0, 1000)) : 1;
        } else if (IsHiddenDestination(word)) {
            m_state.skip = true;
        } else if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row" ||
                   word == "nestrow") {
            PutBreak();
        } else if (word == "tab" || word == "cell" || word == "nestcell") {
            Put('\t');
        } else if (word == "v") {
            m_state.hidden = !hasParam || param != 0;
        } else if (word == "plain") {
            m_state.hidden = false;
        } else if (word == "emdash") {
            Put('\x97');
        } else if (word == "endash") {
            Put('\x96');
        } else if (word == "bullet") {
            Put('\x95');
        } else if (word == "lquote") {
            Put('\x91');
        } else if (word == "rquote") {
            Put('\x92');
        } else if (word == "ldblquote") {
            Put('\x93');
        } else if (word == "rdblquote") {
            Put('\x94');
        } else if (word == "emspace" || word == "enspace" || word == "qmspace") {
            Put(' ');
        }
    }

    std::string_view m_in;
    size_t m_pos = 0;
    std::string m_out;
    GroupState m_state;
    std::vector<GroupState> m_groups;
    int32_t m_fallbackLeft = 0;
};

} // namespace

bool IsRtf(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && IsSpace(text[first]))
        ++first;
    return text.substr(first).starts_with("{\\rtf");
}

std::string RtfToPlainText(std::string_view rtf) {
    return RtfTextReader(rtf).Read();
}

void PlainText(std::string& text) {
    // The leading blanks go in place; only an RTF text makes a new string.
    size_t begin = 0;
    while (begin < text.size() && IsSpace(text[begin]))
        ++begin;
    text.erase(0, begin);
    if (IsRtf(text)) text = RtfToPlainText(text);
}
