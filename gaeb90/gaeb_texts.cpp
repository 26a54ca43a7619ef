// The text records of the GAEB 90 reader (members of CGaebConverter): short-text lines
// (record 25), long-text lines (record 26) and repeated descriptions (record 28).

#include "common/text_util.h"
#include "gaeb90/gaeb_columns.h"
#include "gaeb90/gaeb_converter.h"

using gaeb90::Cols;
using gaeb90::ColsTrim;

// Short-text line: appended to the short text; its code (columns 73-74) is noted in the
// short-text index.
void CGaebConverter::OnRecord25(const std::string& line) {
    if (!HasCurrent()) return;
    const std::string code = Cols(line, 73, 74);
    std::string index = m_list.GetText(m_current, Fld::ShortTextIndex);
    if (index.find(code) == std::string::npos) {
        index = Trim(index);
        const size_t k = (index.size() / 6 + 1) * 6;
        index = PadRight(index, k + 5);
        m_list.SetText(m_current, Fld::ShortTextIndex,
                       index.substr(0, k + 1) + code + " 1" + index.substr(k + 5));
    }
    const std::string text = Cols(line, 3, 72);
    const std::string shortText = m_list.GetText(m_current, Fld::ShortText);
    m_list.SetText(m_current, Fld::ShortText, shortText.empty() ? text : Trim(shortText) + " " + text);
}

// Long-text line: joined to the collected long text. A text supplement (code in
// columns 3-5) whose first line holds no apostrophe continues on the same line.
void CGaebConverter::OnRecord26(const std::string& line) {
    const std::string code = ColsTrim(line, 3, 5);
    if (!code.empty() && HasCurrent()) {
        const std::string supplements = m_list.GetText(m_current, Fld::SupplementIndex);
        if (supplements.find(code) == std::string::npos)
            m_list.SetText(m_current, Fld::SupplementIndex, Trim(supplements) + code + "1");
    }
    if (code != m_textKey) m_textJoin = TextJoin::Plain;
    const std::string text = ColsTrim(line, 6, 60);
    const bool apostrophe = text.find('\'') != std::string::npos;

    std::string separator;
    if (m_textJoin == TextJoin::Continuing) {
        if (!m_pendingText.empty()) separator = " ";
        m_textJoin = apostrophe ? TextJoin::ContinuedOpen : TextJoin::Continued;
    } else if (m_textJoin != TextJoin::ContinuedOpen) {
        if (!m_pendingText.empty()) separator = "\r\n";
    }
    m_pendingText += separator;
    m_pendingText += text;

    if (!code.empty() && m_textJoin == TextJoin::Plain)
        m_textJoin = apostrophe ? TextJoin::Quoted : TextJoin::Continuing;
    m_textKey = code;
}

// Repeated description: a reference to another position or to an execution description.
void CGaebConverter::OnRecord28(const std::string& line) {
    const std::string text = ColsTrim(line, 3, 57);
    const std::string ref = ColsTrim(line, 58, 66);
    std::string out;
    std::string repeatRef;
    if (!ref.empty()) {
        const std::string stdKey = m_list.GetText(m_current, Fld::StdTextKey);
        const std::string refOz = FormatOZ(Cols(line, 58, 66));
        if (ref.size() == 9 && SafeSubstr(stdKey, 5, 3) == "996") {
            m_list.SetText(m_current, Fld::SupplementIndex, "11A1");
            out = "Leistung wie Position '&OZNR&',";
        } else {
            out = text + "\r\nwie Pos-Nr. " + TrimRight(refOz) + ", jedoch";
        }
        repeatRef = refOz;
    }
    const std::string execution = ColsTrim(line, 67, 70);
    if (!execution.empty()) {
        out = text + "\r\ngem\xe4\xdf Ausf\xfchrungsbeschreibung " + execution;
        repeatRef = FormatOZ(execution);
    }
    if (!m_pendingText.empty()) m_pendingText += "\r\n";
    m_pendingText += out;
    m_list.SetText(m_current, Fld::RepeatRef, repeatRef);
}
