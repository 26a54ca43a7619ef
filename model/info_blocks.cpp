#include "model/info_blocks.h"

#include "model/display_tree.h"

void SplitInfoLines(std::string_view text, std::vector<std::string>& lines) {
    lines.clear();
    std::string current;
    bool pending = false;
    int breaks = 0;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            ++breaks;
            pending = true;
            if (breaks > 2) {
                lines.push_back(current);
                current.clear();
                breaks = 1;
            }
        } else {
            breaks = 0;
            if (pending) {
                lines.push_back(current);
                current.clear();
                pending = false;
            }
            current.push_back(c);
        }
    }
    if (!text.empty() || pending) lines.push_back(current);
}

namespace {

int GetBlockOf(const std::vector<std::string>& lines, const std::string& key, std::string& value) {
    value.clear();
    bool found = false;
    bool first = true;
    for (const std::string& line : lines) {
        if (!found) {
            found = line.find(key) != std::string::npos;
            continue;
        }
        if (!line.empty() && line[0] == '#') break;
        if (!first) value += "\r\n";
        value += line;
        first = false;
    }
    return found ? 1 : 0;
}

void SetBlockOf(std::vector<std::string>& lines, const std::string& key, const std::string& rawValue) {
    std::string value = rawValue;
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    if (value.size() > 80) value.resize(80);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(key) == std::string::npos) continue;
        if (i + 1 == lines.size()) {
            lines.push_back(value);
        } else if (lines[i + 1].empty() || lines[i + 1][0] != '#') {
            lines[i + 1] = value;
        } else {
            lines.insert(lines.begin() + static_cast<long>(i) + 1, value);
        }
        return;
    }
    lines.push_back(key);
    lines.push_back(value);
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

} // namespace

int CInfoBlocks::LvRecordOf(const CAngebotList& list, int index) {
    if (index < 0 || index >= list.Count()) return -1;
    const CDisplayTree tree(list);
    int r = index;
    // Each step moves up or to a later sibling, so the walk ends; the bound guards a broken tree.
    for (int steps = 0; r != -1 && steps <= 2 * list.Count(); ++steps) {
        const bool lv = list.GetChar(r, Fld::Kind) == Kind::Lv;
        const bool contract = list.GetChar(r, Fld::PosType) == PosType::ContractText;
        if (lv && !contract) return r;
        r = lv && contract ? tree.NextSibling(r) : tree.Parent(r);
    }
    return -1;
}

void CInfoBlocks::LoadFromSelection(int index) {
    m_selectedLv = LvRecordOf(m_list, index);
    if (m_selectedLv == -1)
        m_lines.clear();
    else
        ParseLines(m_list.GetText(m_selectedLv, Fld::InfoText));
}

void CInfoBlocks::ParseLines(const std::string& text) {
    SplitInfoLines(text, m_lines);
}

int CInfoBlocks::GetBlock(const std::string& key, std::string& value) const {
    return GetBlockOf(m_lines, key, value);
}

void CInfoBlocks::SetBlock(const std::string& key, const std::string& value) {
    SetBlockOf(m_lines, key, value);
}

std::string CInfoBlocks::Joined() const {
    return Join(m_lines);
}

void CInfoBlocks::StoreToRecord(int index) {
    const int target = index == -1 ? m_selectedLv : index;
    if (target != -1) m_list.SetText(target, Fld::InfoText, Joined());
}

void CInfoBlocks::SetBlockInAllTopLevel(const std::string& key, const std::string& value) {
    if (m_list.Count() == 0) return;
    const int level = m_list.GetInt(0, Fld::Level);
    std::vector<std::string> lines;
    for (int i = 0; i < m_list.Count(); ++i) {
        if (m_list.GetInt(i, Fld::Level) != level) continue;
        SplitInfoLines(m_list.GetText(i, Fld::InfoText), lines);
        SetBlockOf(lines, key, value);
        m_list.SetText(i, Fld::InfoText, Join(lines));
    }
}

void CInfoBlocks::GetBlockOfFirstRecord(const CAngebotList& list, const std::string& key,
                                        std::string& value) {
    value.clear();
    if (list.Count() == 0) return;
    std::vector<std::string> lines;
    SplitInfoLines(list.GetText(0, Fld::InfoText), lines);
    GetBlockOf(lines, key, value);
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
}
