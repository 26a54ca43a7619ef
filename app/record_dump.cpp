#include "app/record_dump.h"

#include "common/code_page.h"
#include "common/number_format.h"
#include "model/display_tree.h"

namespace {

bool IsDumpSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The plain text of the value rounded to `decimals` places, appended after a tab.
void AppendNumber(std::string& out, CNumberFormat& format, double value, int decimals, std::string& text) {
    format.FormatPlain(CNumberFormat::RoundTo(value, decimals), decimals, text);
    out += '\t';
    out += text;
}

} // namespace

void AppendDumpText(std::string& out, std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsDumpSpace(text[begin]))
        ++begin;
    while (end > begin && IsDumpSpace(text[end - 1]))
        --end;
    // Tab, CR and LF are single bytes in UTF-8 as in Windows-1252: replaced after the conversion.
    const size_t from = out.size();
    AppendCp1252AsUtf8(out, text.substr(begin, end - begin));
    for (size_t i = from; i < out.size(); ++i)
        if (out[i] == '\t' || out[i] == '\r' || out[i] == '\n') out[i] = ' ';
}

std::string DumpText(std::string_view text) {
    std::string out;
    AppendDumpText(out, text);
    return out;
}

void DumpRecords(const CAngebotList& list, const std::function<void(std::string_view)>& write) {
    // Handed over in pieces of about 64 KB: the listing of a large LV need not be held whole.
    constexpr size_t kPiece = 65536;
    std::string out = "level\tkind\tpostype\tlabel\toz\tshorttext\tquantity\tunit\tother\twage\tep\tgp\t"
                      "surcharge\tgpeff\tvat\tgpbrt\n";
    out.reserve(kPiece + 4096);
    const CDisplayTree tree(list);
    CNumberFormat format;
    std::string number;
    for (int i : tree.Order()) {
        out += std::to_string(list.GetInt(i, Fld::Level));
        for (Fld field : {Fld::Kind, Fld::PosType, Fld::Label, Fld::OZ, Fld::ShortText}) {
            out += '\t';
            AppendDumpText(out, list.GetTextView(i, field));
        }
        AppendNumber(out, format, list.GetDouble(i, Fld::Quantity), 3, number);
        out += '\t';
        AppendDumpText(out, list.GetTextView(i, Fld::Unit));
        for (Fld field : {Fld::OtherShare, Fld::WageShare, Fld::UnitPrice, Fld::TotalPrice, Fld::SurchargePct,
                          Fld::TotalNet, Fld::VatPct, Fld::TotalGross})
            AppendNumber(out, format, list.GetDouble(i, field), 2, number);
        out += '\n';
        if (out.size() >= kPiece) {
            write(out);
            out.clear();
        }
    }
    write(out);
}

std::string DumpRecords(const CAngebotList& list) {
    std::string all;
    DumpRecords(list, [&](std::string_view piece) { all += piece; });
    return all;
}
